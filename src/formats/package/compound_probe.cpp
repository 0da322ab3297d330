#include "formats/package/compound_probe.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <strings.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>

#include "base/byte_cursor.h"
#include "formats/package/gsf_library.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

struct ObjectReleaser {
  void operator()(void* object) const { g_object_unref(object); }
};

template <class T>
using GsfPointer = std::unique_ptr<T, ObjectReleaser>;

[[noreturn]] void fail(const std::string& path, GError* error) {
  std::string reason = error != nullptr ? error->message : "unknown error";
  if (error != nullptr) g_error_free(error);
  throw WorkbookError("\"" + path + "\" cannot be read: its compound document is damaged (" +
                      reason + ")");
}

// Whether the root entry of the directory names siblings of its own. No writer makes such a
// file, and the library that reads the directory loses the memory of those siblings, so
// damaged files of that kind are refused before it sees them.
bool rootEntryHasSiblings(const std::string& path) {
  constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
  std::ifstream in(path, std::ios::binary);
  std::array<std::uint8_t, 512> header{};
  if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) return false;
  const std::uint32_t sectorShift = littleEndian16(header.data() + 0x1E);
  const std::uint32_t directorySector = littleEndian32(header.data() + 0x30);
  if (sectorShift < 7 || sectorShift > 16 || directorySector >= 0xFFFFFFFA) return false;
  std::array<std::uint8_t, 128> root{};
  in.seekg(std::streamoff((std::uint64_t(directorySector) + 1) << sectorShift));
  if (!in.read(reinterpret_cast<char*>(root.data()), root.size())) return false;
  return littleEndian32(root.data() + 0x44) != kNoStream ||
         littleEndian32(root.data() + 0x48) != kNoStream;
}

}  // namespace

CompoundContent probeCompoundFile(const std::string& path) {
  if (rootEntryHasSiblings(path))
    throw WorkbookError("\"" + path +
                        "\" cannot be read: its compound document is damaged (the root entry has "
                        "siblings)");
  initializeGsf();
  GError* error = nullptr;
  GsfPointer<GsfInput> input(gsf_input_stdio_new(path.c_str(), &error));
  if (!input) fail(path, error);
  GsfPointer<GsfInfile> root(gsf_infile_msole_new(input.get(), &error));
  if (!root) fail(path, error);
  bool encryptionInfo = false, encryptedPackage = false;
  const int count = gsf_infile_num_children(root.get());
  for (int i = 0; i < count; ++i) {
    const char* name = gsf_infile_name_by_index(root.get(), i);
    if (name == nullptr) continue;
    if (strcasecmp(name, "Workbook") == 0 || strcasecmp(name, "Book") == 0)
      return CompoundContent::Workbook;
    encryptionInfo = encryptionInfo || strcasecmp(name, "EncryptionInfo") == 0;
    encryptedPackage = encryptedPackage || strcasecmp(name, "EncryptedPackage") == 0;
  }
  return encryptionInfo && encryptedPackage ? CompoundContent::EncryptedPackage
                                            : CompoundContent::Other;
}

}  // namespace quill
