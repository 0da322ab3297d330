#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "review/mark_styles.h"
#include "review/review_result.h"
#include "review/xml_rewriter.h"

namespace quill {

// Rewrites a worksheet part of File #2 as it streams by: each marked cell takes the marked
// copy of its own format (cells a mark needs but the part lacks are added), marked rows (File
// #2's own, or moved) take a filled row format and their cells marked copies, marked columns
// a filled column format, the declared used range takes in the cells added, and, when notes are
// added through a new drawing, the worksheet names that drawing. Everything else passes unchanged.
class MarkedWorksheetPart final : public RewriteHandler {
 public:
  // noteDrawingId: the relationship id of a new notes drawing to name, or empty.
  MarkedWorksheetPart(const SheetMarks& marks, MarkStyles& styles, std::string noteDrawingId);

  void start(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes) override;
  void end(XmlRewriter& rewriter, std::string_view name) override;

 private:
  struct Column {
    long min = 0;
    long max = 0;
    std::vector<std::pair<std::string, std::string>> attributes;
  };

  void startRow(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes);
  void startCell(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes);
  // The used range the worksheet declares, widened to take in the cells marks add; left as
  // it is when it names no range read here.
  void widenDimension(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes);
  // The rows holding marks or added before the given row, each written whole.
  std::string rowsBefore(long row);
  // The cells of the current row holding marks before the given column.
  std::string cellsBefore(long column);
  std::string cellTag(long row, long column, MarkKind kind);
  std::optional<MarkKind> columnMark(long column) const;
  // The attributes giving a marked row its fill.
  std::string rowStyle(MarkKind kind);
  std::string columnsXml();
  void keepColumn(TagAttributes attributes);

  const SheetMarks& marks_;
  MarkStyles& styles_;
  std::string noteDrawingId_;
  bool drawingNamed_ = false;
  std::string prefix_;  // of the worksheet's elements, "" or "x:"
  int depth_ = 0;
  bool inSheetData_ = false;
  bool inColumns_ = false;
  bool columnsSeen_ = false;
  long row_ = 0;
  long column_ = 0;
  std::optional<MarkKind> rowMark_;
  bool skipEnd_ = false;  // the element just started was empty: its end needs nothing
  std::size_t cell_ = 0;
  std::size_t markedRow_ = 0;
  std::vector<Column> columns_;
};

}  // namespace quill
