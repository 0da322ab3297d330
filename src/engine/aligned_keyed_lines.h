#pragma once

#include <memory>

#include "engine/keyed_comparison.h"

namespace quill {

// The lines of a row-keyed table compared aligned: its columns aligned by header or content,
// its rows paired by the texts of their identifying columns when matching by key, else
// aligned by content as whole worksheets are. Ignored columns are left out; with identifying
// columns and no key matching, a paired row is told as its key matches or differs, as by
// position. A row of one file alone is added or removed.
std::unique_ptr<KeyedLines> alignedRowsLines(const ComparisonRequest& request,
                                             const ChosenSheets& sheets, const KeyedArea& keyed,
                                             const KeyLists& lists);

// The same for a column-keyed table: its rows aligned by header or content, its columns
// paired by the texts of their identifying rows when matching by key, else aligned by
// content. Ignored rows, and without key matching the rows that are not identifying when
// some are, are hidden.
std::unique_ptr<KeyedLines> alignedColumnsLines(const ComparisonRequest& request,
                                                const ChosenSheets& sheets, const KeyedArea& keyed,
                                                const KeyLists& lists);

}  // namespace quill
