#pragma once

#include <memory>

#include "engine/keyed_comparison.h"

namespace quill {

// The lines of a column-keyed table whose columns pair by the texts of their identifying
// rows instead of by position: the table's columns are the pairing (a column of one file
// alone added or removed), columns of a key that occurs more than once pair in their order
// of appearance, and every row that is not ignored is compared over the paired columns.
std::unique_ptr<KeyedLines> keyMatchedColumnsLines(const ComparisonRequest& request,
                                                   const ChosenSheets& sheets,
                                                   const KeyedArea& keyed, const KeyLists& lists);

}  // namespace quill
