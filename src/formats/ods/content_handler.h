#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ods/cell_value.h"
#include "formats/ods/paragraph_text.h"
#include "formats/ods/sheet_contents.h"
#include "formats/package/xml_stream.h"
#include "sheet/cell_text.h"
#include "sheet/stored_workbook.h"

namespace quill::ods {

// Turns the streamed events of an OpenDocument content.xml into the worksheets of a
// workbook: each top-level table is a worksheet, rows and cells honour their repeat counts,
// and empty repeated runs cost nothing.
class ContentHandler final : public XmlHandler {
 public:
  // Most cells a workbook may expand to, so that hostile repeat counts stay harmless.
  static constexpr std::uint64_t kMaxCells = std::uint64_t(1) << 24;

  // With readFormulas, each formula cell's table:formula is kept in A1 style as well; with
  // a contents collector, notes, names, hidden and merged areas and formats go to it.
  ContentHandler(StoredWorkbook& workbook, bool readFormulas,
                 SheetContentsCollector* contents = nullptr)
      : workbook_(workbook), readFormulas_(readFormulas), contents_(contents) {}

  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view text) override;

 private:
  // A non-empty cell of the current row waiting for the row's own repeat count.
  struct PendingCell {
    long column;
    long repeat;
    std::string_view text;     // stored and trimmed
    std::string_view formula;  // "" when the cell has none or formulas are not read
  };

  void startTable(const XmlAttributes& attributes);
  void startCell(const XmlAttributes& attributes);
  void startInsideCell(std::string_view name, const XmlAttributes& attributes);
  void finishCell();
  void finishRow();
  void readFormula(const XmlAttributes& attributes);
  void spreadArrayFormula();
  // Passes what the contents need on; true when the element is taken.
  bool startContents(std::string_view name, const XmlAttributes& attributes);
  bool endContents(std::string_view name, int depth);

  StoredWorkbook& workbook_;
  bool readFormulas_;
  SheetContentsCollector* contents_;
  int stylesDepth_ = 0;       // depth of the automatic styles being passed on, or 0
  int noteDepth_ = 0;         // depth of the open cell's annotation, or 0
  std::string_view formula_;  // of the open cell, stored in the arena
  long matrixRows_ = 0;       // the array range the open cell's formula fills, or 0
  long matrixColumns_ = 0;
  StoredSheet* sheet_ = nullptr;
  CivilDate nullDate_;
  CellValue value_;
  ParagraphText paragraph_;
  std::vector<PendingCell> pending_;
  std::uint64_t cellCount_ = 0;

  int depth_ = 0;
  int tableDepth_ = 0;
  int ignoredDepth_ = 0;  // depth of an element whose content is no cell text, or 0
  int cellDepth_ = 0;     // depth of the open cell, or 0
  int paragraphDepth_ = 0;
  bool inRow_ = false;
  long row_ = 1;
  long rowRepeat_ = 1;
  long column_ = 1;
  long cellRepeat_ = 1;
};

}  // namespace quill::ods
