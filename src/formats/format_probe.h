#pragma once

#include <string>

namespace quill {

// The kinds of file readWorkbookFile tells apart by their content.
enum class WorkbookFormat {
  Xlsx,              // zip package with an XML workbook part
  Xlsb,              // zip package with a binary workbook part
  Ods,               // zip package with the OpenDocument spreadsheet mimetype
  Xls,               // compound file with a Workbook or Book stream, or a bare BIFF stream
  EncryptedPackage,  // compound file holding a password-protected zip package
  Csv,               // any other file whose name ends in .csv
};

// Recognises a workbook file from its first bytes and the parts or streams it holds; the
// name counts only for .csv. Throws WorkbookError naming the file when it is no workbook.
WorkbookFormat probeWorkbookFormat(const std::string& path);

class ZipArchive;
// The same for a zip package already open.
WorkbookFormat probePackageFormat(const ZipArchive& package);

}  // namespace quill
