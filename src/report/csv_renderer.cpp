#include "report/csv_renderer.h"

#include "report/difference_items.h"
#include "report/plain_escapes.h"

namespace quill {

namespace {

constexpr int kTextFields = 12;                       // file1 .. formula2
constexpr int kCountFields = 2 + int(kCountedKinds);  // cells_compared, differences, each count

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
  out += ',' + std::to_string(counts.cellsCompared) + ',' + std::to_string(counts.differences());
  for (const CountedNames& kind : countedKinds()) out += ',' + std::to_string(counts[kind.counted]);
}

}  // namespace

std::string csvHeader() {
  std::string header =
      "file1,file2,sheet1,sheet2,cell1,cell2,kind,key,text1,text2,formula1,formula2,"
      "cells_compared,differences";
  for (const CountedNames& kind : countedKinds()) (header += ',') += kind.csvColumn;
  return header + "\r\n";
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
    : ScriptRenderer(out, std::move(options)) {}

void CsvRenderer::begin(const ResultHeading& heading) {
  file1_ = options_.name1.empty() ? heading.path1 : options_.name1;
  file2_ = options_.name2.empty() ? heading.path2 : options_.name2;
}

void CsvRenderer::startRecord(std::string_view sheet1, std::string_view sheet2) {
  std::string& text = out_.text();
  appendCsvField(text, file1_);
  appendFields(text, {file2_, sheet1, sheet2});
}

void CsvRenderer::tableBegun(const TableStart& table, bool newPair) {
  sheet1_ = table.inFirst ? table.sheet1 : std::string_view();
  sheet2_ = table.inSecond ? table.sheet2 : std::string_view();
  if (newPair) writeSheetRecords();
}

void CsvRenderer::writeSheetRecords() {
  const SheetPairSummary& pair = tally_.current();
  const std::pair<bool, SheetChange> changes[] = {{!pair.inSecond, SheetChange::Removed},
                                                  {!pair.inFirst, SheetChange::Added},
                                                  {pair.renamed, SheetChange::Renamed},
                                                  {pair.moved, SheetChange::Moved},
                                                  {pair.samePosition, SheetChange::SamePosition}};
  for (const auto& [changed, change] : changes) {
    if (!changed) continue;
    const std::string_view kind = sheetChangeNames(change).text;
    startRecord(sheet1_, sheet2_);
    std::string& text = out_.text();
    // A moved sheet's positions stand in the text fields.
    const bool moved = change == SheetChange::Moved;
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
  appendFields(text, {place1, place2, itemKindNames(item.kind).text, item.key ? "yes" : "no",
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
