#include "formats/xlsx/xlsx_formulas.h"

#include <algorithm>

#include "formats/xlsx/xlsx_worksheet.h"
#include "formats/xlsx/xml_escapes.h"
#include "formula/formula_references.h"

namespace quill::xlsx {

namespace {

// The area of a ref attribute ("B2:D4" or "B2"); false when it is malformed.
// The formula text as users see it: characters XML cannot hold decoded from their _xHHHH_
// escapes, as in cell texts, and the prefixes of newer function names left out.
std::string shownFormula(std::string_view stored) {
  return withoutFunctionPrefixes(decodeXmlEscapes(stored));
}

bool parseArea(std::string_view reference, Area& area) {
  const std::size_t colon = reference.find(':');
  const std::string_view first = reference.substr(0, colon);
  const std::string_view last =
      colon == std::string_view::npos ? first : reference.substr(colon + 1);
  return parseCellReference(first, area.firstRow, area.firstColumn) &&
         parseCellReference(last, area.lastRow, area.lastColumn) && area.firstRow <= area.lastRow &&
         area.firstColumn <= area.lastColumn;
}

}  // namespace

void CellFormulas::startFormula(const XmlAttributes& attributes) {
  inCellFormula_ = hasFormula_ = true;
  text_.clear();
  const char* type = attributes.find("t");
  const std::string_view kind = type == nullptr ? "normal" : type;
  kind_ = kind == "normal"   ? Kind::Normal
          : kind == "shared" ? Kind::Shared
          : kind == "array"  ? Kind::Array
                             : Kind::Other;  // data tables show no formula of their own
  const char* index = attributes.find("si");
  sharedIndex_ = index == nullptr ? "" : index;
  const char* reference = attributes.find("ref");
  reference_ = reference == nullptr ? "" : reference;
}

std::string CellFormulas::cellFormula(long row, long column) {
  if (!hasFormula_) return arrays_.empty() ? std::string() : arrayFormulaAt(row, column);
  hasFormula_ = false;
  switch (kind_) {
    case Kind::Normal:
      return text_.empty() ? std::string() : "=" + shownFormula(text_);
    case Kind::Shared: {
      if (!text_.empty()) {
        shared_[sharedIndex_] = {row, column, shownFormula(text_)};
        return "=" + shared_[sharedIndex_].text;
      }
      const auto master = shared_.find(sharedIndex_);
      if (master == shared_.end()) return {};
      const SharedFormula& formula = master->second;
      return "=" + moveRelativeReferences(formula.text, row - formula.row, column - formula.column);
    }
    case Kind::Array: {
      if (text_.empty()) return {};
      std::string formula = "{=" + shownFormula(text_) + "}";
      Area area;
      if (parseArea(reference_, area)) arrays_.push_back({area, formula});
      return formula;
    }
    case Kind::Other:
      return {};
  }
  return {};
}

std::string CellFormulas::arrayFormulaAt(long row, long column) {
  // Rows only grow through a part, so ranges that ended above this row are done with.
  std::erase_if(arrays_, [&](const ArrayFormula& array) { return array.area.lastRow < row; });
  for (const ArrayFormula& array : arrays_)
    if (row >= array.area.firstRow && column >= array.area.firstColumn &&
        column <= array.area.lastColumn)
      return array.formula;
  return {};
}

}  // namespace quill::xlsx
