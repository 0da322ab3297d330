#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sheet/address.h"

namespace quill {

// What a reader reads of a workbook besides its cells' texts and formulas; each is read
// only when asked for, so that a plain comparison pays nothing for it.
struct ContentsToRead {
  bool notes = false;
  bool names = false;
  bool hidden = false;
  bool merged = false;
  bool formats = false;
  bool macros = false;

  bool any() const { return notes || names || hidden || merged || formats || macros; }
  static ContentsToRead all() { return {true, true, true, true, true, true}; }
  // What a workbook reader records as read of what was asked: all but the macros, which
  // come from the file's macro project, read apart from the workbook's own parts.
  void recordReadBesidesMacros(const ContentsToRead& asked) {
    notes = asked.notes;
    names = asked.names;
    hidden = asked.hidden;
    merged = asked.merged;
    formats = asked.formats;
  }
};

// A note (comment) on one cell; a threaded comment is read as its text.
struct CellNote {
  long row = 0;
  long column = 0;
  std::string author;  // "" when the file stores none
  std::string text;
};

// A defined name, global or scoped to one worksheet.
struct DefinedName {
  std::string name;
  std::string scopeSheet;  // "" for a name of the whole workbook
  std::string formula;     // A1-style, as the cells' formulas are written: "=Data!$A$1:$B$9"
};

// An inclusive stretch of rows or columns: [first, last], 1-based.
struct LineSpan {
  long first = 0;
  long last = 0;
  bool operator==(const LineSpan&) const = default;
};

// How a worksheet's tab is shown.
enum class SheetVisibility { Visible, Hidden, VeryHidden };

// How a cell is shown: its number format code and emphasis. Colours are "RRGGBB" (upper
// case hexadecimal) for a colour the file gives as RGB or through a palette, "theme N"
// (with " tint T" when tinted) for a theme colour, and "" for automatic or none.
struct CellFormat {
  std::string numberFormat;  // "General" when the cell has no other
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::string fontColour;
  std::string fillColour;
  bool operator==(const CellFormat&) const = default;
};

// A cell whose format is not the default one, by its index into WorkbookContents::formats.
struct FormattedCell {
  long row = 0;
  long column = 0;
  std::uint32_t format = 0;
};

// The source text of one module of a workbook's macro project.
struct MacroModule {
  std::string name;
  std::string source;  // UTF-8, each line ended by "\n" whatever the project stored
};

// Everything a worksheet holds besides its cells' texts and formulas.
struct SheetContents {
  SheetVisibility visibility = SheetVisibility::Visible;
  std::vector<CellNote> notes;          // in row-major order
  std::vector<LineSpan> hiddenRows;     // sorted, not overlapping
  std::vector<LineSpan> hiddenColumns;  // sorted, not overlapping
  std::vector<Area> merged;             // in row-major order of their first cells
  std::vector<FormattedCell> formats;   // in row-major order; cells with the default
                                        // format are left out
};

// Everything a workbook holds besides its sheets' cells, as far as ContentsToRead asked.
struct WorkbookContents {
  ContentsToRead read;              // what was read; what was not is left empty
  std::vector<DefinedName> names;   // sorted by scope sheet, then name
  std::vector<CellFormat> formats;  // formats[0] is the default format
  std::vector<MacroModule> macros;  // in the project's order
  std::string macroProblem;         // one line naming what of the macro project could
                                    // not be read; "" when it was read or is absent
};

}  // namespace quill
