#pragma once

#include <cstdint>
#include <string>

#include "formula/parsed_formula.h"
#include "formula/token_reading.h"

namespace quill {

// Turns the reference operands of a formula's tokens into A1 texts: cells, areas and the
// sheets of 3-D references, resolved against the formula's cell where the token holds
// offsets from it (as shared formulas store them).
class ReferenceTokens {
 public:
  ReferenceTokens(FormulaDialect dialect, FormulaCell cell, const FormulaNames& names)
      : dialect_(dialect), cell_(cell), names_(names) {}

  // A cell ("$B2") read from in.
  std::string cell(TokenCursor& in, bool offsetsAllowed) const;
  // An area ("B2:$C$9", "$B:$D", "2:9") read from in.
  std::string area(TokenCursor& in, bool offsetsAllowed) const;
  // "Sheet1!" for an entry of the sheet index table, quoted as needed.
  std::string sheetPrefix(std::uint16_t index) const;
  // The sheets of a BIFF5 3-D reference read from in: a negative index into the sheet table
  // for this workbook, eight unused bytes and the tab positions of the first and last sheet.
  std::string olderSheetPrefix(TokenCursor& in) const;

 private:
  // One end of a reference: row and column 0-based, with their absolute marks.
  struct Corner {
    long row;
    long column;
    bool rowRelative;
    bool columnRelative;
  };

  long maxRow() const;
  long maxColumn() const;
  Corner corner(TokenCursor& in, bool offsetsAllowed) const;
  Corner resolve(long rawRow, std::uint16_t field, bool offsetsAllowed) const;
  Corner resolveOlder(std::uint16_t rowField, std::uint8_t column, bool offsetsAllowed) const;
  std::string areaText(const Corner& first, const Corner& last) const;
  static std::string rowText(const Corner& c);
  static std::string columnText(const Corner& c);
  static std::string cellText(const Corner& c);

  FormulaDialect dialect_;
  FormulaCell cell_;
  const FormulaNames& names_;
};

}  // namespace quill
