#include "sheet/compound_probe.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <strings.h>

#include <memory>

#include "sheet/gsf_library.h"
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

}  // namespace

CompoundContent probeCompoundFile(const std::string& path) {
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
