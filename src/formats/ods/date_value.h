#pragma once

#include <string>
#include <string_view>

namespace quill::ods {

// A table:date-value with the month, day, hour, minute and second each padded to two digits:
// some writers save 1904-01-01 as "1904-1-1" and 2024-03-05T09:05:00 as "2024-3-5T9:5:0",
// which must read as the padded form does. A value already padded, or in no date form at all,
// comes back as it is; a padded copy is made in buffer.
std::string_view paddedDateValue(std::string_view value, std::string& buffer);

}  // namespace quill::ods
