#include "formats/package/zip_archive.h"

#include <zip.h>

#include <memory>

#include "sheet/read_options.h"
#include "sheet/workbook.h"

namespace quill {

namespace {

std::string withoutLeadingSlash(std::string_view name) {
  while (!name.empty() && name.front() == '/') name.remove_prefix(1);
  return std::string(name);
}

struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

ZipArchive::ZipArchive(const std::string& path, std::stop_token stop)
    : path_(path), stop_(std::move(stop)) {
  int error = 0;
  archive_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (archive_ == nullptr) failToOpen(error);
}

ZipArchive::ZipArchive(const std::string& path, std::string bytes, std::stop_token stop)
    : path_(path), stop_(std::move(stop)), memory_(std::move(bytes)) {
  zip_error_t details;
  zip_error_init(&details);
  zip_source_t* source = zip_source_buffer_create(memory_.data(), memory_.size(), 0, &details);
  if (source != nullptr) archive_ = zip_open_from_source(source, ZIP_RDONLY, &details);
  if (archive_ == nullptr) {
    const int error = zip_error_code_zip(&details);
    zip_error_fini(&details);
    if (source != nullptr) zip_source_free(source);
    failToOpen(error);
  }
  zip_error_fini(&details);
}

void ZipArchive::failToOpen(int error) const {
  zip_error_t details;
  zip_error_init_with_code(&details, error);
  std::string reason = zip_error_strerror(&details);
  zip_error_fini(&details);
  fail("it is not a readable zip package (" + reason + ")");
}

ZipArchive::~ZipArchive() {
  if (archive_ != nullptr) zip_discard(archive_);
}

void ZipArchive::fail(const std::string& reason) const {
  throw WorkbookError("\"" + path_ + "\" cannot be read: " + reason);
}

std::optional<std::uint64_t> ZipArchive::indexOf(std::string_view name) const {
  zip_int64_t index = zip_name_locate(archive_, withoutLeadingSlash(name).c_str(), ZIP_FL_NOCASE);
  if (index < 0) return std::nullopt;
  return std::uint64_t(index);
}

bool ZipArchive::contains(std::string_view name) const {
  return indexOf(name).has_value();
}

std::vector<std::string> ZipArchive::names() const {
  std::vector<std::string> result;
  zip_int64_t count = zip_get_num_entries(archive_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive_, zip_uint64_t(i), 0);
    if (name != nullptr) result.emplace_back(name);
  }
  return result;
}

void ZipArchive::read(std::string_view name,
                      const std::function<void(std::string_view)>& consume) const {
  const std::string part = withoutLeadingSlash(name);
  auto index = indexOf(part);
  if (!index) fail("the part \"" + part + "\" is missing");
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive_, *index, 0, &stat) != 0) fail("the part \"" + part + "\" is damaged");
  if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
    fail("the part \"" + part + "\" is encrypted");
  const std::uint64_t compressed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;

  std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive_, *index, 0));
  if (!file) fail("the part \"" + part + "\" cannot be opened (" + zip_strerror(archive_) + ")");
  std::unique_ptr<char[]> buffer(new char[1 << 16]);
  std::uint64_t total = 0;
  while (true) {
    stopIfRequested(stop_);
    zip_int64_t got = zip_fread(file.get(), buffer.get(), 1 << 16);
    if (got < 0)
      fail("the part \"" + part + "\" is damaged (" + zip_file_strerror(file.get()) + ")");
    if (got == 0) break;
    total += std::uint64_t(got);
    if (total > kRatioFreeBytes && total > kMaxRatio * compressed)
      fail("the part \"" + part + "\" inflates more than 1000 times its packed size");
    consume(std::string_view(buffer.get(), std::size_t(got)));
  }
}

std::string ZipArchive::readAll(std::string_view name, std::uint64_t maxBytes) const {
  const std::string part = withoutLeadingSlash(name);
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (auto index = indexOf(part); index && zip_stat_index(archive_, *index, 0, &stat) == 0 &&
                                  (stat.valid & ZIP_STAT_SIZE) && stat.size > maxBytes)
    fail("the part \"" + part + "\" is larger than expected");
  std::string text;
  read(name, [&](std::string_view chunk) {
    if (text.size() + chunk.size() > maxBytes)
      fail("the part \"" + withoutLeadingSlash(name) + "\" is larger than expected");
    text.append(chunk);
  });
  return text;
}

}  // namespace quill
