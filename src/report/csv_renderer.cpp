#include "report/csv_renderer.h"

#include "report/plain_escapes.h"

namespace quill {

namespace {

constexpr int kTextFields = 12;  // file1 .. formula2
constexpr int kCountFields = 12;

void appendFields(std::string& out, std::initializer_list<std::string_view> fields) {
  for (std::string_view field : fields) {
    out.push_back(',');
    appendCsvField(out, field);
  }
}

void appendEmptyFields(std::string& out, int count) {
  out.append(std::size_t(count), ',');
}

void appendCounts(std::string& out, const DifferenceCounts& counts) {
  for (long count :
       {counts.cellsCompared, counts.differences(), counts.differentValues, counts.missingInFirst,
        counts.missingInSecond, counts.differentFormulas, counts.keyCells, counts.rowsAdded,
        counts.rowsRemoved, counts.columnsAdded, counts.columnsRemoved, counts.sheetChanges})
    out += ',' + std::to_string(count);
}

}  // namespace

std::string csvHeader() {
  return "file1,file2,sheet1,sheet2,cell1,cell2,kind,key,text1,text2,formula1,formula2,"
         "cells_compared,differences,different_values,missing_in_file1,missing_in_file2,"
         "different_formulas,key_cells,rows_added,rows_removed,columns_added,columns_removed,"
         "sheet_changes\r\n";
}

std::string csvPathRecord(std::string_view file1, std::string_view file2, std::string_view kind,
                          std::string_view text1) {
  std::string out;
  appendCsvField(out, file1);
  appendFields(out, {file2, "", "", "", "", kind, "", text1});
  appendEmptyFields(out, kTextFields - 9 + kCountFields);
  return out + "\r\n";
}

std::string csvTotalRecord(std::string_view kind, const DifferenceCounts& counts,
                           std::string_view text1) {
  std::string out;
  appendFields(out, {"", "", "", "", "", "", kind, "", text1});
  out.erase(0, 1);  // the first field has no comma before it
  appendEmptyFields(out, kTextFields - 9);
  appendCounts(out, counts);
  return out + "\r\n";
}

CsvRenderer::CsvRenderer(ByteSink& out, RenderOptions options)
    : out_(out), options_(std::move(options)), tally_(options_.sheetsPaired) {}

void CsvRenderer::begin(const ResultHeading& heading) {
  file1_ = options_.name1.empty() ? heading.path1 : options_.name1;
  file2_ = options_.name2.empty() ? heading.path2 : options_.name2;
}

void CsvRenderer::startRecord(std::string_view sheet1, std::string_view sheet2) {
  std::string& text = out_.text();
  appendCsvField(text, file1_);
  appendFields(text, {file2_, sheet1, sheet2});
}

void CsvRenderer::beginTable(const TableStart& table) {
  sheet1_ = table.inFirst ? table.sheet1 : std::string_view();
  sheet2_ = table.inSecond ? table.sheet2 : std::string_view();
  if (tally_.beginTable(table)) writeSheetRecords();
  visitColumnItems(table, [this](const DifferenceItem& item) { writeItem(item); });
  out_.flushWhenFull();
}

void CsvRenderer::line(const Line& line) {
  tally_.line(line);
  visitLineItems(line, tally_.oneSidedTable(),
                 [this](const DifferenceItem& item) { writeItem(item); });
  out_.flushWhenFull();
}

void CsvRenderer::endTable() {}

void CsvRenderer::writeSheetRecords() {
  const SheetPairSummary& pair = tally_.current();
  const char* kinds[] = {!pair.inSecond ? "sheet only in FILE1" : nullptr,
                         !pair.inFirst ? "sheet only in FILE2" : nullptr,
                         pair.renamed ? "sheet renamed" : nullptr,
                         pair.moved ? "sheet moved" : nullptr};
  for (const char* kind : kinds) {
    if (kind == nullptr) continue;
    startRecord(sheet1_, sheet2_);
    std::string& text = out_.text();
    // A moved sheet's positions stand in the text fields.
    const bool moved = std::string_view(kind) == "sheet moved";
    const std::string position1 = moved ? std::to_string(pair.position1) : "";
    const std::string position2 = moved ? std::to_string(pair.position2) : "";
    appendFields(text, {"", "", kind, "", position1, position2, "", ""});
    appendEmptyFields(text, kCountFields);
    text += "\r\n";
  }
}

void CsvRenderer::writeItem(const DifferenceItem& item) {
  startRecord(sheet1_, sheet2_);
  std::string& text = out_.text();
  const std::string place1 = sheet1_.empty() ? "" : itemPlace(item.row1, item.column1);
  const std::string place2 = sheet2_.empty() ? "" : itemPlace(item.row2, item.column2);
  const CellPair empty;
  const CellPair& cell = item.cell != nullptr ? *item.cell : empty;
  appendFields(
      text, {place1, place2, itemKindName(item.kind, FileNames::UpperCase), item.key ? "yes" : "no",
             cell.text1, cell.text2, cell.formula1, cell.formula2});
  appendEmptyFields(text, kCountFields);
  text += "\r\n";
}

void CsvRenderer::finish() {
  std::string& text = out_.text();
  for (const SheetPairSummary& pair : tally_.pairs()) {
    startRecord(pair.sheet1, pair.sheet2);
    appendFields(text, {"", "", "sheet pair", "", "", "", "", ""});
    appendCounts(text, pair.counts);
    text += "\r\n";
  }
  startRecord("", "");
  appendFields(text, {"", "", "total", "", "", "", "", ""});
  appendCounts(text, tally_.total().counts);
  text += "\r\n";
  out_.flush();
}

}  // namespace quill
