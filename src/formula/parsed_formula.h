#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quill {

// The binary forms of parsed expressions, oldest first: they share their tokens but not the
// widths of rows, columns, strings, function numbers and a few operands.
enum class FormulaDialect { Biff2, Biff3, Biff4, Biff5, Biff8, Xlsb };

// What a formula's tokens name outside themselves, looked up in the workbook's tables.
class FormulaNames {
 public:
  virtual ~FormulaNames() = default;
  // The sheet part of a 3-D reference for an entry of the sheet index table ("Sheet1",
  // "Sheet1:Sheet3"), unquoted; nullopt when there is no such entry.
  virtual std::optional<std::string> sheets(std::uint32_t index) const = 0;
  // A defined name by its 1-based number; nullopt when unknown.
  virtual std::optional<std::string> definedName(std::uint32_t number) const = 0;
  // A name of another workbook or an add-in function ("IFERROR" for a newer function
  // stored as an add-in call); nullopt when unknown.
  virtual std::optional<std::string> externalName(std::uint32_t sheetIndex,
                                                  std::uint32_t number) const = 0;
  // The sheet part of a 3-D reference of BIFF5 to this workbook's sheets at 0-based tab
  // positions first to last, unquoted; nullopt when there are no such sheets.
  virtual std::optional<std::string> sheetsByPosition(std::uint32_t first,
                                                      std::uint32_t last) const;
  // An 8-bit string of the versions before BIFF8 as UTF-8, read in the workbook's code
  // page; Latin-1 unless overridden.
  virtual std::string byteText(std::span<const std::uint8_t> bytes) const;
};

// The cell a formula belongs to (1-based), against which relative tokens of shared
// formulas are resolved.
struct FormulaCell {
  long row = 1;
  long column = 1;
  // Whether the tokens are those of a shared formula, whose 3-D references then hold
  // offsets from the cell like its other relative tokens.
  bool shared = false;
};

// Turns the tokens of a formula (and the extra data after them) into the A1-style text a
// formula bar shows, with its leading "=". A token or function this decoder does not know,
// or tokens that do not add up, give a text in brackets that says so instead of a guess.
// The cells of a data table give "", as they show no formula of their own.
std::string decompileFormula(std::span<const std::uint8_t> tokens,
                             std::span<const std::uint8_t> extra, FormulaDialect dialect,
                             FormulaCell cell, const FormulaNames& names);

// Whether a decompiled text is the marked text of an unreadable formula.
bool isUnreadableFormula(const std::string& text);

// A sheet name as references show it: quoted ('My Sheet') when it holds characters other
// than letters, digits, "_" and ".", starts with a digit or reads as a cell reference. A
// leading "[1]" numbering another workbook stays inside the quotes.
std::string quotedSheetName(const std::string& name);

}  // namespace quill
