// Feeds arbitrary bytes, saved as a file with the extension this target was built for, to
// the one entry point that opens workbooks, formulas read too (which reads the values as
// well). Any outcome but a crash, a hang, a leak or an
// exception other than WorkbookError is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "formats/workbook_file.h"
#include "sheet/password_source.h"

namespace {

const std::string& inputPath() {
  static const std::string path =
      "/dev/shm/quillmere-fuzz-" + std::to_string(::getpid()) + QUILLMERE_FUZZ_EXTENSION;
  return path;
}

// Gives every encrypted file the password of the corpus's encrypted workbooks.
class CorpusPassword final : public quill::PasswordSource {
 public:
  std::optional<std::string> password(int, const std::string&, int attempt) override {
    if (attempt > 1) return std::nullopt;
    return "123";
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(inputPath().c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  try {
    CorpusPassword password;
    auto workbook = quill::readWorkbookFile(
        inputPath(), quill::ReadOptions{.formulas = true, .passwords = &password});
    for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
      const quill::Worksheet& sheet = workbook->sheet(i);
      const quill::Area used = sheet.usedArea();
      (void)sheet.cellText(used.lastRow, used.lastColumn);
      (void)sheet.cellFormula(used.lastRow, used.lastColumn);
    }
  } catch (const quill::WorkbookError&) {
  }
  return 0;
}
