#pragma once

#include "engine/comparison.h"

namespace quill {

// Compares every worksheet of the first workbook with the one at the same position in the
// second, cell by cell, writes both documents and closes the session. Failures are
// reported through the context's error box and the comparison goes on where it can;
// when either workbook is not open it reports that once and writes nothing.
ComparisonOutcome compareWholeWorkbooks(ComparisonContext& context);

}  // namespace quill
