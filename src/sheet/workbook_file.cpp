#include "sheet/workbook_file.h"

#include "sheet/xlsx/xlsx_reader.h"

namespace quill {

std::unique_ptr<StoredWorkbook> readWorkbookFile(const std::string& path) {
  return readXlsxWorkbook(path);
}

}  // namespace quill
