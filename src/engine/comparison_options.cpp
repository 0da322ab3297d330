#include "engine/comparison_options.h"

namespace quill {

std::string captionWithOptions(std::string_view caption, const ComparisonOptions& options) {
  (void)options;
  return std::string(caption);
}

}  // namespace quill
