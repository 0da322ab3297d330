#include "formats/xlsx/xlsx_reader.h"

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
  const xlsx::WorkbookPart workbookPart = xlsx::readWorkbookPart(zip);

  auto workbook = std::make_unique<StoredWorkbook>(options.keepSpaces);
  std::vector<std::string_view> sharedStrings;
  if (!workbookPart.sharedStringsPart.empty())
    sharedStrings = xlsx::readSharedStrings(zip, workbookPart.sharedStringsPart, workbook->arena(),
                                            options.keepSpaces);
  xlsx::DateStyles dateStyles;
  if (!workbookPart.stylesPart.empty())
    dateStyles = xlsx::readDateStyles(zip, workbookPart.stylesPart);

  const xlsx::WorksheetContext context{sharedStrings, dateStyles, workbookPart.date1904,
                                       options.formulas};
  for (const xlsx::WorksheetEntry& entry : workbookPart.worksheets)
    xlsx::readWorksheetCells(zip, entry.part, context, *workbook, entry.name);
  workbook->finish();
  return workbook;
}

}  // namespace quill
