#include "sheet/session.h"

#include <future>

#include "sheet/workbook_file.h"
#include "base/error_trap.h"

namespace quill {

void SpreadsheetApp::open(const std::string& path) {
  workbooks_.push_back(readWorkbookFile(path));
}

const Workbook& SpreadsheetApp::lastWorkbook() const {
  if (workbooks_.empty()) throw std::out_of_range("Subscript out of range: no workbook is open");
  return *workbooks_.back();
}

bool checkSpreadsheetAvailable() {
  return true;
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
  trap.at(104, [&] { endApp(session.firstApp, session.firstBook); });
  trap.at(116, [&] { endApp(session.secondApp, session.secondBook); });

  // The second file is read on a thread of its own while this one reads the first.
  auto second = std::async(std::launch::async, [&text2] { return openWorkbook(text2); });
  trap.at(132, [&] { session.firstApp = openWorkbook(text1); });
  trap.at(134, [&] {
    if (session.firstApp) session.firstBook = &session.firstApp->lastWorkbook();
  });
  trap.at(136, [&] { session.secondApp = second.get(); });
  trap.at(138, [&] {
    if (session.secondApp) session.secondBook = &session.secondApp->lastWorkbook();
  });
}

void closeSession(SpreadsheetSession& session) {
  endApp(session.firstApp, session.firstBook);
  endApp(session.secondApp, session.secondBook);
}

}  // namespace quill
