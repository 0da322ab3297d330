#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ods/ods_styles.h"
#include "formats/ods/paragraph_text.h"
#include "formats/package/xml_stream.h"
#include "sheet/stored_workbook.h"

namespace quill::ods {

// Collects, from the events of content.xml that the content handler passes on, what a
// spreadsheet document holds besides its cells' values, as far as asked for: notes
// (annotations), named ranges and expressions, hidden tables, rows and columns, merged
// (spanned) cells and the cells whose format is not the default.
class SheetContentsCollector {
 public:
  // Most cells with formats of their own a worksheet may give, against hostile repeats.
  static constexpr std::uint64_t kMaxFormattedCells = std::uint64_t(1) << 24;

  SheetContentsCollector(StoredWorkbook& workbook, const ContentsToRead& read, OdsStyles& styles);

  const ContentsToRead& read() const { return read_; }
  OdsStyles& styles() { return styles_; }
  void startTable(StoredSheet& sheet, const XmlAttributes& attributes);
  void column(const XmlAttributes& attributes);
  void row(const XmlAttributes& attributes, long row, long repeat);
  void cell(const XmlAttributes& attributes, long row, long column, long repeat);
  // A cell of the current row ended with a value, which widens the area formats fill.
  void valueAt(long lastRow, long lastColumn);
  void finishTable();
  void name(const XmlAttributes& attributes, std::string_view scopeSheet);

  // The annotation of the open cell: its elements and text, until it ends.
  void startNote(long row, long column);
  void startInNote(std::string_view name, const XmlAttributes& attributes);
  void endInNote(std::string_view name);
  void noteCharacters(std::string_view text);
  void finishNote();

  // Sorts the names; call once at the end of the document.
  void finish();

 private:
  // Cells of a stretch of rows and columns sharing a format other than the default.
  struct FormattedRun {
    std::uint32_t row, rows, column, columns;
    std::uint32_t format;
  };
  // A table column's default cell format, from its first column on.
  struct ColumnFormat {
    long first, last;
    std::uint32_t format;
  };

  StoredWorkbook& workbook_;
  ContentsToRead read_;
  void addRun(long row, long column, long columns, std::uint32_t format);

  OdsStyles& styles_;
  std::string lastStyle_;  // the style of the last styled cell, and its format
  std::uint32_t lastFormat_ = 0;
  StoredSheet* sheet_ = nullptr;
  long nextColumn_ = 1;
  long rowRepeat_ = 1;  // of the open row
  std::vector<ColumnFormat> columnFormats_;
  std::vector<FormattedRun> runs_;
  long lastValueRow_ = 0;
  long lastValueColumn_ = 0;

  CellNote note_;
  ParagraphText noteText_;
  bool inCreator_ = false;
  int noteParagraphDepth_ = 0;
  int noteDepth_ = 0;
};

}  // namespace quill::ods
