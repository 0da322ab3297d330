#include "report/csv_renderer.h"

#include "report/content_wording.h"
#include "report/difference_items.h"
#include "report/plain_escapes.h"

namespace quill {

namespace {

constexpr int kTextFields = 12;    // file1 .. formula2
constexpr int kContentFields = 2;  // subject, detail: with contents compared

int countFields(bool contents) {
  int fields = 2;  // cells_compared, differences
  for (const CountedNames& kind : countedKinds()) fields += countShown(kind, contents) ? 1 : 0;
  return fields;
}

void appendFields(std::string& out, std::initializer_list<std::string_view> fields) {
  for (std::string_view field : fields) {
    out.push_back(',');
    appendCsvField(out, field);
  }
}

void appendEmptyFields(std::string& out, int count) {
  out.append(std::size_t(count), ',');
}

void appendCounts(std::string& out, const DifferenceCounts& counts, bool contents) {
  out += ',' + std::to_string(counts.cellsCompared) + ',' + std::to_string(counts.differences());
  for (const CountedNames& kind : countedKinds())
    if (countShown(kind, contents)) out += ',' + std::to_string(counts[kind.counted]);
}

}  // namespace

std::string csvHeader(bool contents) {
  std::string header =
      "file1,file2,sheet1,sheet2,cell1,cell2,kind,key,text1,text2,formula1,formula2,";
  if (contents) header += "subject,detail,";
  header += "cells_compared,differences";
  for (const CountedNames& kind : countedKinds())
    if (countShown(kind, contents)) (header += ',') += kind.csvColumn;
  return header + "\r\n";
}

std::string csvPathRecord(std::string_view file1, std::string_view file2, std::string_view kind,
                          std::string_view text1, bool contents) {
  std::string out;
  appendCsvField(out, file1);
  appendFields(out, {file2, "", "", "", "", kind, "", text1});
  appendEmptyFields(out, kTextFields - 9 + (contents ? kContentFields : 0) + countFields(contents));
  return out + "\r\n";
}

std::string csvTotalRecord(std::string_view kind, const DifferenceCounts& counts,
                           std::string_view text1, bool contents) {
  std::string out;
  appendFields(out, {"", "", "", "", "", "", kind, "", text1});
  out.erase(0, 1);  // the first field has no comma before it
  appendEmptyFields(out, kTextFields - 9 + (contents ? kContentFields : 0));
  appendCounts(out, counts, contents);
  return out + "\r\n";
}

CsvRenderer::CsvRenderer(ByteSink& out, RenderOptions options)
    : ScriptRenderer(out, std::move(options)) {}

int CsvRenderer::contentFields() const {
  return options_.contents ? kContentFields : 0;
}

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
    appendEmptyFields(text, contentFields() + countFields(options_.contents));
    text += "\r\n";
  }
}

void CsvRenderer::writeItem(const DifferenceItem& item) {
  // The whole workbook's differences belong to no sheet.
  if (item.content && workbookWide(item.kind))
    startRecord("", "");
  else
    startRecord(sheet1_, sheet2_);
  std::string& text = out_.text();
  const std::string place1 = sheet1_.empty() ? "" : itemPlace(item.row1, item.column1);
  const std::string place2 = sheet2_.empty() ? "" : itemPlace(item.row2, item.column2);
  const CellPair empty;
  const CellPair& cell = item.cell != nullptr ? *item.cell : empty;
  if (const ContentItem* content = item.content) {
    const ContentSides sides = contentSides(*content);
    const bool wide = workbookWide(content->kind);
    appendFields(text, {wide ? "" : contentPlace(*content, true),
                        wide ? "" : contentPlace(*content, false), itemKindNames(item.kind).text,
                        "no", sides.text1, sides.text2, "", "", content->subject, content->detail});
  } else {
    appendFields(text, {place1, place2, itemKindNames(item.kind).text, item.key ? "yes" : "no",
                        cell.text1, cell.text2, cell.formula1, cell.formula2});
    appendEmptyFields(text, contentFields());
  }
  appendEmptyFields(text, countFields(options_.contents));
  text += "\r\n";
}

void CsvRenderer::finish() {
  std::string& text = out_.text();
  for (const SheetPairSummary& pair : tally_.pairs()) {
    startRecord(pair.sheet1, pair.sheet2);
    appendFields(text, {"", "", "sheet pair", "", "", "", "", ""});
    appendEmptyFields(text, contentFields());
    appendCounts(text, pair.counts, options_.contents);
    text += "\r\n";
  }
  startRecord("", "");
  appendFields(text, {"", "", "total", "", "", "", "", ""});
  appendEmptyFields(text, contentFields());
  appendCounts(text, tally_.total().counts, options_.contents);
  text += "\r\n";
  out_.flush();
}

}  // namespace quill
