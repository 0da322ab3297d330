#pragma once

#include <string>
#include <string_view>

#include "sheet/workbook_contents.h"

namespace quill {

// How loosely two cell texts may differ and still count as equal, and what else a
// comparison looks at; the defaults compare texts exactly, values only.
struct ComparisonOptions {
  // Two texts that both read as numbers are equal when they differ by no more than
  // absoluteTolerance, or by no more than relativeTolerance times the larger magnitude.
  double absoluteTolerance = 0;
  double relativeTolerance = 0;
  bool ignoreCase = false;
  bool ignoreSpaces = false;  // runs of blanks inside a text count as one
  bool formulas = false;      // cells are equal only when their formulas are equal too
  // Texts keep their leading and trailing spaces, which are compared like any other
  // character, instead of being trimmed as they are read.
  bool exactSpaces = false;
  // Sheets paired by name, inserted and deleted rows and columns found, instead of pairing
  // sheets, rows and columns by position.
  bool align = false;
  // Keyed modes: rows (columns) paired by the texts of their identifying columns (rows)
  // instead of by position.
  bool matchKey = false;
  // What the workbooks hold besides cell texts that is compared too (whole workbooks only):
  // notes, defined names, hidden and merged areas, formats, macro modules.
  ContentsToRead contents{};
};

// The words that name each part of contents on the command line and in the caption, in the
// order of ContentsToRead: "notes", "names", "hidden", "merged", "formats", "macros".
const char* const* contentsWords();
inline constexpr int kContentsWords = 6;

// The part of contents a word names; null for a word that names none.
bool ContentsToRead::*contentsPart(std::string_view word);

// The caption both documents show: the comparison's own caption, then a line naming each
// option that is not at its default; the caption alone when none is.
std::string captionWithOptions(std::string_view caption, const ComparisonOptions& options);

}  // namespace quill
