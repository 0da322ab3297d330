#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sheet/address.h"

namespace quill {

// The absolute address of selected areas, joined by ",": "$B$2:$D$9", "$C$5", whole columns
// as "$B:$D", whole rows as "$2:$9", the whole worksheet as its rows "$1:$1048576".
std::string selectionAddressText(const std::vector<Area>& areas);

// An address typed into the range dialog: optionally a worksheet name and "!" before it
// ("Prices!B2:D9", "'My Sheet'!$A:$C"), then one or more areas in any A1 form.
struct TypedAddress {
  std::string sheetName;  // empty: the worksheet shown
  std::vector<Area> areas;
};

// Reads a typed address; throws AddressError for a text that names no cells.
TypedAddress parseTypedAddress(std::string_view text);

}  // namespace quill
