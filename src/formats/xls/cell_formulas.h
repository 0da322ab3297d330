#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sheet/address.h"
#include "sheet/stored_workbook.h"
#include "formats/xls/formula_tables.h"
#include "formats/xls/record_reader.h"

namespace quill::xls {

// Gives the cells of one worksheet their formula texts: a FORMULA record's own tokens, or,
// where it only points at the first cell of a shared or array formula, the tokens of the
// SHRFMLA or ARRAY record that follows that first cell (BIFF5 and BIFF8).
class CellFormulas {
 public:
  CellFormulas(const FormulaTables& tables, FormulaDialect dialect, StoredSheet& sheet)
      : tables_(tables), dialect_(dialect), sheet_(sheet) {}

  // Reads the formula of a FORMULA record whose cell is at row and column (1-based).
  void readFormula(const Record& record, long row, long column);
  // Reads a SHRFMLA or ARRAY record; false for a record of another kind.
  bool readGroup(const Record& record);

 private:
  using Position = std::pair<long, long>;
  // The tokens of a shared or array formula and the cells it covers.
  struct Group {
    Area area;
    bool array = false;
    std::vector<std::uint8_t> tokens;
    std::vector<std::uint8_t> extra;
  };

  void addFromGroup(const Group& group, Position master, long row, long column);

  const FormulaTables& tables_;
  FormulaDialect dialect_;
  StoredSheet& sheet_;
  std::map<Position, Group> groups_;  // by their first cell
  // Cells that pointed at a group not read yet, which the next SHRFMLA or ARRAY gives.
  std::vector<std::pair<Position, Position>> waiting_;  // cell, first cell of its group
};

}  // namespace quill::xls
