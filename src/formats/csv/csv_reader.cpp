#include "formats/csv/csv_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "formats/csv/csv_encoding.h"
#include "formats/csv/csv_parser.h"
#include "formats/csv/separator_guess.h"

namespace quill {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kBlockSize = std::size_t(1) << 16;
// The separator is guessed from the lines in about this much text at the start.
constexpr std::size_t kSampleSize = std::size_t(1) << 16;

// Reads the file block by block from its start, handing each block to the call, until a
// stop is requested.
template <class Take>
void forEachBlock(std::FILE* file, char* block, const std::stop_token& stop, Take take) {
  std::rewind(file);
  stopIfRequested(stop);
  while (std::size_t got = std::fread(block, 1, kBlockSize, file)) {
    take(std::string_view(block, got));
    stopIfRequested(stop);
  }
  if (std::ferror(file)) throw WorkbookError("a read failed");
}

// Reads the whole file once to learn its encoding, then again to decode and split it; only
// a block and the text decoded from it are held at a time, besides the first text that the
// separator is guessed from.
void parseFile(std::FILE* file, StoredSheet& sheet, const std::stop_token& stop) {
  std::unique_ptr<char[]> block(new char[kBlockSize]);
  csv::CsvEncodingProbe probe;
  forEachBlock(file, block.get(), stop, [&](std::string_view bytes) { probe.feed(bytes); });
  csv::CsvDecoder decoder(probe.encoding());
  std::unique_ptr<csv::CsvParser> parser;
  std::string text;
  const auto startParsing = [&] {
    parser = std::make_unique<csv::CsvParser>(sheet, csv::guessSeparator(text));
  };
  forEachBlock(file, block.get(), stop, [&](std::string_view bytes) {
    decoder.decode(bytes, text);
    if (!parser && text.size() < kSampleSize) return;
    if (!parser) startParsing();
    parser->feed(text);
    text.clear();
  });
  decoder.finish(text);
  if (!parser) startParsing();
  parser->feed(text);
  parser->finish();
}

}  // namespace

std::unique_ptr<StoredWorkbook> readCsvWorkbook(const std::string& path,
                                                const ReadOptions& options) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) throw WorkbookError("\"" + path + "\" cannot be opened: " + std::strerror(errno));
  auto workbook = std::make_unique<StoredWorkbook>(options.keepSpaces);
  StoredSheet& sheet = workbook->addSheet(std::filesystem::path(path).stem().string());
  try {
    parseFile(file.get(), sheet, options.stop);
  } catch (const WorkbookError& error) {
    throw WorkbookError("\"" + path + "\" cannot be read: " + error.what());
  }
  workbook->finish();
  return workbook;
}

}  // namespace quill
