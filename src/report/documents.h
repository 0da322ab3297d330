#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/local_time.h"

namespace quill {

// What the head of both documents shows besides the body: the two paths, when, and caption.
struct DocumentTitle {
  std::string path1;
  std::string path2;
  std::string now;      // "yyyy-mm-dd hh:mm:ss"
  std::string caption;  // plain text; a line feed starts a new line
  // What the workbooks hold besides cell texts was compared: the grid's head adds the styles
  // and the legend of its marks.
  bool contents = false;
};

// The text that stands before and after the body of each document.
std::string reportDocumentHead(const DocumentTitle& title);
std::string_view reportDocumentTail();
std::string gridDocumentHead(const DocumentTitle& title);
std::string_view gridDocumentTail();

// The difference list's table: the head of report.htm ends with its opening tag and the tail
// starts with its closing one.
inline constexpr std::string_view kListTableStart = "<table>";
inline constexpr std::string_view kListTableEnd = "</table>";

inline constexpr std::string_view kReportFileName = "report.htm";
inline constexpr std::string_view kGridFileName = "visualized.htm";

}  // namespace quill
