#include "report/text_renderer.h"

#include "engine/line_diff.h"
#include "formula/parsed_formula.h"
#include "report/content_wording.h"
#include "report/difference_items.h"
#include "report/plain_escapes.h"

namespace quill {

namespace {

constexpr const char* kBold = "\x1b[1m";
constexpr const char* kRed = "\x1b[31m";
constexpr const char* kGreen = "\x1b[32m";
constexpr const char* kPlain = "\x1b[0m";

// A worksheet's name as an address starts with it: quoted where a reference would quote
// it, without control characters.
std::string sheetReference(std::string_view name) {
  std::string out;
  appendTerminalText(out, quotedSheetName(std::string(name)), false);
  return out;
}

std::string plural(long n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

// "2 different values, 1 missing in FILE2", the kinds that occur, and how many of them lie
// in key cells; "" when none does.
std::string kindsText(const DifferenceCounts& counts) {
  std::string text;
  auto add = [&](const CountedNames& kind) {
    if (counts[kind.counted] > 0)
      text += (text.empty() ? "" : ", ") + plural(counts[kind.counted], kind.one, kind.many);
  };
  for (const CountedNames& kind : countedKinds())
    if (kind.difference) add(kind);
  add(countedKinds()[std::size_t(Counted::KeyCells)]);
  return text;
}

std::string countsText(const DifferenceCounts& counts) {
  std::string text = plural(counts.cellsCompared, "cell", "cells") + " compared, ";
  if (counts.differences() == 0) return text + "no differences";
  return text + plural(counts.differences(), "difference", "differences") + " (" +
         kindsText(counts) + ")";
}

std::string pairLabel(const SheetPairSummary& pair) {
  if (!pair.inFirst) return sheetReference(pair.sheet2);
  if (!pair.inSecond || pair.sheet1 == pair.sheet2) return sheetReference(pair.sheet1);
  return sheetReference(pair.sheet1) + " / " + sheetReference(pair.sheet2);
}

// What is special about how a pair's sheets stand: "only in FILE2", "moved from position 2
// to 3"; "" when nothing is.
std::string standingText(const SheetPairSummary& pair) {
  if (!pair.inFirst) return "only in FILE2";
  if (!pair.inSecond) return "only in FILE1";
  if (pair.samePosition)
    return "compared with " + sheetReference(pair.sheet2) + " at the same position";
  std::string text = pair.renamed ? "renamed" : "";
  if (pair.moved)
    text += (text.empty() ? "" : ", ") + std::string("moved from position ") +
            std::to_string(pair.position1) + " to " + std::to_string(pair.position2);
  return text;
}

}  // namespace

std::string textSectionLine(std::string_view relativePath) {
  std::string line = "== ";
  appendTerminalText(line, relativePath, false);
  return line + " ==\n";
}

TextRenderer::TextRenderer(ByteSink& out, RenderOptions options)
    : ScriptRenderer(out, std::move(options)) {}

void TextRenderer::colour(const char* code) {
  if (options_.colour && code != nullptr) out_.text().append(code);
}

void TextRenderer::begin(const ResultHeading& heading) {
  std::string& text = out_.text();
  if (!options_.section.empty()) text += textSectionLine(options_.section);
  text += "FILE1: ";
  appendTerminalText(text, options_.name1.empty() ? heading.path1 : options_.name1, false);
  text += "\nFILE2: ";
  appendTerminalText(text, options_.name2.empty() ? heading.path2 : options_.name2, false);
  text += '\n';
  // Each line of the caption on a line of its own.
  for (std::string_view caption = heading.caption; !caption.empty();) {
    const std::size_t end = caption.find('\n');
    appendTerminalText(text, caption.substr(0, end), false);
    text += '\n';
    caption = end == std::string_view::npos ? std::string_view() : caption.substr(end + 1);
  }
  text += '\n';
}

void TextRenderer::tableBegun(const TableStart& table, bool newPair) {
  sheetName1_ = sheetReference(table.sheet1);
  sheetName2_ = sheetReference(table.sheet2);
  inFirst_ = table.inFirst;
  inSecond_ = table.inSecond;
  if (newPair) writeSheetLines();
}

void TextRenderer::finish() {
  writeSummary();
  out_.flush();
}

void TextRenderer::writeSheetLines() {
  const SheetPairSummary& pair = tally_.current();
  const std::string standing = standingText(pair);
  if (standing.empty()) return;
  listed_ = true;
  std::string& text = out_.text();
  colour(kBold);
  text += pairLabel(pair);
  colour(kPlain);
  text += ": sheet " + standing + '\n';
}

void TextRenderer::writeAddress(const DifferenceItem& item) {
  const ItemSheets sheets{sheetName1_, sheetName2_, inFirst_, inSecond_};
  colour(kBold);
  out_.text() += itemAddress(sheets, item.row1, item.column1, item.row2, item.column2);
  colour(kPlain);
  out_.text() += ": ";
}

void TextRenderer::writeContentAddress(const ContentItem& item) {
  std::string address;
  if (workbookWide(item.kind)) {
    appendTerminalText(address, item.subject, false);
  } else {
    const std::string place1 = contentPlace(item, true), place2 = contentPlace(item, false);
    const std::string first = place1.empty() ? sheetName1_ : sheetName1_ + "!" + place1;
    const std::string second = place2.empty() ? sheetName2_ : sheetName2_ + "!" + place2;
    address = first == second ? first : first + " / " + second;
  }
  colour(kBold);
  out_.text() += address;
  colour(kPlain);
  out_.text() += ": ";
}

void TextRenderer::writeContentItem(const ContentItem& item) {
  writeContentAddress(item);
  std::string& text = out_.text();
  text += itemKindNames(item.kind).text;
  auto side = [&](std::string_view value, const char* code, bool quoted) {
    colour(code);
    if (value.empty())
      text += "(none)";
    else
      appendTerminalText(text, value, quoted);
    colour(kPlain);
  };
  auto change = [&](bool quoted) {
    text += ' ';
    side(item.text1, kRed, quoted);
    text += " -> ";
    side(item.text2, kGreen, quoted);
  };
  switch (item.kind) {
    case ItemKind::DifferentNote:
      change(true);
      break;
    case ItemKind::NameAdded:
    case ItemKind::NameRemoved:
      text += item.kind == ItemKind::NameAdded ? " (now " : " (was ";
      side(item.kind == ItemKind::NameAdded ? item.text2 : item.text1, nullptr, false);
      text += ')';
      break;
    case ItemKind::NameChanged:
      change(false);
      break;
    case ItemKind::SheetHidden:
    case ItemKind::SheetShown:
      text += " (";
      side(item.text1, nullptr, false);
      text += " -> ";
      side(item.text2, nullptr, false);
      text += ')';
      break;
    case ItemKind::MergedAdded:
    case ItemKind::MergedRemoved:
      text += ' ' + item.subject;
      break;
    case ItemKind::DifferentFormat:
      text += " (" + item.detail + ")";
      change(false);
      break;
    case ItemKind::MacroProblem:
      text += " (";
      appendTerminalText(text, item.detail, false);
      text += ')';
      break;
    default:
      break;
  }
  text += '\n';
  if (item.kind < ItemKind::MacroAdded || item.kind > ItemKind::MacroChanged) return;
  // The module's changed lines, each on a line of its own after two spaces.
  for (std::string_view diffLine : splitLines(item.detail)) {
    text += "  ";
    const char* code = diffLine.starts_with('-')   ? kRed
                       : diffLine.starts_with('+') ? kGreen
                                                   : nullptr;
    colour(code);
    appendTerminalText(text, diffLine, false);
    colour(kPlain);
    text += '\n';
  }
}

void TextRenderer::writeItem(const DifferenceItem& item) {
  listed_ = true;
  if (item.content != nullptr) return writeContentItem(*item.content);
  writeAddress(item);
  std::string& text = out_.text();
  auto value = [&](std::string_view cellText, const char* code, bool quoted) {
    colour(code);
    appendTerminalText(text, cellText, quoted || !isBareText(cellText));
    colour(kPlain);
  };
  auto formulas = [&](std::string_view formula1, std::string_view formula2) {
    colour(kRed);
    appendTerminalText(text, formula1.empty() ? "(no formula)" : formula1, false);
    colour(kPlain);
    text += " -> ";
    colour(kGreen);
    appendTerminalText(text, formula2.empty() ? "(no formula)" : formula2, false);
    colour(kPlain);
  };
  if (item.key) text += "key ";
  const CellPair* cell = item.cell;
  const std::string_view name = itemKindNames(item.kind).text;
  switch (item.kind) {
    case ItemKind::DifferentValue:
      value(cell->text1, kRed, false);
      text += " -> ";
      value(cell->text2, kGreen, false);
      if (cell->formula1 != cell->formula2) {
        text += " (formula ";
        formulas(cell->formula1, cell->formula2);
        text += ')';
      }
      break;
    case ItemKind::MissingInSecond:
    case ItemKind::MissingInFirst: {
      // The text that only one file holds: what was there, or what is there now.
      const bool was = item.kind == ItemKind::MissingInSecond;
      text += name;
      text += was ? " (was " : " (now ";
      value(was ? cell->text1 : cell->text2, was ? kRed : kGreen, true);
      text += ')';
      break;
    }
    case ItemKind::DifferentFormula:
      text += name;
      text += ' ';
      formulas(cell->formula1, cell->formula2);
      text += " (value ";
      value(cell->text1, nullptr, false);
      text += ')';
      break;
    default:  // a whole row or column, or a repeated key: its name says all
      text += name;
      break;
  }
  text += '\n';
}

void TextRenderer::writeSummary() {
  if (listed_) out_.text() += '\n';
  out_.text() += textSummary(tally_.pairs(), tally_.total());
}

std::string textSummary(const std::vector<SheetPairSummary>& pairs, const ResultTotal& total) {
  std::string text;
  for (const SheetPairSummary& pair : pairs) {
    text += pairLabel(pair) + ": " + countsText(pair.counts);
    if (const std::string standing = standingText(pair); !standing.empty())
      text += "; sheet " + standing;
    text += '\n';
  }
  const DifferenceCounts& counts = total.counts;
  text += "Total: " + plural(counts.cellsCompared, "cell", "cells") + " compared in " +
          plural(total.sheetPairs, "sheet pair", "sheet pairs") + ", " +
          plural(counts.differences(), "difference", "differences");
  if (counts.differences() > 0)
    text += " in " + std::to_string(total.sheetPairsWithDifferences) + " of them (" +
            kindsText(counts) + ")";
  const std::pair<long, std::string> sheets[] = {
      {total.onlyInFirst, plural(total.onlyInFirst, "sheet", "sheets") + " only in FILE1"},
      {total.onlyInSecond, plural(total.onlyInSecond, "sheet", "sheets") + " only in FILE2"},
      {total.renamed, plural(total.renamed, "sheet", "sheets") + " renamed"},
      {total.moved, plural(total.moved, "sheet", "sheets") + " moved"}};
  for (const auto& [count, words] : sheets)
    if (count > 0) text += "; " + words;
  text += '\n';
  return text;
}

}  // namespace quill
