#include "formats/workbook_file.h"

#include <new>

#include "formats/csv/csv_reader.h"
#include "formats/encrypted_workbook.h"
#include "formats/format_probe.h"
#include "formats/macros/macro_reading.h"
#include "formats/ods/ods_reader.h"
#include "formats/xls/xls_reader.h"
#include "formats/xlsb/xlsb_reader.h"
#include "formats/xlsx/xlsx_reader.h"

namespace quill {

namespace {

std::unique_ptr<StoredWorkbook> readRecognisedFile(const std::string& path,
                                                   const ReadOptions& options) {
  switch (probeWorkbookFormat(path)) {
    case WorkbookFormat::Xlsx:
      return readXlsxWorkbook(path, options);
    case WorkbookFormat::Ods:
      return readOdsWorkbook(path, options);
    case WorkbookFormat::Xls:
      return readXlsWorkbook(path, options);
    case WorkbookFormat::Csv:
      return readCsvWorkbook(path, options);
    case WorkbookFormat::Xlsb:
      return readXlsbWorkbook(path, options);
    case WorkbookFormat::EncryptedPackage:
      return readEncryptedPackageWorkbook(path, options);
  }
  throw WorkbookError("\"" + path + "\" is not a workbook");
}

}  // namespace

std::unique_ptr<StoredWorkbook> readWorkbookFile(const std::string& path) {
  return readWorkbookFile(path, ReadOptions{});
}

std::unique_ptr<StoredWorkbook> readWorkbookFile(const std::string& path,
                                                 const ReadOptions& options) {
  try {
    std::unique_ptr<StoredWorkbook> workbook = readRecognisedFile(path, options);
    readMacrosInto(path, options, workbook->contents());
    return workbook;
  } catch (const std::bad_alloc&) {
    throw WorkbookError("\"" + path + "\" cannot be read: it needs more memory than is available");
  }
}

}  // namespace quill
