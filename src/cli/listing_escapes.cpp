#include "cli/listing_escapes.h"

#include "report/plain_escapes.h"

namespace quill::cli {

std::string escapeForListing(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  appendTerminalText(out, text, false);
  return out;
}

}  // namespace quill::cli
