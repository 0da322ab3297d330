#pragma once

#include <string>
#include <vector>

#include "engine/comparison_result.h"
#include "engine/listed_differences.h"
#include "sheet/address.h"

namespace quill::test {

// Keeps what a comparison tells its sink as short texts, for tests to count and look for:
// the caption as "caption TEXT"; a table as "table NAME1|NAME2 positions P1/P2", marked
// " renamed", " moved", " added" or " removed", its grid columns as "columns B C +D" (a
// column only file 2 has marked +, one only file 1 has -), and for the keyed layouts its
// heading as "heading 2..9 of 8" (" keyed" with identifying items); each added or removed
// column as "column added B" or "column removed C"; each line by kind and rows ("compared
// 3/4", "key changed 3/3", "key unchanged 2/2", "key header 1/1", "hidden 2/2", "row added
// 0/3", "row removed 5/0", "empty 9/9..2000", prefixed "duplicate " for a repeated key) and
// its cells as "texts 3/4 a|a b|c [D..Z]" (a folded stretch of empty cells in brackets);
// each differing cell as "cell R1/C1 TEXT1|TEXT2" and as "difference C3/E5 KIND TEXT1|TEXT2",
// followed by " key" for an identifying cell and " =F1|=F2" when formulas were read; each
// content difference as "content TEXT" (see contentText), and those a table's start carries
// ahead of its lines as "ahead TEXT".
class ResultTranscript final : public ResultSink {
 public:
  // A content difference as "KIND R1/C1 R2/C2 [xCOUNT] [SUBJECT] [TEXT1|TEXT2] [(DETAIL)]".
  static std::string contentText(const ContentItem& item) {
    std::string text = std::string(itemKindNames(item.kind).text) + " " +
                       std::to_string(item.row1) + "/" + std::to_string(item.column1) + " " +
                       std::to_string(item.row2) + "/" + std::to_string(item.column2);
    if (item.count > 1) text += " x" + std::to_string(item.count);
    if (!item.subject.empty()) text += " " + item.subject;
    if (!item.text1.empty() || !item.text2.empty()) text += " " + item.text1 + "|" + item.text2;
    if (!item.detail.empty()) text += " (" + item.detail + ")";
    return text;
  }

  void begin(const ResultHeading& heading) override {
    entries.push_back("caption " + std::string(heading.caption));
  }
  void beginTable(const TableStart& table) override {
    std::string text = "table " + std::string(table.sheet1) + "|" + std::string(table.sheet2) +
                       " positions " + std::to_string(table.position1) + "/" +
                       std::to_string(table.position2);
    if (table.renamed) text += " renamed";
    if (table.moved) text += " moved";
    if (!table.inFirst) text += " added";
    if (!table.inSecond) text += " removed";
    entries.push_back(text);
    std::string columns = "columns";
    for (const ColumnPair& pair : table.columns)
      columns += pair.column1 == 0   ? " +" + columnLetters(pair.column2)
                 : pair.column2 == 0 ? " -" + columnLetters(pair.column1)
                                     : " " + columnLetters(pair.column1);
    entries.push_back(columns);
    if (table.layout != TableLayout::Sheet)
      entries.push_back("heading " + std::string(table.firstLabel) + ".." +
                        std::string(table.lastLabel) + " of " + std::to_string(table.spanned) +
                        (table.keyed ? " keyed" : ""));
    for (const ContentItem& item : table.contents) entries.push_back("ahead " + contentText(item));
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
    entries.push_back(std::string(line.duplicateKey ? "duplicate " : "") + kindName(line.kind) +
                      " " + rows);
    if (!line.cells.empty()) entries.push_back("texts " + rows + cellTexts(line));
    for (const CellPair& cell : line.cells)
      if (cell.difference != DifferenceKind::None) {
        entries.push_back("cell " + std::to_string(line.row1) + "/" + std::to_string(cell.column1) +
                          " " + std::string(cell.text1) + "|" + std::string(cell.text2));
        entries.push_back(difference(line, cell));
      }
  }
  // Each content difference as "content KIND R1/C1 R2/C2 SUBJECT TEXT1|TEXT2 (DETAIL)", with
  // " xN" for a run of N rows or columns.
  void contents(std::span<const ContentItem> items) override {
    for (const ContentItem& item : items) entries.push_back("content " + contentText(item));
  }
  void endTable() override {}
  void finish() override { finished = true; }

  // The entries that start with a prefix.
  std::vector<std::string> starting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : entries)
      if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
    return found;
  }

  std::vector<std::string> entries;
  bool finished = false;  // the comparison told the whole result

 private:
  static const char* kindName(LineKind kind) {
    switch (kind) {
      case LineKind::KeyUnchanged:
        return "key unchanged";
      case LineKind::KeyChanged:
        return "key changed";
      case LineKind::KeyHeader:
        return "key header";
      case LineKind::Hidden:
        return "hidden";
      default:
        return "compared";
    }
  }
  static std::string cellTexts(const Line& line) {
    std::string texts;
    for (const CellPair& cell : line.cells)
      texts +=
          cell.emptyThrough > 0
              ? " [" + columnLetters(cell.column1) + ".." + columnLetters(cell.emptyThrough) + "]"
              : " " + std::string(cell.text1) + "|" + std::string(cell.text2);
    return texts;
  }
  static std::string difference(const Line& line, const CellPair& cell) {
    std::string text = "difference " + cellAddress(line.row1, cell.column1) + "/" +
                       cellAddress(line.row2, cell.column2) + " " +
                       std::string(itemKindNames(cellItemKind(cell.difference)).text) + " " +
                       std::string(cell.text1) + "|" + std::string(cell.text2);
    if (cell.identifying) text += " key";
    if (!cell.formula1.empty() || !cell.formula2.empty())
      text += " " + std::string(cell.formula1) + "|" + std::string(cell.formula2);
    return text;
  }
};

}  // namespace quill::test
