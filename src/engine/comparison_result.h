#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/content_items.h"

namespace quill {

// The plain result of a comparison, told to a ResultSink table by table and line by line:
// what was compared, how rows and columns of the two files were paired, and what differed.
// Nothing here is markup; the documents and the scripts' formats are renderings of it.
// Every string_view and span handed to a sink lives only for the call.

// What the difference list reports for one cell pair.
enum class DifferenceKind : char {
  None,              // equal, or shown without being compared (see LineKind)
  DifferentValue,    // both files hold a text and the texts differ
  MissingInFirst,    // only the second file holds a text
  MissingInSecond,   // only the first file holds a text
  DifferentFormula,  // the values match, the formulas do not (formulas compared only)
};

// How a table is compared and drawn.
enum class TableLayout : char {
  Sheet,         // a whole worksheet or a range: rows and columns paired by position
  KeyedRows,     // a table keyed by identifying columns, rows paired by position
  KeyedColumns,  // a table keyed by identifying rows, columns paired by position
};

// A column of file 1 paired with a column of file 2 (0: the file has none there: an added
// or removed column of an aligned comparison).
struct ColumnPair {
  long column1 = 0;
  long column2 = 0;
  // Aligned: the pair leaves the order the other pairs keep, a column moved elsewhere; it is
  // shown at its place in file 2, its cells compared, and is one difference.
  bool moved = false;
};

// What the comparison is: the two files, when, and the caption both documents show.
struct ResultHeading {
  std::string_view path1;
  std::string_view path2;
  std::string_view now;      // "yyyy-mm-dd hh:mm:ss"
  std::string_view caption;  // plain text; empty for the whole-workbook comparison
  // What the workbooks hold besides cell texts was compared too (notes, names, ...), so
  // the outputs make room for its kinds.
  bool contents = false;
};

// One table of the result: a pair of worksheets, or one area of each, compared.
struct TableStart {
  TableLayout layout = TableLayout::Sheet;
  std::string_view sheet1;  // the worksheet's name in each file ...
  std::string_view sheet2;
  bool inFirst = true;           // ... and whether the file has it (whole workbook: a sheet
  bool inSecond = true;          //     only one file has is compared with an empty one)
  long position1 = 0;            // the worksheet's position in each file, from 1; 0 when
  long position2 = 0;            // the file lacks it
  std::string_view anchorSheet;  // the name cell anchors use, unique within the documents
  // The grid columns in order, each pairing a column of each file: the header labels are
  // the letters of column1.
  std::span<const ColumnPair> columns;
  // Keyed layouts: the heading's first and last row ("2", "9") or column ("B", "F"), the
  // number of columns (rows) the table spans, ignored ones included, and whether
  // identifying columns (rows) were given.
  std::string_view firstLabel;
  std::string_view lastLabel;
  long spanned = 0;
  bool keyed = false;
  // Rows, columns and sheets were aligned (or, keyed columns, columns paired by key): every
  // column pair with a 0 is an added or removed column, one difference each; a sheet that
  // only one file has (inFirst or inSecond false) is one difference, its lines all RowAdded
  // (RowRemoved) and its columns paired with 0; a renamed sheet and a moved one are one
  // difference each. In a RowAdded line, a pair's emptyThrough counts file 2's columns.
  bool aligned = false;
  bool renamed = false;  // aligned: the sheets were paired by content under other names
  bool moved = false;    // aligned: the sheet leaves the order the other paired sheets keep
  // Aligned: nearly every row moved; the table lists one difference saying the rows were
  // reordered, and its lines are not marked moved.
  bool rowsReordered = false;
  // Aligned: some row or column moved, or the rows were reordered.
  bool anyMoved = false;
  // Aligned by content at the user's asking (rather than paired by key alone): each file's
  // rows and columns may stand at other numbers, which the documents then name both.
  bool alignedByContent = false;
  // Whole workbooks with contents compared: the sheet pair's differences in what it holds
  // besides cell texts, ahead of its lines so that a drawing can mark their places; the same
  // items are told again through contents() after the lines, where they are counted.
  std::span<const ContentItem> contents;
};

// One cell pair of a line.
struct CellPair {
  long column1 = 0;  // in each file; KeyedColumns: the same as the table's columns
  long column2 = 0;
  std::string_view text1;
  std::string_view text2;
  std::string_view formula1;  // formulas compared only: "=SUM(B2:B9)", or empty
  std::string_view formula2;
  DifferenceKind difference = DifferenceKind::None;
  bool identifying = false;  // a key cell of the keyed layouts
  // Above 0: this pair stands for columns column1 .. emptyThrough of file 1, empty in both.
  long emptyThrough = 0;
};

// What a line of a table is.
enum class LineKind : char {
  Compared,      // a row pair compared cell by cell; every differing pair is listed
  KeyUnchanged,  // keyed rows: the key matches, the row is shown from file 1, not compared
  KeyChanged,    // keyed rows: the key differs; only the differing key cells are listed,
                 // and the line is shown once for each file
  KeyHeader,     // keyed columns with identifying rows: the key row as the header; a pair
                 // with a difference other than None is drawn as a changed key, not listed
  Hidden,        // keyed columns: a row that is neither identifying nor compared
  EmptyRows,     // rows row1 .. lastRow1 of file 1 (and as many of file 2), empty in both
  RowAdded,      // aligned: row2 of file 2 has no row in file 1 (row1 is 0); cells hold text2
  RowRemoved,    // aligned: row1 of file 1 has no row in file 2 (row2 is 0); cells hold text1
};

// One line of a table: a row of each file and its cells, in the table's column order.
struct Line {
  LineKind kind = LineKind::Compared;
  long row1 = 0;  // in each file (0: the file has none there)
  long row2 = 0;
  long lastRow1 = 0;  // EmptyRows only
  std::span<const CellPair> cells;
  // Rows paired by key: the line's key occurs more than once in a file; such rows are paired
  // in their order of appearance.
  bool duplicateKey = false;
  // Aligned, a Compared line: the rows stand elsewhere in each file, the row moved; the move
  // is one difference, and its cells are compared as in any other pair.
  bool moved = false;
};

// Receives a comparison's result in order: begin, then for each table beginTable, its lines,
// its sheet pair's content differences (contents) and endTable, then the whole workbook's
// content differences (contents, outside any table), then finish. contents comes only when
// contents were compared, and only with items. A sink may throw from any call; the comparison then
// stops (a whole-workbook comparison reports it through its error trap and goes on).
class ResultSink {
 public:
  virtual ~ResultSink() = default;
  virtual void begin(const ResultHeading& heading) = 0;
  virtual void beginTable(const TableStart& table) = 0;
  virtual void line(const Line& line) = 0;
  // Differences in what the workbooks hold besides cell texts (see ContentItem): within a
  // table those of its sheet pair, after the last table those of the whole workbooks.
  virtual void contents(std::span<const ContentItem> items) = 0;
  virtual void endTable() = 0;
  // Everything has been told: a sink that writes files completes them here.
  virtual void finish() = 0;
};

}  // namespace quill
