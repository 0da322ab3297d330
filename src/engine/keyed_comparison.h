#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/chosen_sheets.h"
#include "engine/comparison.h"
#include "engine/keyed_area.h"

namespace quill {

// Tells the lines of one keyed comparison: what its table is, its key header, then each row
// of the area.
class KeyedLines {
 public:
  virtual ~KeyedLines() = default;
  // Fills in the table's columns, heading labels and whether a key was given; the strings
  // and columns it points to live as long as this object.
  virtual void describe(TableStart& table) const = 0;
  virtual void tellHeader(ResultSink& result) = 0;
  // How many lines follow the header: one for each row of the area, told with its row; lines
  // that pair rows by key are as many as the pairing's steps, told with the area's first row
  // plus the step.
  virtual long lineCount(const Area& area) const { return area.rows(); }
  virtual void tellRow(ResultSink& result, long row) = 0;
};

// What sets the row-keyed and column-keyed comparisons apart; the rest of their run is shared.
struct KeyedMode {
  KeyedArea (*area)(const ComparisonRequest& request, const ChosenSheets& sheets);
  KeyLists (*lists)(const ComparisonRequest& request, const KeyedArea& keyed);
  TableLayout layout;
  std::unique_ptr<KeyedLines> (*lines)(const ComparisonRequest& request, const ChosenSheets& sheets,
                                       const KeyedArea& keyed, const KeyLists& lists);
  std::string_view listUnit;  // what the two lists name in the caption: "columns" or "rows"
};

// Runs a keyed comparison: reads the area and the two lists, tells the result row by row
// while reporting progress, completes the result and closes the session. Failures
// propagate as exceptions and leave the result unfinished.
ComparisonOutcome compareKeyed(ComparisonContext& context, const KeyedMode& mode);

}  // namespace quill
