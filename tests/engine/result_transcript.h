#pragma once

#include <string>
#include <vector>

#include "engine/comparison_result.h"

namespace quill::test {

// Keeps what a comparison tells its sink as short texts, for tests to count and look for:
// a table as "table NAME1|NAME2 positions P1/P2", marked " renamed", " moved", " added" or
// " removed";
// each added or removed column as "column added B" or "column removed C"; each line by kind
// and rows ("compared 3/4", "row added 0/3", "row removed 5/0", "empty 9/9..2000"); each
// differing cell as "cell R1/C1 TEXT1|TEXT2".
class ResultTranscript final : public ResultSink {
 public:
  void begin(const ResultHeading&) override {}
  void beginTable(const TableStart& table) override {
    std::string text = "table " + std::string(table.sheet1) + "|" + std::string(table.sheet2) +
                       " positions " + std::to_string(table.position1) + "/" +
                       std::to_string(table.position2);
    if (table.renamed) text += " renamed";
    if (table.moved) text += " moved";
    if (!table.inFirst) text += " added";
    if (!table.inSecond) text += " removed";
    entries.push_back(text);
    if (!table.inFirst || !table.inSecond) return;
    for (const ColumnPair& pair : table.columns) {
      if (pair.column1 == 0) entries.push_back("column added " + std::to_string(pair.column2));
      if (pair.column2 == 0) entries.push_back("column removed " + std::to_string(pair.column1));
    }
  }
  void line(const Line& line) override {
    const std::string rows = std::to_string(line.row1) + "/" + std::to_string(line.row2);
    switch (line.kind) {
      case LineKind::RowAdded:
        entries.push_back("row added " + rows);
        return;
      case LineKind::RowRemoved:
        entries.push_back("row removed " + rows);
        return;
      case LineKind::EmptyRows:
        entries.push_back("empty " + rows + ".." + std::to_string(line.lastRow1));
        return;
      default:
        break;
    }
    entries.push_back(std::string(line.duplicateKey ? "duplicate " : "") + "compared " + rows);
    for (const CellPair& cell : line.cells)
      if (cell.difference != DifferenceKind::None)
        entries.push_back("cell " + std::to_string(line.row1) + "/" + std::to_string(cell.column1) +
                          " " + std::string(cell.text1) + "|" + std::string(cell.text2));
  }
  void endTable() override {}
  void finish() override {}

  // The entries that start with a prefix.
  std::vector<std::string> starting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : entries)
      if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
    return found;
  }

  std::vector<std::string> entries;
};

}  // namespace quill::test
