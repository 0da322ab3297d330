#pragma once

#include <string_view>
#include <vector>

#include "sheet/address.h"

namespace quill {

// Readers of the request's text fields. Each takes the field's name as the window shows it
// ("Start row") and throws RequestError naming it when the text does not fit.

// A first and last column or row, in the order written.
struct Span {
  long first = 0;
  long last = 0;
};

// Every area of a range, in the order written: areas in area form ($B$1:$F$30, C5), whole
// columns ($A:$C) or whole rows ($1:$20). A worksheet named before an area ('Prices'!$A:$C)
// must be the chosen worksheet, sheetName.
std::vector<Area> rangeField(std::string_view field, std::string_view text,
                             std::string_view sheetName);

// The text of a field without the worksheet named before its address; fails when that
// names another worksheet than sheetName.
std::string withoutSheetName(std::string_view field, std::string_view text,
                             std::string_view sheetName);

// The first area of an address in area form ($B$1:$F$30, C5); whole columns or rows fail.
Area areaField(std::string_view field, std::string_view text);

// The columns of one area in area or whole-column form: $B$1:$F$30 and $B:$F give B to F.
Span columnSpanField(std::string_view field, std::string_view text);

// The rows of one area in whole-row form: $1:$20 gives 1 to 20.
Span rowSpanField(std::string_view field, std::string_view text);

// A row number: a whole number from 1 to kMaxRows, blanks around it allowed.
long rowNumberField(std::string_view field, std::string_view text);

// Column letters in either case, blanks around them allowed: the column's number.
long columnField(std::string_view field, std::string_view text);

// Items separated by commas and/or blanks, each a column in letters: their numbers.
std::vector<long> columnListField(std::string_view field, std::string_view text);

// Items separated by commas and/or blanks, each a row number.
std::vector<long> rowListField(std::string_view field, std::string_view text);

// The number at the start of a text, leading blanks skipped; 0 when there is none.
double leadingNumber(std::string_view text);

}  // namespace quill
