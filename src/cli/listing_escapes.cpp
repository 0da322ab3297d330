#include "cli/listing_escapes.h"

namespace quill::cli {

std::string escapeForListing(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    switch (ch) {
      case '\\':
        out.append("\\\\");
        break;
      case '\t':
        out.append("\\t");
        break;
      case '\n':
        out.append("\\n");
        break;
      case '\r':
        out.append("\\r");
        break;
      default:
        out.push_back(ch);
    }
  }
  return out;
}

}  // namespace quill::cli
