#pragma once

#include <xlsxwriter.h>

#include <string>
#include <vector>

#include "review/review_formats.h"
#include "review/review_result.h"

namespace quill {

// Where the listing's cells go, row by row and, in a row, column by column (both from 0).
class ListingCells {
 public:
  virtual ~ListingCells() = default;
  virtual void text(long row, int column, const std::string& text, bool bold) = 0;
  // location: a cell of a marked worksheet, "'My Sheet'!C3".
  virtual void link(long row, int column, const std::string& location,
                    const std::string& shown) = 0;
};

// Writes the "Differences" listing into its cells: the two files, the caption and the summary
// lines at the top, then a header and one row for each listed difference with a link to its
// cell in the marked worksheet. sheetNames2 are the names of the marked worksheets, by File
// #2's worksheet position from 1 (element 0 unused).
void writeReviewListing(ListingCells& out, const ReviewResult& result,
                        const std::vector<std::string>& sheetNames2);

// Writes the "Differences" worksheet: the two files, the caption and the summary lines at the
// top, then a header and one row for each listed difference with a link to its cell in the
// marked worksheet. sheetNames2 are the names the marked worksheets take, by File #2's
// worksheet position from 1 (element 0 unused).
void writeReviewListing(lxw_worksheet* out, const ReviewResult& result,
                        const std::vector<std::string>& sheetNames2, ReviewFormats& formats);

// A cell of a worksheet as a link's location names it: "'My Sheet'!C3".
std::string sheetLocation(const std::string& sheetName, long row, long column);

// The link target of a cell of a marked worksheet: "internal:'My Sheet'!C3".
std::string internalLink(const std::string& sheetName, long row, long column);

}  // namespace quill
