#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "review/review_listing.h"

namespace quill {

// Element content with the characters XML cannot hold written as a workbook writes them
// ("_x0001_").
std::string escapedCellText(std::string_view text);

// The listing written as a worksheet part of its own, streamed to its output: texts inline,
// the headings in the bold format given, the links to cells of the marked worksheets.
class ListingPart final : public ListingCells {
 public:
  using Output = std::function<void(std::string_view)>;

  ListingPart(Output output, long boldStyle);

  void text(long row, int column, const std::string& text, bool bold) override;
  void link(long row, int column, const std::string& location, const std::string& shown) override;
  // Writes the end of the part.
  void finish();

 private:
  void cell(long row, int column, const std::string& text, bool bold);

  struct Link {
    std::string cell;
    std::string location;
  };
  Output output_;
  std::string bold_;
  long row_ = -1;  // the open row, from 0
  std::vector<Link> links_;
};

}  // namespace quill
