#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

class ErrorBox;

inline constexpr long kMaxRows = 1048576;
inline constexpr long kMaxColumns = 16384;

// A wrong address text: empty, malformed, or outside the worksheet.
class AddressError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
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

// "C2".
std::string cellAddress(long row, long column);
void appendCellAddress(std::string& out, long row, long column);

// "C2" inside a worksheet, or "row 2, column 20000" for a position outside one, as
// messages about damaged files name it.
std::string cellNameForMessage(long row, long column);

// "$A$1:$C$9", or "$A$1" for a single cell.
std::string absoluteAddress(const Area& area);

// Reads an absolute or relative A1 address as a worksheet's Range takes it: one or more
// areas joined by ","; each an area ("$B$2:$D$9", "C5"), whole columns ("$A:$F") or whole
// rows ("$1:$20"). Throws AddressError naming what is wrong.
std::vector<Area> parseRangeAddress(std::string_view address);

}  // namespace quill
