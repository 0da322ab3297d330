#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/cell_comparison.h"
#include "engine/chosen_sheets.h"
#include "engine/comparison.h"
#include "engine/keyed_area.h"

namespace quill {

// Builds the bodies of one keyed comparison: its header row, then each row of the area.
class KeyedBodiesBuilder {
 public:
  virtual ~KeyedBodiesBuilder() = default;
  virtual void appendHeaderRow(ReportBodies& bodies) = 0;
  virtual void appendRow(ReportBodies& bodies, long row) = 0;
};

// What sets the row-keyed and column-keyed comparisons apart; the rest of their run is shared.
struct KeyedMode {
  KeyedArea (*area)(const ComparisonRequest& request, const ChosenSheets& sheets);
  KeyLists (*lists)(const ComparisonRequest& request, const KeyedArea& keyed);
  void (*appendHeading)(std::string& grid, const KeyedArea& keyed);
  std::unique_ptr<KeyedBodiesBuilder> (*builder)(ComparisonContext& context,
                                                 const ChosenSheets& sheets, const KeyedArea& keyed,
                                                 const KeyLists& lists);
  std::string_view listUnit;  // what the two lists name in the caption: "columns" or "rows"
};

// Runs a keyed comparison: reads the area and the two lists, builds the bodies row by row
// while reporting progress, writes both documents and closes the session. Failures
// propagate as exceptions and write nothing.
ComparisonOutcome compareKeyed(ComparisonContext& context, const KeyedMode& mode);

}  // namespace quill
