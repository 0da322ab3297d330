#pragma once

#include <string>
#include <string_view>

#include "engine/comparison.h"

namespace quill {

// The two document bodies a comparison builds, and how many differences went into them.
struct ReportBodies {
  std::string report;
  std::string grid;
  long differences = 0;
};

// Compares the texts of one cell position and appends what it gives: a data cell when
// they are equal; otherwise a row of the difference list and a marked grid cell. Every
// anchor names the first file's sheet and the cell at row, column.
void appendCellComparison(ReportBodies& bodies, const ComparisonRequest& request,
                          std::string_view sheet, long row, long column, std::string_view text1,
                          std::string_view text2);

// Appends the row of the difference list for two texts that differ: a missing value in the
// file whose text is empty, or a different value; counts it.
void appendDifferenceRow(ReportBodies& bodies, const ComparisonRequest& request,
                         std::string_view anchor, std::string_view text1, std::string_view text2);

// Writes both documents from the bodies into the context's output folder, creating the
// folder when it is missing. Both replace the old pair or, on a failure, neither does;
// throws on the first failure.
void writeDocuments(const ComparisonContext& context, const ReportBodies& bodies,
                    const std::string& caption);

}  // namespace quill
