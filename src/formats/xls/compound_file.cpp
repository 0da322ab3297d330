#include "formats/xls/compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>
#include <strings.h>

#include <algorithm>
#include <utility>

#include "base/byte_cursor.h"
#include "formats/package/gsf_library.h"
#include "sheet/workbook.h"

namespace quill::xls {

namespace {

// Owns one reference to a GObject of libgsf.
template <class T>
class GsfRef {
 public:
  explicit GsfRef(T* object = nullptr) : object_(object) {}
  GsfRef(GsfRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GsfRef& operator=(GsfRef&& other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~GsfRef() {
    if (object_ != nullptr) g_object_unref(object_);
  }
  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_;
};

// Reads a GsfInput at the offsets asked for; the record reader asks for large blocks.
class GsfSource final : public ByteSource {
 public:
  GsfSource(GsfRef<GsfInput> input, GsfRef<GsfInfile> container)
      : input_(std::move(input)), container_(std::move(container)) {
    size_ = std::uint64_t(std::max<gsf_off_t>(0, gsf_input_size(input_.get())));
  }

  std::uint64_t size() const override { return size_; }

  void read(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
    if (gsf_input_seek(input_.get(), gsf_off_t(offset), G_SEEK_SET) ||
        gsf_input_read(input_.get(), count, out) == nullptr)
      throw WorkbookError("the workbook stream cannot be read at offset " + std::to_string(offset) +
                          " (damaged compound file)");
  }

 private:
  GsfRef<GsfInput> input_;
  GsfRef<GsfInfile> container_;  // keeps the compound file alive while its stream is read
  std::uint64_t size_ = 0;
};

std::string takeMessage(GError* error, const char* fallback) {
  std::string message = error != nullptr && error->message != nullptr ? error->message : fallback;
  if (error != nullptr) g_error_free(error);
  std::replace(message.begin(), message.end(), '\n', ' ');
  return message;
}

// Whether the stream starts with the BOF record of some BIFF version.
bool startsWithBof(GsfInput* input) {
  if (gsf_input_size(input) < 8 || gsf_input_seek(input, 0, G_SEEK_SET)) return false;
  std::uint8_t header[4];
  if (gsf_input_read(input, sizeof header, header) == nullptr) return false;
  const unsigned type = littleEndian16(header);
  const unsigned length = littleEndian16(header + 2);
  const bool bof = type == 0x0009 || type == 0x0209 || type == 0x0409 || type == 0x0809;
  return bof && length >= 4 && length <= 32;
}

// The index of the child named like wanted (any case), or -1.
int childIndex(GsfInfile* container, const char* wanted) {
  const int count = gsf_infile_num_children(container);
  for (int i = 0; i < count; ++i) {
    const char* name = gsf_infile_name_by_index(container, i);
    if (name != nullptr && strcasecmp(name, wanted) == 0) return i;
  }
  return -1;
}

WorkbookStream openChild(GsfRef<GsfInfile> container, int index, StreamKind kind) {
  GsfRef<GsfInput> child(gsf_infile_child_by_index(container.get(), index));
  if (!child) throw WorkbookError("the workbook stream of the compound file cannot be opened");
  return {std::make_unique<GsfSource>(std::move(child), std::move(container)), kind};
}

}  // namespace

WorkbookStream openWorkbookStream(const std::string& path) {
  initializeGsf();
  GError* error = nullptr;
  GsfRef<GsfInput> file(gsf_input_stdio_new(path.c_str(), &error));
  if (!file)
    throw WorkbookError("the file cannot be opened: " + takeMessage(error, "unknown reason"));

  GsfRef<GsfInfile> container(gsf_infile_msole_new(file.get(), &error));
  if (!container) {
    std::string reason = takeMessage(error, "not a compound file");
    if (startsWithBof(file.get())) {
      GsfRef<GsfInfile> none;
      return {std::make_unique<GsfSource>(std::move(file), std::move(none)), StreamKind::Bare};
    }
    throw WorkbookError("not an .xls workbook: " + reason);
  }
  if (int index = childIndex(container.get(), "Workbook"); index >= 0)
    return openChild(std::move(container), index, StreamKind::Workbook);
  if (int index = childIndex(container.get(), "Book"); index >= 0)
    return openChild(std::move(container), index, StreamKind::Book);
  throw WorkbookError(
      "a compound file without a workbook stream (not an .xls workbook, or an encrypted one)");
}

}  // namespace quill::xls
