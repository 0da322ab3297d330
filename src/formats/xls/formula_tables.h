#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/xls/codepage.h"
#include "formats/xls/record_reader.h"
#include "formula/parsed_formula.h"

namespace quill::xls {

// The workbook tables that formula tokens point into: every sheet in tab order, the sheet
// index table (EXTERNSHEET) over the workbooks it names (SUPBOOK), their external names
// (EXTERNNAME) and the defined names (NAME).
class FormulaTables final : public FormulaNames {
 public:
  // Reads one of the records above; false for a record of another kind.
  bool read(const Record& record);
  // Adds a sheet of the workbook, of any kind, in tab order.
  void addSheet(std::string name) { sheetNames_.push_back(std::move(name)); }
  // The code page that the 8-bit strings of formulas before BIFF8 are read in.
  void useCodepage(const Codepage& codepage) { codepage_ = &codepage; }

  std::optional<std::string> sheets(std::uint32_t index) const override;
  std::optional<std::string> definedName(std::uint32_t number) const override;
  std::optional<std::string> externalName(std::uint32_t sheetIndex,
                                          std::uint32_t number) const override;
  std::optional<std::string> sheetsByPosition(std::uint32_t first,
                                              std::uint32_t last) const override;
  std::string byteText(std::span<const std::uint8_t> bytes) const override;

 private:
  struct SheetRange {
    std::uint16_t book;
    std::uint16_t first;
    std::uint16_t last;
  };
  struct Book {
    bool self = false;
    int externalNumber = 0;  // 1-based among the other workbooks named, as "[1]" shows it
    std::vector<std::string> sheetNames;
    std::vector<std::string> names;
  };

  void readExternSheet(const Record& record);
  void readSupBook(const Record& record);
  void readExternName(const Record& record);
  void readName(const Record& record);
  std::optional<std::string> sheetName(const Book& book, std::uint16_t index) const;

  std::vector<std::string> sheetNames_;
  std::vector<SheetRange> ranges_;
  std::vector<Book> books_;
  int externalBooks_ = 0;
  std::vector<std::string> definedNames_;
  std::vector<std::uint16_t> definedNameScopes_;  // 1-based tab position; 0 for the workbook
  const Codepage* codepage_ = nullptr;
};

// The name of a NAME record as formulas show it: a built-in name, stored as one character
// numbering it, by its text ("Print_Area"); options are the record's option flags.
std::string definedNameText(std::string stored, std::uint16_t options);

}  // namespace quill::xls
