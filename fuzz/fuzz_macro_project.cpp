// Feeds arbitrary bytes to the reading of macro projects. The first byte picks what reads the
// rest: 0 the decompression of a compressed container, 1 the same followed by the reading of
// a project's directory, any other value the whole project as a compound file's bytes (a
// vbaProject.bin part). Any outcome but a crash, a hang, a leak or an exception other than
// MacroProjectError is a finding.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/macros/macro_modules.h"
#include "formats/macros/ovba_compression.h"
#include "formats/macros/project_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    if (data[0] == 0)
      (void)quill::decompressMacroContainer(bytes);
    else if (data[0] == 1)
      (void)quill::readProjectDirectory(quill::decompressMacroContainer(bytes));
    else
      (void)quill::readMacroProject(std::string(bytes), quill::ReadOptions{});
  } catch (const quill::MacroProjectError&) {
  }
  return 0;
}
