#pragma once

#include <filesystem>
#include <string_view>

#include "report/html_result_writer.h"

namespace quill::test {

// Tells a sink a result of one table whose one cell differs: text in the first file, "other"
// in the second. Both documents hold the text.
inline void tellOneCellResult(ResultSink& sink, std::string_view text) {
  sink.begin({"one.xlsx", "two.xlsx", "2026-12-07 10:00:00", ""});
  const ColumnPair column{1, 1};
  TableStart table;
  table.sheet1 = table.sheet2 = table.anchorSheet = "S";
  table.position1 = table.position2 = 1;
  table.columns = {&column, 1};
  sink.beginTable(table);
  CellPair cell;
  cell.column1 = cell.column2 = 1;
  cell.text1 = text;
  cell.text2 = "other";
  cell.difference = DifferenceKind::DifferentValue;
  sink.line({LineKind::Compared, 1, 1, 0, {&cell, 1}});
  sink.endTable();
  sink.finish();
}

// Writes the documents of that result into the folder.
inline void writeOneCellPair(const std::filesystem::path& folder, std::string_view text) {
  HtmlResultWriter writer(folder);
  tellOneCellResult(writer, text);
}

}  // namespace quill::test
