#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/failure.h"

namespace quill {

class ErrorBox;

inline constexpr long kMaxRows = 1048576;
inline constexpr long kMaxColumns = 16384;

// A wrong address text: empty, malformed, or outside the worksheet.
class AddressError : public Failure {
 public:
  explicit AddressError(const std::string& message) : Failure(FailureKind::Address, {}, message) {}
};

// A rectangle of cells, 1-based and inclusive.
struct Area {
  long firstRow = 1;
  long firstColumn = 1;
  long lastRow = 1;
  long lastColumn = 1;

  long rows() const { return lastRow - firstRow + 1; }
  long columns() const { return lastColumn - firstColumn + 1; }
  bool operator==(const Area&) const = default;
};

// Column letters in A1 fashion: 1 "A", 27 "AA", 703 "AAA", 16384 "XFD"; 0 gives "@".
// Throws std::out_of_range below 0 or above kMaxColumns.
std::string columnLetters(long column);

// The column number of letters in either case ("ab" 28); 0 when they are not letters
// or name no column of a worksheet.
long columnNumber(std::string_view letters);

// The column letters at the start of a text: how many there are, up to maxLetters, and the
// column they name in either case ("ab12" gives 2 and 28). Letters that name a column past
// kMaxColumns give kMaxColumns + 1, however many they are.
struct LeadingColumn {
  std::size_t letters = 0;
  long column = 0;
};
LeadingColumn leadingColumn(std::string_view text, std::size_t maxLetters = std::string_view::npos);

// The text without the blanks (spaces and tabs) around it.
std::string_view trimBlanks(std::string_view text);

// The number of a row written in digits only, 1 to kMaxRows; 0 when the text is not one.
long rowNumberOf(std::string_view digits);

// The items of a list, separated by commas and/or blanks: "A, C D" gives A, C and D.
std::vector<std::string_view> listItems(std::string_view text);

// "C2".
std::string cellAddress(long row, long column);
void appendCellAddress(std::string& out, long row, long column);

// "C2" inside a worksheet, or "row 2, column 20000" for a position outside one, as
// messages about damaged files name it.
std::string cellNameForMessage(long row, long column);

// "$A$1:$C$9", or "$A$1" for a single cell.
std::string absoluteAddress(const Area& area);

// The whole columns an area covers: "$B:$D" for B2:D9, "$C:$C" for C5.
std::string columnsAddress(const Area& area);

// The whole rows an area covers: "$2:$9" for B2:D9, "$5:$5" for C5.
std::string rowsAddress(const Area& area);

// Each area written by format, joined by ",".
std::string joinedAddress(const std::vector<Area>& areas, std::string (*format)(const Area&));

// Reads an absolute or relative A1 address as a worksheet's Range takes it: one or more
// areas joined by ","; each an area ("$B$2:$D$9", "C5"), whole columns ("$A:$F") or whole
// rows ("$1:$20"). Throws AddressError naming what is wrong.
std::vector<Area> parseRangeAddress(std::string_view address);

// One area of an address and the worksheet named before it, if any: 'My Sheet'!$A:$C gives
// "My Sheet" and "$A:$C" ('' inside quotes stands for one ').
struct SheetArea {
  std::optional<std::string> sheet;
  std::string area;
};

// The areas of an address joined by ",", each with the worksheet named before it; a ","
// inside a quoted worksheet name does not split. Throws AddressError for an unclosed quote.
std::vector<SheetArea> splitSheetAreas(std::string_view address);

// The absolute address of selected areas, joined by ",": "$B$2:$D$9", "$C$5", whole columns
// as "$B:$D", whole rows as "$2:$9", the whole worksheet as its rows "$1:$1048576".
std::string selectionAddressText(const std::vector<Area>& areas);

// An address typed by a user: optionally a worksheet name and "!" before it ("Prices!B2:D9",
// "'My Sheet'!$A:$C"), then one or more areas in any A1 form.
struct TypedAddress {
  std::string sheetName;  // empty: the worksheet shown
  std::vector<Area> areas;
};

// Reads a typed address; throws AddressError for a text that names no cells or names two
// worksheets.
TypedAddress parseTypedAddress(std::string_view text);

}  // namespace quill
