#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "formats/xlsb/xlsb_records.h"
#include "formula/parsed_formula.h"
#include "sheet/address.h"
#include "sheet/stored_workbook.h"

namespace quill::xlsb {

// Gives the cells of one binary worksheet their formula texts: a formula cell record's own
// tokens, or, where they only point at the first cell of a shared or array formula, the
// tokens of the shared or array formula record that follows that first cell.
class CellFormulas {
 public:
  CellFormulas(const FormulaNames& names, StoredSheet& sheet) : names_(names), sheet_(sheet) {}

  // Reads the formula that ends a formula cell record, the cursor at its option flags.
  void readCellFormula(FieldCursor& cursor, long row, long column);
  // Reads a shared or array formula record.
  void readGroup(const Record& record, const std::string& errorPrefix);

 private:
  using Position = std::pair<long, long>;
  struct Group {
    Area area;
    bool array = false;
    std::vector<std::uint8_t> tokens;
    std::vector<std::uint8_t> extra;
  };

  void addFromGroup(const Group& group, long row, long column);
  void spreadArray(const Group& group, const std::string& errorPrefix);

  const FormulaNames& names_;
  StoredSheet& sheet_;
  std::map<Position, Group> groups_;                    // by their first cell
  std::vector<std::pair<Position, Position>> waiting_;  // cell, first cell of its group
  std::uint64_t arrayCells_ = 0;                        // cells filled by array formulas
};

}  // namespace quill::xlsb
