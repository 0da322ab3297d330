#pragma once

#include <xlsxwriter.h>

#include <string>
#include <vector>

#include "review/review_formats.h"
#include "review/review_result.h"

namespace quill {

// Writes the "Differences" worksheet: the two files, the caption and the summary lines at the
// top, then a header and one row for each listed difference with a link to its cell in the
// marked worksheet. sheetNames2 are the names the marked worksheets take, by File #2's
// worksheet position from 1 (element 0 unused).
void writeReviewListing(lxw_worksheet* out, const ReviewResult& result,
                        const std::vector<std::string>& sheetNames2, ReviewFormats& formats);

// The link target of a cell of a marked worksheet: "internal:'My Sheet'!C3".
std::string internalLink(const std::string& sheetName, long row, long column);

}  // namespace quill
