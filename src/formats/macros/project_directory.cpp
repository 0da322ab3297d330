#include "formats/macros/project_directory.h"

#include <cstdint>
#include <optional>

#include "base/byte_cursor.h"
#include "base/utf16.h"
#include "formats/macros/macro_project_error.h"
#include "formats/xls/codepage.h"

namespace quill {

namespace {

// The records of the directory that the modules' text depends on.
enum RecordId : std::uint16_t {
  kCodePage = 0x0003,
  kProjectVersion = 0x0009,  // its size field says 4, yet 6 bytes follow
  kDirectoryEnd = 0x0010,
  kModuleName = 0x0019,
  kModuleStreamName = 0x001A,
  kModuleEnd = 0x002B,
  kModuleOffset = 0x0031,
  kModuleStreamNameUnicode = 0x0032,
  kModuleNameUnicode = 0x0047,
};

// Reads the directory's records, each an id, a 32-bit size and that many bytes.
class DirectoryCursor final : public ByteCursor {
 public:
  explicit DirectoryCursor(std::string_view bytes)
      : ByteCursor({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}) {}

 private:
  [[noreturn]] void ranShort() const override {
    throw MacroProjectError("a record runs past its end at byte " + std::to_string(position()));
  }
};

// A module's fields as its records give them, the code-page and Unicode forms apart.
struct ModuleFields {
  std::string name;
  std::optional<std::string> nameUnicode;
  std::string streamName;
  std::optional<std::string> streamNameUnicode;
  std::optional<std::uint32_t> textOffset;
};

std::string fromUtf16(std::span<const std::uint8_t> bytes) {
  std::string text;
  appendUtf16LittleEndian(text, bytes.data(), bytes.size() / 2);
  return text;
}

std::string fromCodePage(const xls::Codepage& codePage, std::span<const std::uint8_t> bytes) {
  std::string text;
  codePage.append(text, bytes.data(), bytes.size());
  return text;
}

// The Unicode form of a name where the directory gives one that is not empty.
std::string preferred(const std::optional<std::string>& unicode, const std::string& codePaged) {
  return unicode && !unicode->empty() ? *unicode : codePaged;
}

ModuleEntry finishedModule(ModuleFields fields, std::size_t number) {
  if (!fields.textOffset)
    throw MacroProjectError("module " + std::to_string(number) + " has no text offset");
  ModuleEntry entry;
  entry.name = preferred(fields.nameUnicode, fields.name);
  entry.streamName = preferred(fields.streamNameUnicode, fields.streamName);
  if (entry.streamName.empty())
    throw MacroProjectError("module " + std::to_string(number) + " has no stream name");
  if (entry.name.empty()) entry.name = entry.streamName;
  entry.textOffset = *fields.textOffset;
  return entry;
}

}  // namespace

ProjectDirectory readProjectDirectory(std::string_view records) {
  ProjectDirectory directory;
  xls::Codepage codePage(directory.codePage);
  DirectoryCursor cursor(records);
  std::optional<ModuleFields> module;
  while (!cursor.atEnd()) {
    const std::uint16_t id = cursor.u16();
    const std::uint32_t size = cursor.u32();
    if (id == kDirectoryEnd) break;
    const auto data = cursor.bytes(id == kProjectVersion ? 6 : size);
    if (id == kModuleEnd) {
      if (module)
        directory.modules.push_back(
            finishedModule(std::move(*module), directory.modules.size() + 1));
      module.reset();
      continue;
    }
    if (id == kCodePage && size >= 2) {
      directory.codePage = littleEndian16(data.data());
      codePage.select(directory.codePage);
    }
    if (id == kModuleName) module.emplace().name = fromCodePage(codePage, data);
    if (!module) continue;
    if (id == kModuleNameUnicode) module->nameUnicode = fromUtf16(data);
    if (id == kModuleStreamName) module->streamName = fromCodePage(codePage, data);
    if (id == kModuleStreamNameUnicode) module->streamNameUnicode = fromUtf16(data);
    if (id == kModuleOffset && size >= 4) module->textOffset = littleEndian32(data.data());
  }
  if (module)
    throw MacroProjectError("it ends inside module " +
                            std::to_string(directory.modules.size() + 1));
  return directory;
}

}  // namespace quill
