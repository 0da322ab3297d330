#pragma once

#include <string>
#include <string_view>

#include "sheet/address.h"

namespace quill {

// The forms the smaller-area window writes from a picked or used address: column-only and
// row-only forms, start and end fields, key and ignore lists. Each throws AddressError
// where the window's trap reports a failure.

// How a keyed table is read: row by row (its fields hold rows and its lists columns) or
// column by column (its fields hold columns and its lists rows).
enum class KeyedBy { Rows, Columns };

// The column-only form of an address: every corner reduced to "$" and its column letters
// ($A$1:$F$20 gives $A:$F, $C$5 gives $C:$C). Throws for an empty address.
std::string columnRangeText(std::string_view address);

// The row-only form: every corner reduced to "$" and its row number ($A$1:$F$20 gives
// $1:$20, $C$5 gives $5:$5, $1:$20 stays). Throws when no corner gives a piece.
std::string rowRangeText(std::string_view address);

// The one area of a picked address for a field that takes one span (a keyed table's columns
// or rows, its start and end); throws AddressError for a pick of several areas rather than
// dropping all but the first.
std::string_view singleAreaOf(std::string_view address);

// The start and end fields a start or end pick writes; a field left empty keeps its text.
struct StartEndTexts {
  std::string start;
  std::string end;
};
// A two-corner pick gives both fields; a single cell only the picker's own field (the end
// field when forEnd). A table keyed by rows takes row numbers, one keyed by columns column
// letters; only the
// pick must be one area.
StartEndTexts startEndTexts(KeyedBy table, std::string_view address, bool forEnd);

// The identifying or ignore list of a pick: every column of every area for a table keyed by
// rows ("A, C, D, E"), every row for one keyed by columns ("3, 4, 5"). Throws when the pick holds
// no columns (rows) to list or more than kMaxListedItems of them.
std::string listText(KeyedBy table, std::string_view address);

// More rows or columns than this make a list too long to edit.
inline constexpr long kMaxListedItems = 100000;

}  // namespace quill
