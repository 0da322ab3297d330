#include "formats/xlsb/xlsb_reader.h"

#include <optional>

#include "formats/package/cell_format_table.h"
#include "formats/xlsb/xlsb_shared_strings.h"
#include "formats/xlsb/xlsb_styles.h"
#include "formats/xlsb/xlsb_workbook_part.h"
#include "formats/xlsb/xlsb_worksheet.h"
#include "formats/xlsx/xlsx_package.h"

namespace quill {

namespace {

// What the contents of the worksheets need from the styles part, and what was read.
std::optional<xlsb::ContentsContext> contentsContext(const xlsb::WorkbookPart& workbookPart,
                                                     const ContentsToRead& wanted,
                                                     const xlsx::CellStyles& styles,
                                                     WorkbookContents& contents) {
  if (!wanted.any()) return std::nullopt;
  xlsb::ContentsContext context{wanted, {}};
  contents.read.recordReadBesidesMacros(wanted);
  contents.names = workbookPart.names;
  if (wanted.formats) {
    context.cellFormats = styles.formats;
    if (contents.formats.empty()) contents.formats.push_back(plainFormat());
  }
  return context;
}

// The notes of a worksheet, from the comments part its relationships name, if any.
void readSheetNotes(const ZipArchive& zip, const std::string& sheetPart, SheetContents& contents) {
  // A worksheet without relationships has no notes.
  if (!xlsx::hasPart(zip, xlsx::relationshipsPartName(sheetPart))) return;
  const auto relationships = xlsx::readRelationships(zip, sheetPart);
  const xlsx::Relationship* comments = xlsx::findRelationship(relationships, "comments");
  if (comments == nullptr || comments->external) return;
  xlsb::readComments(zip, comments->target, contents.notes);
}

}  // namespace

std::unique_ptr<StoredWorkbook> readXlsbWorkbook(const std::string& path,
                                                 const ReadOptions& options) {
  return readXlsbPackage(ZipArchive(path, options.stop), options);
}

std::unique_ptr<StoredWorkbook> readXlsbPackage(const ZipArchive& zip, const ReadOptions& options) {
  const xlsb::WorkbookPart workbookPart = xlsb::readWorkbookPart(zip, options.contents.names);

  auto workbook = std::make_unique<StoredWorkbook>(options.keepSpaces);
  std::vector<std::string_view> sharedStrings;
  if (!workbookPart.sharedStringsPart.empty())
    sharedStrings = xlsb::readSharedStrings(zip, workbookPart.sharedStringsPart, workbook->arena(),
                                            options.keepSpaces);
  xlsx::CellStyles styles;
  if (!workbookPart.stylesPart.empty())
    styles =
        xlsb::readCellStyles(zip, workbookPart.stylesPart,
                             options.contents.formats ? &workbook->contents().formats : nullptr);

  const std::optional<xlsb::ContentsContext> contents =
      contentsContext(workbookPart, options.contents, styles, workbook->contents());
  const xlsb::WorksheetContext context{sharedStrings, styles.dates, workbookPart.date1904,
                                       options.formulas ? &workbookPart.formulaNames : nullptr,
                                       contents ? &*contents : nullptr};
  for (std::size_t i = 0; i < workbookPart.worksheets.size(); ++i) {
    const xlsx::WorksheetEntry& entry = workbookPart.worksheets[i];
    StoredSheet& sheet = workbook->addSheet(entry.name);
    xlsb::readWorksheetCells(zip, entry.part, context, sheet);
    if (!contents) continue;
    if (options.contents.hidden) sheet.contents().visibility = workbookPart.visibilities[i];
    if (options.contents.notes) readSheetNotes(zip, entry.part, sheet.contents());
  }
  workbook->finish();
  return workbook;
}

}  // namespace quill
