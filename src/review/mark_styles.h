#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "review/review_marks.h"

namespace quill {

// The cell formats (cellXfs) of a styles part and the marked copies the marked worksheets
// ask for: each copy is the cell's own format with the fill of a mark, so that its number
// format, font, borders and alignment stay.
class MarkStyles {
 public:
  // Reads the formats and the count of fills of the styles part's text; throws WriteError
  // when it has no cell formats or fills to add to.
  MarkStyles(std::string stylesPart, std::string description);

  // The index of the marked copy of a cell format (an index the part lacks counts as 0).
  long marked(long style, MarkKind kind);
  // The index of a bold copy of the default format, for the listing's headings.
  long bold();

  // The styles part with the fills, the bold font and the marked copies added.
  std::string rewritten() const;

 private:
  struct CellFormat {
    std::string name;                                             // as written, prefix included
    std::vector<std::pair<std::string, std::string>> attributes;  // as read
    std::string children;                                         // the elements inside, as written
  };
  friend class StylesReader;
  friend class StylesWriter;
  std::string clone(const CellFormat& format, long fillId, long fontId) const;

  std::string text_;
  std::string description_;
  std::vector<CellFormat> formats_;
  long fills_ = 0;
  long fonts_ = 0;
  std::string boldFont_;  // the default font with bold added
  std::map<std::pair<long, MarkKind>, long> marked_;
  std::vector<std::pair<long, MarkKind>> order_;  // the marked copies in the order added
  long bold_ = -1;
};

}  // namespace quill
