#include "sheet/csv/csv_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "sheet/csv/csv_parser.h"

namespace quill {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

constexpr std::size_t kBlockSize = std::size_t(1) << 16;

}  // namespace

std::unique_ptr<StoredWorkbook> readCsvWorkbook(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw WorkbookError("\"" + path + "\" cannot be opened: " + std::strerror(errno));
  auto workbook = std::make_unique<StoredWorkbook>();
  StoredSheet& sheet = workbook->addSheet(std::filesystem::path(path).stem().string());
  csv::CsvParser parser(sheet);
  std::unique_ptr<char[]> block(new char[kBlockSize]);
  try {
    while (std::size_t got = std::fread(block.get(), 1, kBlockSize, file.get()))
      parser.feed(std::string_view(block.get(), got));
    if (std::ferror(file.get())) throw WorkbookError("a read failed");
    parser.finish();
  } catch (const WorkbookError& error) {
    throw WorkbookError("\"" + path + "\" cannot be read: " + error.what());
  }
  workbook->finish();
  return workbook;
}

}  // namespace quill
