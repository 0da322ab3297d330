#pragma once

#include <memory>
#include <string>

#include "sheet/read_options.h"
#include "sheet/workbook.h"

namespace quill {

class ErrorBox;

// The two workbooks a comparison reads. The session owns both from opening until it is
// closed; whoever reads them borrows them from it.
struct SpreadsheetSession {
  std::unique_ptr<Workbook> first;
  std::unique_ptr<Workbook> second;

  const Workbook* firstBook() const { return first.get(); }
  const Workbook* secondBook() const { return second.get(); }
  bool isOpen() const { return first && second; }
};

// A session over two workbooks that are already in memory.
SpreadsheetSession sessionOf(std::unique_ptr<Workbook> first, std::unique_ptr<Workbook> second);

// Reads one file, with what else the options ask for; throws WorkbookError naming the file.
std::unique_ptr<Workbook> openWorkbook(const std::string& path, const ReadOptions& options = {});

// Opens both files into a fresh session, ending any open one first. Does nothing at all
// when either path is empty. A file that fails to open is reported in the box and leaves
// its members empty. The two files are read at the same time, both with the options, the
// second as File #2 (fileNumber 2) whatever the options say.
void openWorkbookPair(SpreadsheetSession& session, const std::string& path1,
                      const std::string& path2, ErrorBox& box, const ReadOptions& options = {});

// Closes both workbooks.
void closeSession(SpreadsheetSession& session);

}  // namespace quill
