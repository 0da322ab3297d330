#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/comparison.h"
#include "formats/session.h"
#include "report/html_result_writer.h"
#include "support/collecting_error_box.h"
#include "support/memory_workbook.h"
#include "support/recording_progress.h"
#include "support/temporary_folder.h"

namespace quill::test {

// What a comparison wrote: the two document bodies and the caption, cut out of the files.
struct WrittenDocuments {
  bool written = false;
  std::string caption;
  std::string report;
  std::string grid;
};

// Runs a comparison over two in-memory workbooks into the two documents, in a folder of its
// own, and reads back what it wrote.
class DocumentRun {
  TemporaryFolder temporary_;  // first, so that folder can name it

 public:
  DocumentRun(const std::vector<TestSheet>& first, const std::vector<TestSheet>& second)
      : session(makeSession(first, second)) {
    request.path1 = "one.xlsx";
    request.path2 = "two.xlsx";
  }
  template <class Comparison>
  WrittenDocuments run(Comparison comparison) {
    {
      HtmlResultWriter writer(folder);
      ComparisonContext context{request, session, writer, progress, errors, [] { return "NOW"; }};
      outcome = comparison(context);
    }
    return documents();
  }

  WrittenDocuments documents() const {
    WrittenDocuments docs;
    const std::string report = read("report.htm"), grid = read("visualized.htm");
    docs.written = !report.empty() && !grid.empty();
    if (!docs.written) return docs;
    const std::string captionStart = "<p><font size=+1>", captionEnd = "</font></p>";
    const std::size_t begin = report.find(captionStart) + captionStart.size();
    const std::size_t end = report.find(captionEnd);
    docs.caption = report.substr(begin, end - begin);
    const std::size_t reportBody = end + captionEnd.size() + std::string("<table>").size();
    docs.report =
        report.substr(reportBody, report.size() - reportBody - 22);  // "</table></body></html>"
    const std::size_t gridBody = grid.find(captionEnd) + captionEnd.size();
    docs.grid = grid.substr(gridBody, grid.size() - gridBody - 14);  // "</body></html>"
    return docs;
  }

  ComparisonRequest request;
  SpreadsheetSession session;
  const std::filesystem::path folder = temporary_.path();
  RecordingProgress progress;
  CollectingErrorBox errors;
  ComparisonOutcome outcome;

 private:
  std::string read(const char* name) const { return readFile(folder / name); }
};

// Grid pieces, to write expected bodies compactly.
inline std::string data(const std::string& value) {
  return "<td class='data'>&nbsp;" + value + "&nbsp;</td>";
}
inline std::string header(const std::string& label) {
  return "<td class='header'>" + label + "</td>";
}
inline const std::string kCorner = "<td class='header'></td>";

}  // namespace quill::test
