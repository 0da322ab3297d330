#include "formats/xlsx/xlsx_reader.h"

#include "formats/package/cell_format_table.h"
#include "formats/xlsx/xlsx_notes.h"
#include "formats/xlsx/xlsx_package.h"
#include "formats/xlsx/xlsx_shared_strings.h"
#include "formats/xlsx/xlsx_styles.h"
#include "formats/xlsx/xlsx_workbook_part.h"
#include "formats/xlsx/xlsx_worksheet.h"

namespace quill {

std::unique_ptr<StoredWorkbook> readXlsxWorkbook(const std::string& path,
                                                 const ReadOptions& options) {
  return readXlsxPackage(ZipArchive(path, options.stop), options);
}

std::unique_ptr<StoredWorkbook> readXlsxPackage(const ZipArchive& zip, const ReadOptions& options) {
  const ContentsToRead& asked = options.contents;
  xlsx::WorkbookPart workbookPart = xlsx::readWorkbookPart(zip, asked.names);

  auto workbook = std::make_unique<StoredWorkbook>(options.keepSpaces);
  WorkbookContents& contents = workbook->contents();
  std::vector<std::string_view> sharedStrings;
  if (!workbookPart.sharedStringsPart.empty())
    sharedStrings = xlsx::readSharedStrings(zip, workbookPart.sharedStringsPart, workbook->arena(),
                                            options.keepSpaces);
  xlsx::CellStyles styles;
  if (!workbookPart.stylesPart.empty())
    styles = xlsx::readCellStyles(zip, workbookPart.stylesPart,
                                  asked.formats ? &contents.formats : nullptr);
  if (asked.formats && contents.formats.empty()) {
    CellFormat general;
    general.numberFormat = "General";
    contents.formats.push_back(general);
  }

  xlsx::WorksheetContext context{sharedStrings, styles.dates, workbookPart.date1904,
                                 options.formulas};
  context.contents = asked;
  if (asked.formats) context.cellFormats = &styles.formats;
  xlsx::Persons persons;
  if (asked.notes && !workbookPart.personsPart.empty() &&
      xlsx::hasPart(zip, workbookPart.personsPart))
    persons = xlsx::readPersons(zip, workbookPart.personsPart);

  for (const xlsx::WorksheetEntry& entry : workbookPart.worksheets) {
    SheetContents& sheet =
        xlsx::readWorksheetCells(zip, entry.part, context, *workbook, entry.name).contents();
    if (asked.hidden) sheet.visibility = entry.visibility;
    if (asked.notes) sheet.notes = xlsx::readWorksheetNotes(zip, entry.part, persons);
  }
  if (asked.names) {
    contents.names = std::move(workbookPart.names);
    sortNames(contents.names);
  }
  contents.read.recordReadBesidesMacros(asked);
  workbook->finish();
  return workbook;
}

}  // namespace quill
