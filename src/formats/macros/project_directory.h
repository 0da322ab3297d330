#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// One module as the project's directory lists it.
struct ModuleEntry {
  std::string name;              // UTF-8
  std::string streamName;        // UTF-8: the stream of the project's VBA storage holding it
  std::uint32_t textOffset = 0;  // where the compressed source starts in that stream
};

// What a macro project's "dir" stream says of its modules and their text.
struct ProjectDirectory {
  int codePage = 1252;               // of the module names and the source text
  std::vector<ModuleEntry> modules;  // in the project's order
};

// Reads the decompressed "dir" stream: the project's code page and, for each module, its
// name, stream name and text offset (the Unicode forms of the names where the stream gives
// them). Throws MacroProjectError with the reason only when the records do not hold.
ProjectDirectory readProjectDirectory(std::string_view records);

}  // namespace quill
