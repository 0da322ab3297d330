#include "report/documents.h"

#include <filesystem>

#include "report/content_marks.h"
#include "report/escape.h"

namespace quill {

namespace {

constexpr std::string_view kMeta = "<meta charset=\"utf-8\">";

// The path made absolute, as a file URL needs it; a path that cannot be made so stays as is.
std::string absolutePath(std::string_view path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error || path.empty()) return std::string(path);
  return absolute.lexically_normal().string();
}

// A link to the file: "file://" and the absolute path, which begins with "/"; the text
// shows the path as it was given.
void appendFileLink(std::string& out, std::string_view path) {
  out.append("<a href=\"file://");
  appendUrlEscaped(out, absolutePath(path));
  out.append("\">");
  appendHtmlEscaped(out, path);
  out.append("</a>");
}

// The caption escaped, each line feed written as a line break.
void appendCaption(std::string& out, std::string_view caption) {
  for (std::size_t start = 0;;) {
    const std::size_t end = caption.find('\n', start);
    appendHtmlEscaped(out, caption.substr(start, end - start));
    if (end == std::string_view::npos) return;
    out.append("<br>");
    start = end + 1;
  }
}

void appendTitleAndDate(std::string& out, const DocumentTitle& title) {
  out.append("<h2>Comparison between ");
  appendFileLink(out, title.path1);
  out.append(" and ");
  appendFileLink(out, title.path2);
  out.append("</h2><h3>");
  appendHtmlEscaped(out, title.now);
  out.append("</h3><p><font size=+1>");
  appendCaption(out, title.caption);
  out.append("</font></p>");
}

}  // namespace

std::string reportDocumentHead(const DocumentTitle& title) {
  std::string head = "<html><head>";
  head.append(kMeta);
  head.append(
      "<title>Marrowfen Quillmere - Report</title><style type=\"text/css\">td {background-color : "
      "#EEEEEE}</style></head><body>");
  appendTitleAndDate(head, title);
  head.append(kListTableStart);
  return head;
}

std::string_view reportDocumentTail() {
  return "</table></body></html>";
}

std::string gridDocumentHead(const DocumentTitle& title) {
  std::string head = "<html><head>";
  head.append(kMeta);
  head.append(
      "<title>Marrowfen Quillmere - Differences Visualized Report</title><style type=\"text/css\">"
      "td.header {color:blue; background-color:#FFFFFF;border:0.2mm solid "
      "white;text-align:center} ");
  head.append(
      "td.added {color:black;background-color:#3366FF;border:0.2mm solid white; text-align:center} "
      "td.removed {color:black;background-color:#FF6666;border:0.2mm solid white; "
      "text-align:center} td.formula {background-color:#CCEEEE;border:0.2mm solid white} ");
  head.append(
      "td.comment {background-color:#EEEECC;border:0.2mm solid white} td.data "
      "{background-color:#EEEEEE;border:0.2mm solid white} a.nullhref {text-decoration:none; "
      "color#:000000;}");
  if (title.contents) appendMarkStyles(head);
  head.append("</style><script for=window event=onload language=\"JScript\"> ");
  head.append("window.name=\"Visualized\";</script></head><body>");
  appendTitleAndDate(head, title);
  if (title.contents) appendMarkLegend(head);
  return head;
}

std::string_view gridDocumentTail() {
  return "</body></html>";
}

}  // namespace quill
