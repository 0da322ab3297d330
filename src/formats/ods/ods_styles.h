#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ods/number_style.h"
#include "formats/package/cell_format_table.h"
#include "formats/package/xml_stream.h"
#include "sheet/workbook_contents.h"

namespace quill::ods {

// The styles of a spreadsheet document that the contents read: which table styles hide
// their tables, and, when formats are asked for, each cell style's format (its number
// style and emphasis, followed through its parent styles) as an index into the workbook's
// formats table. Fed with the events of styles.xml and of content.xml's automatic styles.
class OdsStyles {
 public:
  // Most styles kept, so that a hostile document stays harmless.
  static constexpr std::size_t kMaxStyles = std::size_t(1) << 20;

  // formatsTable is null when formats are not read.
  explicit OdsStyles(std::vector<CellFormat>* formatsTable) : formatsTable_(formatsTable) {}

  void startElement(std::string_view name, const XmlAttributes& attributes);
  void endElement(std::string_view name);
  void characters(std::string_view text);

  bool tableHidden(std::string_view style) const;
  // Fixes the default format, the one cells leave out: that of the given cell style, or of
  // the document's "Default" style when there is none. Later calls change nothing.
  void fixDefault(const char* style);
  // The index of a cell style's format; 0 for the default format or an unknown style.
  std::uint32_t cellFormat(std::string_view style);

 private:
  // A cell style's own settings; what it leaves unset comes from its parent.
  struct CellStyle {
    std::string parent;
    std::optional<std::string> dataStyle;
    std::optional<bool> bold, italic, underline;
    std::optional<std::string> fontColour, fillColour;
  };

  void startStyle(const XmlAttributes& attributes);
  void readProperties(std::string_view name, const XmlAttributes& attributes);
  CellFormat formatOf(std::string_view style) const;
  std::string numberFormat(const std::string& dataStyle, int depth) const;

  std::vector<CellFormat>* formatsTable_;
  std::unique_ptr<CellFormatTable> table_;
  std::map<std::string, CellStyle, std::less<>> cellStyles_;
  std::map<std::string, bool, std::less<>> hiddenTables_;
  std::map<std::string, std::pair<std::string, std::vector<std::string>>, std::less<>>
      numberStyles_;  // code, mapped styles
  std::map<std::string, std::uint32_t, std::less<>> indexes_;

  CellStyle* openCellStyle_ = nullptr;
  std::string openTableStyle_;
  std::string openNumberStyle_;
  NumberStyleBuilder numberStyle_;
  int numberDepth_ = 0;
};

}  // namespace quill::ods
