#include "formats/session.h"

#include <future>

#include "base/error_trap.h"
#include "formats/workbook_file.h"

namespace quill {

SpreadsheetSession sessionOf(std::unique_ptr<Workbook> first, std::unique_ptr<Workbook> second) {
  return SpreadsheetSession{std::move(first), std::move(second)};
}

std::unique_ptr<Workbook> openWorkbook(const std::string& path, const ReadOptions& options) {
  try {
    return readWorkbookFile(path, options);
  } catch (const WorkbookError& e) {
    // The readers name the file in their messages; the failure names it as its subject too.
    if (!e.subject().empty()) throw;
    throw WorkbookError(path, e.what());
  }
}

namespace {

// The line labels of openWorkbookPair, which its error texts name "Excel1.initializeExcelFiles".
enum class OpeningLine {
  CloseFirst = 104,
  CloseSecond = 116,
  OpenFirst = 132,
  WaitForSecond = 136,
};

}  // namespace

void openWorkbookPair(SpreadsheetSession& session, const std::string& path1,
                      const std::string& path2, ErrorBox& box, const ReadOptions& options) {
  ErrorTrap trap("Excel1", "initializeExcelFiles", box);
  if (path1.empty()) return;
  if (path2.empty()) return;
  trap.at(OpeningLine::CloseFirst, [&] { session.first.reset(); });
  trap.at(OpeningLine::CloseSecond, [&] { session.second.reset(); });

  // The second file is read on a thread of its own while this one reads the first.
  ReadOptions secondOptions = options;
  secondOptions.fileNumber = 2;
  auto second = std::async(std::launch::async,
                           [&path2, &secondOptions] { return openWorkbook(path2, secondOptions); });
  trap.at(OpeningLine::OpenFirst, [&] { session.first = openWorkbook(path1, options); });
  trap.at(OpeningLine::WaitForSecond, [&] { session.second = second.get(); });
}

void closeSession(SpreadsheetSession& session) {
  session.first.reset();
  session.second.reset();
}

}  // namespace quill
