#include "sheet/session.h"

#include <future>

#include "base/error_trap.h"
#include "sheet/workbook_file.h"

namespace quill {

void SpreadsheetApp::open(const std::string& path) {
  workbooks_.push_back(readWorkbookFile(path));
}

const Workbook& SpreadsheetApp::lastWorkbook() const {
  if (workbooks_.empty()) throw std::out_of_range("Subscript out of range: no workbook is open");
  return *workbooks_.back();
}

SpreadsheetSession sessionOf(std::unique_ptr<Workbook> first, std::unique_ptr<Workbook> second) {
  SpreadsheetSession session;
  session.firstApp = std::make_unique<SpreadsheetApp>();
  session.firstApp->adopt(std::move(first));
  session.firstBook = &session.firstApp->lastWorkbook();
  session.secondApp = std::make_unique<SpreadsheetApp>();
  session.secondApp->adopt(std::move(second));
  session.secondBook = &session.secondApp->lastWorkbook();
  return session;
}

std::unique_ptr<SpreadsheetApp> openWorkbook(const std::string& path) {
  auto app = std::make_unique<SpreadsheetApp>();
  app->open(path);
  return app;
}

namespace {

// The line labels of initializeExcelFiles.
enum class OpeningLine {
  CloseFirst = 104,
  CloseSecond = 116,
  OpenFirst = 132,
  TakeFirstBook = 134,
  WaitForSecond = 136,
  TakeSecondBook = 138,
};

void endApp(std::unique_ptr<SpreadsheetApp>& app, const Workbook*& book) {
  if (app) app->close();
  book = nullptr;
  app.reset();
}
}  // namespace

void initializeExcelFiles(SpreadsheetSession& session, const std::string& text1,
                          const std::string& text2, ErrorBox& box) {
  ErrorTrap trap("Excel1", "initializeExcelFiles", box);
  if (text1.empty()) return;
  if (text2.empty()) return;
  trap.at(OpeningLine::CloseFirst, [&] { endApp(session.firstApp, session.firstBook); });
  trap.at(OpeningLine::CloseSecond, [&] { endApp(session.secondApp, session.secondBook); });

  // The second file is read on a thread of its own while this one reads the first.
  auto second = std::async(std::launch::async, [&text2] { return openWorkbook(text2); });
  trap.at(OpeningLine::OpenFirst, [&] { session.firstApp = openWorkbook(text1); });
  trap.at(OpeningLine::TakeFirstBook, [&] {
    if (session.firstApp) session.firstBook = &session.firstApp->lastWorkbook();
  });
  trap.at(OpeningLine::WaitForSecond, [&] { session.secondApp = second.get(); });
  trap.at(OpeningLine::TakeSecondBook, [&] {
    if (session.secondApp) session.secondBook = &session.secondApp->lastWorkbook();
  });
}

void closeSession(SpreadsheetSession& session) {
  endApp(session.firstApp, session.firstBook);
  endApp(session.secondApp, session.secondBook);
}

}  // namespace quill
