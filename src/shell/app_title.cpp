#include "shell/app_title.h"

namespace quill {

namespace {
constexpr std::size_t kLongestTitle = 40;
}

std::string makeApplicationTitle(std::string_view productName) {
  std::string title(productName);
  do {
    const std::size_t blank = title.rfind(' ');
    if (blank == std::string::npos) break;
    title.resize(blank);
  } while (title.size() > kLongestTitle);
  return title;
}

}  // namespace quill
