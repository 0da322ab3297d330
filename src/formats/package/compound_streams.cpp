#include "formats/package/compound_streams.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <strings.h>

#include <algorithm>

#include "formats/package/gsf_library.h"
#include "sheet/read_options.h"
#include "sheet/workbook.h"

namespace quill {

// The file and its directory, released in the reverse order.
struct CompoundStreams::Handles {
  GsfInput* file = nullptr;
  GsfInfile* root = nullptr;
  ~Handles() {
    if (root != nullptr) g_object_unref(root);
    if (file != nullptr) g_object_unref(file);
  }
};

CompoundStreams::CompoundStreams(const std::string& path, std::stop_token stop)
    : path_(path), stop_(std::move(stop)), handles_(std::make_unique<Handles>()) {
  initializeGsf();
  GError* error = nullptr;
  handles_->file = gsf_input_stdio_new(path.c_str(), &error);
  if (handles_->file == nullptr)
    throw WorkbookError("\"" + path + "\" cannot be opened: " + takeGsfMessage(error));
  handles_->root = gsf_infile_msole_new(handles_->file, &error);
  if (handles_->root == nullptr)
    throw WorkbookError("\"" + path + "\" cannot be read: its compound document is damaged (" +
                        takeGsfMessage(error) + ")");
}

CompoundStreams::~CompoundStreams() = default;

std::string CompoundStreams::read(const char* name, std::uint64_t maxBytes) const {
  const auto fail = [&](const std::string& reason) {
    throw WorkbookError("\"" + path_ + "\" cannot be read: " + reason);
  };
  GsfInput* stream = nullptr;
  const int count = gsf_infile_num_children(handles_->root);
  for (int i = 0; i < count && stream == nullptr; ++i) {
    const char* childName = gsf_infile_name_by_index(handles_->root, i);
    if (childName != nullptr && strcasecmp(childName, name) == 0)
      stream = gsf_infile_child_by_index(handles_->root, i);
  }
  if (stream == nullptr) fail(std::string("its stream ") + name + " is missing");
  std::unique_ptr<GsfInput, void (*)(GsfInput*)> owned(
      stream, [](GsfInput* input) { g_object_unref(input); });
  std::string bytes;
  const StreamReading reading = readWholeStream(stream, maxBytes, stop_, bytes);
  if (reading == StreamReading::TooLarge)
    fail(std::string("its stream ") + name + " is larger than expected");
  if (reading == StreamReading::Damaged) fail(std::string("its stream ") + name + " is damaged");
  return bytes;
}

}  // namespace quill
