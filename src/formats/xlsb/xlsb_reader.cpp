#include "formats/xlsb/xlsb_reader.h"

#include "formats/xlsb/xlsb_shared_strings.h"
#include "formats/xlsb/xlsb_styles.h"
#include "formats/xlsb/xlsb_workbook_part.h"
#include "formats/xlsb/xlsb_worksheet.h"

namespace quill {

std::unique_ptr<StoredWorkbook> readXlsbWorkbook(const std::string& path,
                                                 const ReadOptions& options) {
  return readXlsbPackage(ZipArchive(path, options.stop), options);
}

std::unique_ptr<StoredWorkbook> readXlsbPackage(const ZipArchive& zip, const ReadOptions& options) {
  const xlsb::WorkbookPart workbookPart = xlsb::readWorkbookPart(zip);

  auto workbook = std::make_unique<StoredWorkbook>(options.keepSpaces);
  std::vector<std::string_view> sharedStrings;
  if (!workbookPart.sharedStringsPart.empty())
    sharedStrings = xlsb::readSharedStrings(zip, workbookPart.sharedStringsPart, workbook->arena(),
                                            options.keepSpaces);
  xlsx::DateStyles dateStyles;
  if (!workbookPart.stylesPart.empty())
    dateStyles = xlsb::readDateStyles(zip, workbookPart.stylesPart);

  const xlsb::WorksheetContext context{sharedStrings, dateStyles, workbookPart.date1904,
                                       options.formulas ? &workbookPart.formulaNames : nullptr};
  for (const xlsx::WorksheetEntry& entry : workbookPart.worksheets)
    xlsb::readWorksheetCells(zip, entry.part, context, workbook->addSheet(entry.name));
  workbook->finish();
  return workbook;
}

}  // namespace quill
