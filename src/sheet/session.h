#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sheet/workbook.h"

namespace quill {

class ErrorBox;

// One reader instance: the workbooks it has opened, the last one opened at the end.
class SpreadsheetApp {
 public:
  // Opens a file as this instance's last workbook; throws WorkbookError.
  void open(const std::string& path);
  // Takes a workbook built elsewhere (in memory) as this instance's last workbook.
  void adopt(std::unique_ptr<Workbook> workbook) { workbooks_.push_back(std::move(workbook)); }
  const Workbook& lastWorkbook() const;
  std::size_t workbookCount() const { return workbooks_.size(); }
  // Closes every workbook.
  void close() { workbooks_.clear(); }

 private:
  std::vector<std::unique_ptr<Workbook>> workbooks_;
};

// The two workbooks a comparison reads, each opened by a reader instance of its own.
struct SpreadsheetSession {
  std::unique_ptr<SpreadsheetApp> firstApp;
  std::unique_ptr<SpreadsheetApp> secondApp;
  const Workbook* firstBook = nullptr;
  const Workbook* secondBook = nullptr;

  bool isOpen() const { return firstBook != nullptr && secondBook != nullptr; }
};

// A session over two workbooks that are already in memory.
SpreadsheetSession sessionOf(std::unique_ptr<Workbook> first, std::unique_ptr<Workbook> second);

// Opens one file in a new reader instance; throws WorkbookError.
std::unique_ptr<SpreadsheetApp> openWorkbook(const std::string& path);

// Opens both files into a fresh session, ending any open one first. Does nothing at all
// when either path is empty. A file that fails to open is reported in the box and leaves
// its members empty. The two files are read at the same time.
void initializeExcelFiles(SpreadsheetSession& session, const std::string& text1,
                          const std::string& text2, ErrorBox& box);

// Closes both workbooks and ends both reader instances.
void closeSession(SpreadsheetSession& session);

}  // namespace quill
