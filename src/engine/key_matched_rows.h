#pragma once

#include <memory>

#include "engine/keyed_comparison.h"

namespace quill {

// The lines of a row-keyed table whose rows pair by the texts of their identifying columns
// instead of by position: a paired row compared in every column that is not ignored, a row
// of one file alone added or removed; rows of a key that occurs more than once pair in their
// order of appearance and are marked. Rows are told in the first file's order, then the
// second file's rows without a partner.
std::unique_ptr<KeyedLines> keyMatchedRowsLines(const ComparisonRequest& request,
                                                const ChosenSheets& sheets, const KeyedArea& keyed,
                                                const KeyLists& lists);

}  // namespace quill
