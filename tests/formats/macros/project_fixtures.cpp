#include "formats/macros/project_fixtures.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <map>
#include <memory>

#include "formats/package/gsf_library.h"

namespace quill::test {

namespace {

void writeChild(GsfOutfile* storage, const std::string& name, const std::string& bytes) {
  GsfOutput* child = gsf_outfile_new_child(storage, name.c_str(), FALSE);
  gsf_output_write(child, bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
  gsf_output_close(child);
  g_object_unref(child);
}

}  // namespace

std::string compoundFileBytes(const std::vector<std::pair<std::string, std::string>>& streams) {
  initializeGsf();
  GsfOutput* memory = gsf_output_memory_new();
  GsfOutfile* root = gsf_outfile_msole_new(memory);
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> byStorage;
  for (const auto& [name, bytes] : streams) {
    const std::size_t slash = name.find('/');
    if (slash == std::string::npos)
      writeChild(root, name, bytes);
    else
      byStorage[name.substr(0, slash)].emplace_back(name.substr(slash + 1), bytes);
  }
  for (const auto& [storageName, children] : byStorage) {
    GsfOutput* storage = gsf_outfile_new_child(root, storageName.c_str(), TRUE);
    for (const auto& [name, bytes] : children) writeChild(GSF_OUTFILE(storage), name, bytes);
    gsf_output_close(storage);
    g_object_unref(storage);
  }
  gsf_output_close(GSF_OUTPUT(root));
  g_object_unref(root);
  const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
  std::string file(reinterpret_cast<const char*>(bytes), std::size_t(gsf_output_size(memory)));
  g_object_unref(memory);
  return file;
}

}  // namespace quill::test
