#pragma once

#include "engine/request.h"

namespace quill::test {

// Each way of choosing what is compared, on a worksheet "S" of two rows and two columns.
struct ChosenMode {
  const char* name;
  void (*narrow)(ComparisonRequest& request);
};

const ChosenMode kModes[] = {
    {"whole workbook", [](ComparisonRequest&) {}},
    {"range", [](ComparisonRequest& r) { r.sheet1 = 1; }},
    {"rows",
     [](ComparisonRequest& r) {
       r.sheet1 = 1;
       r.mode = Mode::Rows;
       r.range1 = "$A:$B";
     }},
    {"columns",
     [](ComparisonRequest& r) {
       r.sheet1 = 1;
       r.mode = Mode::Columns;
       r.range1 = "$1:$2";
     }},
};

}  // namespace quill::test
