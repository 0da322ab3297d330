#include "cli/contents_listing.h"

#include "cli/listing_escapes.h"
#include "cli/text_dump.h"
#include "engine/line_diff.h"
#include "sheet/address.h"

namespace quill::cli {

namespace {

std::string nameOf(const DefinedName& name) {
  return escapeForListing(name.scopeSheet.empty() ? name.name : name.scopeSheet + "!" + name.name);
}

std::string cellOf(const std::string& sheet, long row, long column) {
  return escapeForListing(sheet) + "!" + columnLetters(column) + std::to_string(row);
}

std::string spanOf(const LineSpan& span, bool rows) {
  auto label = [rows](long line) { return rows ? std::to_string(line) : columnLetters(line); };
  return label(span.first) + ":" + label(span.last);
}

// A format as its number format and each emphasis it has.
std::string formatText(const CellFormat& format) {
  std::string text = "number format " + format.numberFormat;
  if (format.bold) text += "; bold";
  if (format.italic) text += "; italic";
  if (format.underline) text += "; underline";
  if (!format.fontColour.empty()) text += "; font colour " + format.fontColour;
  if (!format.fillColour.empty()) text += "; fill " + format.fillColour;
  return escapeForListing(text);
}

const char* visibilityText(SheetVisibility visibility) {
  return visibility == SheetVisibility::VeryHidden ? "very hidden" : "hidden";
}

void writeSheetContents(const std::string& name, const SheetContents& sheet,
                        const WorkbookContents& book, const ContentsToRead& parts,
                        std::ostream& out) {
  if (parts.hidden) {
    if (sheet.visibility != SheetVisibility::Visible)
      out << "sheet hidden\t" << escapeForListing(name) << '\t' << visibilityText(sheet.visibility)
          << '\n';
    for (const LineSpan& span : sheet.hiddenRows)
      out << "rows hidden\t" << escapeForListing(name) << '!' << spanOf(span, true) << '\n';
    for (const LineSpan& span : sheet.hiddenColumns)
      out << "columns hidden\t" << escapeForListing(name) << '!' << spanOf(span, false) << '\n';
  }
  if (parts.merged)
    for (const Area& area : sheet.merged)
      out << "merged\t" << escapeForListing(name) << '!' << columnLetters(area.firstColumn)
          << area.firstRow << ':' << columnLetters(area.lastColumn) << area.lastRow << '\n';
  if (parts.notes)
    for (const CellNote& note : sheet.notes)
      out << "note\t" << cellOf(name, note.row, note.column) << '\t'
          << escapeForListing(note.author) << '\t' << escapeForListing(note.text) << '\n';
  if (parts.formats)
    for (const FormattedCell& cell : sheet.formats)
      if (cell.format < book.formats.size())
        out << "format\t" << cellOf(name, cell.row, cell.column) << '\t'
            << formatText(book.formats[cell.format]) << '\n';
}

}  // namespace

void writeContentsListing(const StoredWorkbook& workbook, const ContentsToRead& parts,
                          std::ostream& out) {
  const WorkbookContents& book = workbook.contents();
  if (parts.names)
    for (const DefinedName& name : book.names)
      out << "name\t" << nameOf(name) << '\t' << escapeForListing(name.formula) << '\n';
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i) {
    const Worksheet& sheet = workbook.sheet(i);
    writeSheetContents(sheet.name(), sheet.contents(), book, parts, out);
  }
  if (!parts.macros) return;
  for (const MacroModule& module : book.macros) {
    out << "macro\t" << escapeForListing(module.name) << '\n';
    for (std::string_view line : splitLines(module.source))
      out << '\t' << escapeForListing(line) << '\n';
  }
  if (!book.macroProblem.empty())
    out << "macro project unreadable\t" << escapeForListing(book.macroProblem) << '\n';
}

void writeDumpNotes(const SheetContents& sheet, std::ostream& out) {
  for (const CellNote& note : sheet.notes) {
    const std::string text = note.author.empty() ? note.text : note.author + ": " + note.text;
    out << "# note " << columnLetters(note.column) << note.row << ": " << quoteForDump(text)
        << '\n';
  }
}

void writeDumpNamesAndMacros(const WorkbookContents& contents, std::ostream& out) {
  if (!contents.names.empty()) {
    out << "Names:\n";
    for (const DefinedName& name : contents.names)
      out << "  " << nameOf(name) << " " << escapeForListing(name.formula) << '\n';
  }
  for (const MacroModule& module : contents.macros) {
    out << "Macro: " << escapeForListing(module.name) << '\n';
    for (std::string_view line : splitLines(module.source))
      out << "  " << escapeForListing(line) << '\n';
  }
  if (!contents.macroProblem.empty())
    out << "Macro project unreadable: " << escapeForListing(contents.macroProblem) << '\n';
}

}  // namespace quill::cli
