#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sheet/cell_text.h"

namespace quill::ods {

// An ISO 8601 duration ("PT15H30M00S", "P1DT2H") in days, for .ods time values.
std::optional<double> isoDurationDays(std::string_view duration);

// The text of an .ods time value of that many days: a serial counted from the workbook's
// null date. From the usual null date it follows the serial rules of the 1900 date system;
// from another one, a duration under a day gives its time and a longer one the null date's
// day moved on by it, as a serial of a 1904 workbook does from 1904-01-01.
std::string durationText(double days, CivilDate nullDate);

}  // namespace quill::ods
