#include "formats/macros/macro_modules.h"

namespace quill {

// Not yet read: every file is taken to hold no macro project.
std::vector<MacroModule> readMacroModules(const std::string&, const ReadOptions&) {
  return {};
}

}  // namespace quill
