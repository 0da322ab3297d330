#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quill {

// What the head of both documents shows besides the body: the two paths, when, and caption.
struct DocumentTitle {
  std::string path1;
  std::string path2;
  std::string now;      // "yyyy-mm-dd hh:mm:ss"
  std::string caption;  // plain text; a line feed starts a new line
};

// The local date and time as "yyyy-mm-dd hh:mm:ss".
std::string currentLocalTime();

// The text that stands before and after the body of each document.
std::string reportDocumentHead(const DocumentTitle& title);
std::string_view reportDocumentTail();
std::string gridDocumentHead(const DocumentTitle& title);
std::string_view gridDocumentTail();

inline constexpr std::string_view kReportFileName = "report.htm";
inline constexpr std::string_view kGridFileName = "visualized.htm";

// Store both documents in a folder together: either both replace their old files, or a
// failure leaves both old files as they were.
void writeDocumentPair(const std::filesystem::path& folder, const DocumentTitle& reportTitle,
                       std::string_view reportBody, const DocumentTitle& gridTitle,
                       std::string_view gridBody);

}  // namespace quill
