#pragma once

#include "engine/comparison.h"

namespace quill {

// Compares a table area of the chosen worksheets whose records run across the columns.
// Without identifying rows every row not ignored is compared cell by cell; with them only
// the identifying rows are shown, the first one is the key, and a column whose key differs
// takes two grid columns. Writes both documents and closes the session; failures propagate
// as exceptions and write nothing.
ComparisonOutcome compareColumns(ComparisonContext& context);

}  // namespace quill
