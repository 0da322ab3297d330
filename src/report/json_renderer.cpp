#include "report/json_renderer.h"

#include "report/content_wording.h"
#include "report/difference_items.h"
#include "report/plain_escapes.h"

namespace quill {

namespace {

void appendMember(std::string& out, std::string_view name, std::string_view text) {
  appendJsonString(out, name);
  out.push_back(':');
  appendJsonString(out, text);
}

void appendNumber(std::string& out, std::string_view name, long value) {
  appendJsonString(out, name);
  out += ':' + std::to_string(value);
}

// A number from 1, or null for 0.
void appendPosition(std::string& out, std::string_view name, long value) {
  appendJsonString(out, name);
  out += value > 0 ? ':' + std::to_string(value) : std::string(":null");
}

// A place in a file ("C3", "5", "D"), or null where the item has none there.
void appendPlace(std::string& out, std::string_view name, bool inFile, long row, long column) {
  appendJsonString(out, name);
  out.push_back(':');
  const std::string place = inFile ? itemPlace(row, column) : std::string();
  if (place.empty())
    out += "null";
  else
    appendJsonString(out, place);
}

void appendBool(std::string& out, std::string_view name, bool value) {
  appendJsonString(out, name);
  out += value ? ":true" : ":false";
}

std::string countsObject(const DifferenceCounts& counts, bool contents) {
  std::string out = "{";
  appendNumber(out, "cellsCompared", counts.cellsCompared);
  out.push_back(',');
  appendNumber(out, "differences", counts.differences());
  for (const CountedNames& kind : countedKinds()) {
    if (!countShown(kind, contents)) continue;
    out.push_back(',');
    appendNumber(out, kind.jsonMember, counts[kind.counted]);
  }
  return out;  // left open for the members a total adds
}

std::string totalObject(const ResultTotal& total, std::string_view extraMembers, bool contents) {
  std::string out = countsObject(total.counts, contents);
  const std::pair<const char*, long> members[] = {
      {"sheetPairs", total.sheetPairs},
      {"sheetPairsWithDifferences", total.sheetPairsWithDifferences},
      {"sheetsOnlyInFile1", total.onlyInFirst},
      {"sheetsOnlyInFile2", total.onlyInSecond},
      {"sheetsRenamed", total.renamed},
      {"sheetsMoved", total.moved}};
  for (const auto& [name, value] : members) {
    out.push_back(',');
    appendNumber(out, name, value);
  }
  if (!extraMembers.empty()) out += "," + std::string(extraMembers);
  return out + "}";
}

}  // namespace

std::string jsonDocumentStart() {
  std::string out = "{";
  appendMember(out, "format", kJsonFormat);
  out.push_back(',');
  appendNumber(out, "version", kJsonVersion);
  return out + ",\"comparisons\":[\n";
}

std::string jsonDocumentEnd(const ResultTotal& total, std::string_view extraMembers,
                            bool contents) {
  return "\n],\"total\":" + totalObject(total, extraMembers, contents) + "}\n";
}

std::string jsonPathObject(std::string_view path, std::string_view state, std::string_view file1,
                           std::string_view file2, std::string_view failure) {
  std::string out = "{";
  appendMember(out, "path", path);
  out.push_back(',');
  appendMember(out, "state", state);
  if (!file1.empty()) {
    out.push_back(',');
    appendMember(out, "file1", file1);
  }
  if (!file2.empty()) {
    out.push_back(',');
    appendMember(out, "file2", file2);
  }
  if (!failure.empty()) {
    out.push_back(',');
    appendMember(out, "failure", failure);
  }
  return out + "}";
}

JsonRenderer::JsonRenderer(ByteSink& out, RenderOptions options)
    : ScriptRenderer(out, std::move(options)) {}

void JsonRenderer::begin(const ResultHeading& heading) {
  std::string& text = out_.text();
  text += '{';
  if (!options_.section.empty()) {
    appendMember(text, "path", options_.section);
    text += ',';
  }
  appendMember(text, "file1", options_.name1.empty() ? heading.path1 : options_.name1);
  text += ',';
  appendMember(text, "file2", options_.name2.empty() ? heading.path2 : options_.name2);
  text += ',';
  appendMember(text, "date", heading.now);
  text += ',';
  appendMember(text, "caption", heading.caption);
  text += ",\"sheetPairs\":[";
}

void JsonRenderer::tableBegun(const TableStart& table, bool newPair) {
  inFirst_ = table.inFirst;
  inSecond_ = table.inSecond;
  if (!newPair) return;
  const std::size_t pairs = tally_.pairs().size();
  if (pairs > 1) closePair(tally_.pairs()[pairs - 2]);
  openPair(tally_.current());
}

void JsonRenderer::finish() {
  std::string& text = out_.text();
  closePairs();
  if (workbookItems_)
    text += "\n]";
  else if (options_.contents)
    text += ",\"workbookDifferences\":[]";
  const ResultTotal total = tally_.total();
  text += ",\"total\":" + totalObject(total, {}, options_.contents);
  if (!options_.section.empty()) {
    text += ',';
    appendMember(text, "state", total.differs() ? "different" : "same");
  }
  text += '}';
  out_.flush();
}

void JsonRenderer::openPair(const SheetPairSummary& pair) {
  std::string& text = out_.text();
  text += tally_.pairs().size() > 1 ? ",\n{" : "\n{";
  auto name = [&text](std::string_view member, bool inFile, std::string_view sheet) {
    appendJsonString(text, member);
    text.push_back(':');
    if (inFile)
      appendJsonString(text, sheet);
    else
      text += "null";
  };
  name("sheet1", pair.inFirst, pair.sheet1);
  text += ',';
  name("sheet2", pair.inSecond, pair.sheet2);
  text += ',';
  appendPosition(text, "position1", pair.position1);
  text += ',';
  appendPosition(text, "position2", pair.position2);
  text += ",\"onlyIn\":";
  text += !pair.inSecond ? "\"file1\"" : !pair.inFirst ? "\"file2\"" : "null";
  text += ',';
  appendBool(text, "renamed", pair.renamed);
  text += ',';
  appendBool(text, "moved", pair.moved);
  text += ",\"differences\":[";
  firstItem_ = true;
}

void JsonRenderer::closePair(const SheetPairSummary& pair) {
  out_.text() += (firstItem_ ? "]" : "\n]") + std::string(",\"summary\":") +
                 countsObject(pair.counts, options_.contents) + "}}";
}

void JsonRenderer::closePairs() {
  if (pairsClosed_) return;
  pairsClosed_ = true;
  if (!tally_.pairs().empty()) closePair(tally_.current());
  out_.text() += "]";
}

void JsonRenderer::writeContentMembers(const ContentItem& item) {
  std::string& text = out_.text();
  const ContentSides sides = contentSides(item);
  const std::pair<const char*, const std::string*> members[] = {{"subject", &item.subject},
                                                                {"text1", &sides.text1},
                                                                {"text2", &sides.text2},
                                                                {"detail", &item.detail}};
  for (const auto& [name, value] : members) {
    if (value->empty()) continue;
    text += ',';
    appendMember(text, name, *value);
  }
  if (item.count > 1) {
    text += ',';
    appendNumber(text, "count", item.count);
  }
}

void JsonRenderer::writeItem(const DifferenceItem& item) {
  std::string& text = out_.text();
  if (item.content && workbookWide(item.kind) && !workbookItems_) {
    // The whole workbook's differences follow the sheet pairs in a list of their own.
    closePairs();
    text += ",\"workbookDifferences\":[";
    workbookItems_ = true;
    firstItem_ = true;
  }
  text += firstItem_ ? "\n{" : ",\n{";
  firstItem_ = false;
  if (item.content && workbookWide(item.kind)) {
    appendMember(text, "kind", itemKindNames(item.kind).json);
    writeContentMembers(*item.content);
    text += '}';
    return;
  }
  appendMember(text, "kind", itemKindNames(item.kind).json);
  text += ',';
  appendBool(text, "key", item.key);
  text += ',';
  if (item.content) {
    // A run of hidden rows or columns is named by its first and last: "5:9".
    auto place = [&](std::string_view name, bool inFile, bool first) {
      const std::string where = inFile ? contentPlace(*item.content, first) : std::string();
      appendJsonString(text, name);
      text += ':';
      if (where.empty())
        text += "null";
      else
        appendJsonString(text, where);
    };
    place("cell1", inFirst_, true);
    text += ',';
    place("cell2", inSecond_, false);
  } else {
    appendPlace(text, "cell1", inFirst_, item.row1, item.column1);
    text += ',';
    appendPlace(text, "cell2", inSecond_, item.row2, item.column2);
  }
  const std::pair<const char*, long> numbers[] = {{"row1", inFirst_ ? item.row1 : 0},
                                                  {"column1", inFirst_ ? item.column1 : 0},
                                                  {"row2", inSecond_ ? item.row2 : 0},
                                                  {"column2", inSecond_ ? item.column2 : 0}};
  for (const auto& [name, value] : numbers) {
    text += ',';
    appendPosition(text, name, value);
  }
  if (item.content) writeContentMembers(*item.content);
  if (const CellPair* cell = item.cell) {
    text += ',';
    appendMember(text, "text1", cell->text1);
    text += ',';
    appendMember(text, "text2", cell->text2);
    if (!cell->formula1.empty() || !cell->formula2.empty()) {
      text += ',';
      appendMember(text, "formula1", cell->formula1);
      text += ',';
      appendMember(text, "formula2", cell->formula2);
    }
  }
  text += '}';
}

}  // namespace quill
