#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formats/package/xml_stream.h"
#include "sheet/address.h"

namespace quill::xlsx {

// Turns the <f> elements of a worksheet's cells into the formulas users see: a plain
// formula as it is, a shared formula's master text moved to each cell of its group, and
// an array formula in braces for every cell of its range.
class CellFormulas {
 public:
  // A cell starts: it has no formula until an <f> says otherwise.
  void startCell() { inCellFormula_ = hasFormula_ = false; }
  void startFormula(const XmlAttributes& attributes);
  void characters(std::string_view text) {
    if (inCellFormula_) text_.append(text);
  }
  void endFormula() { inCellFormula_ = false; }
  bool inFormula() const { return inCellFormula_; }
  // The formula of the cell that ended at a row and column ("=A1*2", "{=SUM(A1:B2)}"), or
  // "" when it has none.
  std::string cellFormula(long row, long column);

 private:
  enum class Kind { Normal, Shared, Array, Other };
  // The master cell and text of a shared formula.
  struct SharedFormula {
    long row;
    long column;
    std::string text;
  };
  // An array formula and the range it fills.
  struct ArrayFormula {
    Area area;
    std::string formula;
  };

  std::string arrayFormulaAt(long row, long column);

  bool inCellFormula_ = false;
  bool hasFormula_ = false;
  Kind kind_ = Kind::Normal;
  std::string text_;
  std::string sharedIndex_;
  std::string reference_;
  std::unordered_map<std::string, SharedFormula> shared_;
  std::vector<ArrayFormula> arrays_;
};

}  // namespace quill::xlsx
