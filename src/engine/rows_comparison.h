#pragma once

#include "engine/comparison.h"

namespace quill {

// Compares a table area of the chosen worksheets row by row, rows paired by position. With
// identifying columns only they are compared, and a row whose key differs is drawn as an
// added line (the first file's values) and a removed line (the second file's). Writes both
// documents and closes the session; failures propagate as exceptions and write nothing.
ComparisonOutcome compareRows(ComparisonContext& context);

}  // namespace quill
