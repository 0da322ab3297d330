#pragma once

#include <string>

namespace quill {

// The local date and time as "yyyy-mm-dd hh:mm:ss".
std::string currentLocalTime();

}  // namespace quill
