#include "review/review_workbook.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "base/ascii_case.h"
#include "report/document_saving.h"
#include "report/file_writer.h"
#include "report/pending_file.h"
#include "review/marked_package.h"
#include "review/marked_sheet.h"
#include "review/review_formats.h"
#include "review/review_listing.h"
#include "review/sheet_names.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// How the library's messages name the system's reason.
constexpr std::string_view kSystemError = "System error = ";

// Catches what is printed on the C standard error stream while it lives (the stream
// std::cerr writes to is not affected), one at a time across threads.
class CaughtStandardError {
 public:
  explicit CaughtStandardError(std::string& printed) : lock_(mutex()), printed_(printed) {
    saved_ = stderr;
    caught_ = ::open_memstream(&buffer_, &size_);
    if (caught_ != nullptr) stderr = caught_;
  }
  ~CaughtStandardError() {
    stderr = saved_;
    if (caught_ == nullptr) return;
    std::fclose(caught_);
    printed_.assign(buffer_, size_);
    std::free(buffer_);
  }
  CaughtStandardError(const CaughtStandardError&) = delete;
  CaughtStandardError& operator=(const CaughtStandardError&) = delete;

 private:
  static std::mutex& mutex() {
    static std::mutex shared;
    return shared;
  }

  std::lock_guard<std::mutex> lock_;
  std::string& printed_;
  FILE* saved_ = nullptr;
  FILE* caught_ = nullptr;
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
};

// Closes the workbook (which writes the file) unless close() did; a workbook that failed
// part way is closed all the same, to free what it holds.
class OpenWorkbook {
 public:
  explicit OpenWorkbook(const fs::path& path) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    std::string printed;
    {
      const CaughtStandardError caught(printed);
      book_ = workbook_new_opt(path.c_str(), &options);
    }
    if (book_ == nullptr) throw WriteError(path.string(), "Cannot write \"" + path.string() + "\"");
  }
  ~OpenWorkbook() {
    if (book_ == nullptr) return;
    std::string printed;
    const CaughtStandardError caught(printed);
    workbook_close(book_);
  }
  OpenWorkbook(const OpenWorkbook&) = delete;
  OpenWorkbook& operator=(const OpenWorkbook&) = delete;

  lxw_workbook* get() const { return book_; }

  lxw_worksheet* addSheet(const std::string& name) {
    lxw_worksheet* sheet = workbook_add_worksheet(book_, name.c_str());
    if (sheet == nullptr) throw WriteError("Cannot add the worksheet \"" + name + "\"");
    return sheet;
  }

  // Writes the file. The library prints its reasons on the C standard error stream; they
  // are caught here and their system reason becomes part of the one message.
  void close() {
    std::string printed;
    lxw_error error = LXW_NO_ERROR;
    {
      const CaughtStandardError caught(printed);
      error = workbook_close(book_);
    }
    book_ = nullptr;
    if (error == LXW_NO_ERROR) return;
    const std::size_t reason = printed.rfind(kSystemError);
    if (reason == std::string::npos) checkWritten(error);
    const std::size_t end = printed.find('\n', reason);
    throw WriteError(
        printed.substr(reason + kSystemError.size(),
                       end == std::string::npos ? end : end - reason - kSystemError.size()));
  }

 private:
  lxw_workbook* book_ = nullptr;
};

// Removes a file that is no longer wanted; a failure leaves nothing more to do.
void removeQuietly(const fs::path& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

// Makes the hidden file the workbook is written into, so that a folder that cannot take it
// is named with the system's reason before anything is written.
void claimHiddenFile(const fs::path& hidden, const fs::path& shownAs) {
  const int fd = ::open(hidden.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) failWriting(shownAs, errno);
  ::close(fd);
}

// A marked copy keeps File #2's kind of workbook (macro-enabled, a template), which
// spreadsheet applications open only under that kind's extension: under another name it would
// be a file that does not open.
void refuseNameNotFittingCopy(const fs::path& target, const std::vector<fs::path>& inputs) {
  if (inputs.size() < 2) return;
  const std::string extension = reviewExtension(inputs[1]);
  if (extension == ".xlsx" || asciiLowered(target.extension().string()) == extension) return;
  throw WriteError("Cannot write \"" + target.string() + "\": the marked copy of \"" +
                   inputs[1].string() + "\" keeps its kind of workbook, which opens only under a " +
                   "name ending in " + extension + "; choose such a name");
}

}  // namespace

void writeReviewWorkbook(const ReviewResult& result, const Workbook& second, const fs::path& path) {
  std::vector<std::string> secondNames;
  for (std::size_t i = 1; i <= second.sheetCount(); ++i)
    secondNames.push_back(second.sheet(i).name());
  const std::vector<std::string> names = reviewSheetNames(secondNames);
  OpenWorkbook book(path);
  ReviewFormats formats(book.get());
  // The listing's links name the marked worksheets by position; element 0 is the listing.
  lxw_worksheet* listing = book.addSheet(names.front());
  std::vector<lxw_worksheet*> marked{nullptr};
  for (std::size_t i = 1; i < names.size(); ++i) marked.push_back(book.addSheet(names[i]));
  writeReviewListing(listing, result, names, formats);
  for (std::size_t i = 1; i < names.size(); ++i) {
    const auto found = result.marks.find(long(i));
    writeMarkedSheet(marked[i], second.sheet(i),
                     found == result.marks.end() ? nullptr : &found->second, formats);
  }
  book.close();
}

std::string reviewFileName(const fs::path& second) {
  return "review" + reviewExtension(second);
}

void saveReviewWorkbook(const ReviewResult& result, const Workbook& second, const fs::path& target,
                        const std::vector<fs::path>& inputs) {
  refuseFileReplacingInput(target, inputs);
  refuseNameNotFittingCopy(target, inputs);
  const fs::path place = writeTarget(target);
  const fs::path written = hiddenPathBeside(place, ".part");
  claimHiddenFile(written, target);
  try {
    if (inputs.size() < 2 || !isMarkablePackage(inputs[1]) ||
        !writeMarkedPackage(result, inputs[1], written))
      writeReviewWorkbook(result, second, written);
    moveFilesTogether({{written, place}});
  } catch (const WriteError& error) {
    removeQuietly(written);
    if (!error.subject().empty()) throw;
    throw WriteError(target.string(), "Cannot write \"" + target.string() + "\": " + error.what());
  } catch (...) {
    removeQuietly(written);
    throw;
  }
}

ReviewWorkbookWriter::ReviewWorkbookWriter(const Workbook& second, fs::path target,
                                           std::vector<fs::path> inputs, bool sheetsPaired)
    : second_(second),
      target_(std::move(target)),
      inputs_(std::move(inputs)),
      collector_(sheetsPaired) {}

void ReviewWorkbookWriter::finish() {
  collector_.finish();
  if (onlyWhenDifferent_ && !collector_.hasDifferences()) return;
  saveReviewWorkbook(collector_.result(), second_, target_, inputs_);
  saved_ = true;
}

}  // namespace quill
