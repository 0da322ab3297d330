#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formula/parsed_formula.h"
#include "formats/xlsb/xlsb_records.h"

namespace quill::xlsb {

// The workbook part's tables that formula tokens point into: every sheet in tab order, the
// sheet index table over the workbooks it names, and the defined names.
class FormulaNameTables final : public FormulaNames {
 public:
  // Reads a record of the workbook part if it is one of these tables.
  void read(const Record& record, const std::string& errorPrefix);
  void addSheet(std::string name) { sheetNames_.push_back(std::move(name)); }

  std::optional<std::string> sheets(std::uint32_t index) const override;
  std::optional<std::string> definedName(std::uint32_t number) const override;
  std::optional<std::string> externalName(std::uint32_t sheetIndex,
                                          std::uint32_t number) const override;

 private:
  struct SheetRange {
    std::uint32_t book;
    std::int32_t first;
    std::int32_t last;
  };

  std::vector<std::string> sheetNames_;
  std::vector<bool> bookIsSelf_;  // for each workbook reference, whether it is this one
  std::vector<SheetRange> ranges_;
  std::vector<std::string> definedNames_;
};

}  // namespace quill::xlsb
