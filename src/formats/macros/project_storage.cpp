#include "formats/macros/project_storage.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "formats/macros/macro_project_error.h"
#include "formats/package/gsf_library.h"
#include "sheet/read_options.h"

namespace quill {

namespace {

// The child of a storage named so: an exact match first, then one in another case.
GsfInput* childNamed(GsfInfile* storage, const char* wanted) {
  if (GsfInput* exact = gsf_infile_child_by_name(storage, wanted); exact != nullptr) return exact;
  const int count = gsf_infile_num_children(storage);
  for (int i = 0; i < count; ++i) {
    const char* name = gsf_infile_name_by_index(storage, i);
    if (name != nullptr && strcasecmp(name, wanted) == 0)
      return gsf_infile_child_by_index(storage, i);
  }
  return nullptr;
}

// A child that is a storage, or nullptr (a stream of that name counts as none).
GsfInfile* storageNamed(GsfInfile* parent, const char* wanted) {
  GsfInput* child = childNamed(parent, wanted);
  if (child == nullptr) return nullptr;
  if (GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0)
    return GSF_INFILE(child);
  g_object_unref(child);
  return nullptr;
}

}  // namespace

// The bytes or file behind the compound file, its directory and the project's VBA storage,
// released in the reverse order.
struct ProjectStorage::Handles {
  std::string bytes;  // a compound file held in memory
  GsfInput* file = nullptr;
  GsfInfile* root = nullptr;
  GsfInfile* project = nullptr;  // the root itself, or a storage of it
  GsfInfile* vba = nullptr;
  ~Handles() {
    for (gpointer object : {gpointer(vba), gpointer(project), gpointer(root), gpointer(file)})
      if (object != nullptr) g_object_unref(object);
  }
};

ProjectStorage::ProjectStorage(std::unique_ptr<Handles> handles, std::stop_token stop)
    : handles_(std::move(handles)), stop_(std::move(stop)) {
  handles_->vba = storageNamed(handles_->project, "VBA");
  if (handles_->vba == nullptr) throw MacroProjectError("it has no VBA storage");
}

ProjectStorage::~ProjectStorage() = default;

std::unique_ptr<ProjectStorage> ProjectStorage::inFile(const std::string& path,
                                                       const char* storageName,
                                                       std::stop_token stop) {
  initializeGsf();
  auto handles = std::make_unique<Handles>();
  GError* error = nullptr;
  handles->file = gsf_input_stdio_new(path.c_str(), &error);
  if (handles->file == nullptr)
    throw MacroProjectError("the file cannot be opened: " + takeGsfMessage(error));
  handles->root = gsf_infile_msole_new(handles->file, &error);
  // A file that is no compound file (a bare BIFF stream) has no place for a project.
  if (handles->root == nullptr) {
    takeGsfMessage(error);
    return nullptr;
  }
  handles->project = storageNamed(handles->root, storageName);
  if (handles->project == nullptr) return nullptr;
  return std::unique_ptr<ProjectStorage>(new ProjectStorage(std::move(handles), std::move(stop)));
}

std::unique_ptr<ProjectStorage> ProjectStorage::inBytes(std::string bytes, std::stop_token stop) {
  initializeGsf();
  auto handles = std::make_unique<Handles>();
  handles->bytes = std::move(bytes);
  handles->file = gsf_input_memory_new(reinterpret_cast<const guint8*>(handles->bytes.data()),
                                       gsf_off_t(handles->bytes.size()), FALSE);
  if (handles->file == nullptr) throw MacroProjectError("its compound file cannot be opened");
  GError* error = nullptr;
  handles->root = gsf_infile_msole_new(handles->file, &error);
  if (handles->root == nullptr)
    throw MacroProjectError("its compound file is damaged (" + takeGsfMessage(error) + ")");
  handles->project = GSF_INFILE(g_object_ref(handles->root));
  return std::unique_ptr<ProjectStorage>(new ProjectStorage(std::move(handles), std::move(stop)));
}

std::string ProjectStorage::readVbaStream(const std::string& name, std::uint64_t maxBytes) const {
  GsfInput* found = childNamed(handles_->vba, name.c_str());
  if (found == nullptr) throw MacroProjectError("its stream VBA/" + name + " is missing");
  std::unique_ptr<GsfInput, void (*)(GsfInput*)> stream(
      found, [](GsfInput* input) { g_object_unref(input); });
  std::string bytes;
  const StreamReading reading = readWholeStream(stream.get(), maxBytes, stop_, bytes);
  if (reading == StreamReading::TooLarge)
    throw MacroProjectError("its stream VBA/" + name + " is larger than expected");
  if (reading == StreamReading::Damaged)
    throw MacroProjectError("its stream VBA/" + name + " is damaged");
  return bytes;
}

}  // namespace quill
