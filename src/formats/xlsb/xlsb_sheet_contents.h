#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/package/zip_archive.h"
#include "formats/xlsb/xlsb_records.h"
#include "sheet/workbook_contents.h"

namespace quill::xlsb {

// What the contents of every worksheet refer to: what is asked for and the number in the
// workbook's formats table of each cell format.
struct ContentsContext {
  ContentsToRead wanted;
  std::vector<std::uint32_t> cellFormats;
};

// Reads what a binary worksheet part holds besides its cells' values, as far as asked for:
// hidden rows (BrtRowHdr) and columns (BrtColInfo), merged ranges (BrtMergeCell) and each
// cell's format.
class SheetContentsRecords {
 public:
  SheetContentsRecords(const ContentsContext& context, std::string errorPrefix)
      : context_(context), errorPrefix_(std::move(errorPrefix)) {}

  void take(const Record& record);
  // Puts what was read, in order, into the sheet's contents.
  void finish(SheetContents& contents);

 private:
  void readRow(FieldCursor& cursor);
  void readColumns(FieldCursor& cursor);
  void readMerged(FieldCursor& cursor);
  void readCellFormat(FieldCursor& cursor);
  [[noreturn]] void fail(const std::string& reason) const;

  const ContentsContext& context_;
  std::string errorPrefix_;
  long row_ = 0;
  std::vector<LineSpan> hiddenRows_;
  std::vector<LineSpan> hiddenColumns_;
  std::vector<Area> merged_;
  std::vector<FormattedCell> formats_;
};

// Reads the notes of a worksheet from its comments part into notes, in row-major order.
void readComments(const ZipArchive& zip, std::string_view part, std::vector<CellNote>& notes);

}  // namespace quill::xlsb
