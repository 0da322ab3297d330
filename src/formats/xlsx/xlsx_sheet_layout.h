#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/package/xml_stream.h"
#include "sheet/workbook_contents.h"

namespace quill::xlsx {

// Collects what a worksheet part says besides its cells' values, as far as asked for:
// hidden rows and columns, merged ranges, and the cells whose format is not the default.
class SheetLayoutCollector {
 public:
  // cellFormats maps a cell's style index to the workbook's formats table; fail reports a
  // malformed element and does not return.
  SheetLayoutCollector(const ContentsToRead& read, const std::vector<std::uint32_t>& cellFormats,
                       SheetContents& contents, std::function<void(const std::string&)> fail);

  // An element outside the cells (cols, mergeCells).
  void outsideCells(std::string_view name, const XmlAttributes& attributes);
  void row(long row, const XmlAttributes& attributes);
  // The style a cell without a style of its own takes: its row's, when the row has a custom
  // format, or else its column's.
  unsigned long lineStyle(long column) const {
    if (rowStyle_ != 0) return rowStyle_;
    return std::size_t(column) < columnStyles_.size() ? columnStyles_[std::size_t(column)] : 0;
  }
  void cell(long row, long column, unsigned long style) {
    if (style == 0 || style >= cellFormats_.size() || cellFormats_[style] == 0) return;
    if (contents_.formats.size() >= kMaxFormattedCells) refuseFormattedCells();
    contents_.formats.push_back({row, column, cellFormats_[style]});
  }
  // Puts what was collected in order; call once the part is read.
  void finish();

 private:
  // Most cells of a worksheet with a format of their own, so that a hostile part of empty
  // styled cells stays harmless.
  static constexpr std::size_t kMaxFormattedCells = std::size_t(1) << 24;

  [[noreturn]] void refuseFormattedCells() const;
  void addMerged(std::string_view reference);
  void addHiddenColumns(const XmlAttributes& attributes);
  void addColumnStyle(const XmlAttributes& attributes);

  ContentsToRead read_;
  const std::vector<std::uint32_t>& cellFormats_;
  SheetContents& contents_;
  std::function<void(const std::string&)> fail_;
  unsigned long rowStyle_ = 0;               // of the row being read, 0 for none
  std::vector<unsigned long> columnStyles_;  // by column number, empty until a column has one
};

}  // namespace quill::xlsx
