#include "report/folder_index.h"

#include "report/escape.h"
#include "report/pending_file.h"

namespace quill {

namespace {

std::string_view stateText(PairState state) {
  switch (state) {
    case PairState::Same:
      return "same";
    case PairState::Different:
      return "different";
    case PairState::Failed:
      return "failed";
    case PairState::Added:
      return "added";
    case PairState::Removed:
      return "removed";
  }
  return "";
}

void appendCell(std::string& out, std::string_view text) {
  out.append("<td>");
  appendHtmlEscaped(out, text);
  out.append("</td>");
}

// A link to a document in the pair's sub-folder, relative to the index.
void appendDocumentLink(std::string& out, const std::string& relativePath,
                        std::string_view document) {
  out.append("<a href=\"");
  appendUrlEscaped(out, relativePath + "/" + std::string(document));
  out.append("\">");
  appendHtmlEscaped(out, document);
  out.append("</a>");
}

void appendEntryRow(std::string& out, const FolderIndexEntry& entry) {
  const bool compared = entry.state == PairState::Same || entry.state == PairState::Different;
  out.append("<tr>");
  appendCell(out, entry.relativePath);
  appendCell(out, stateText(entry.state));
  if (compared) {
    appendCell(out, std::to_string(entry.differences));
    appendCell(out, std::to_string(entry.sheetsWithDifferences) + " of " +
                        std::to_string(entry.sheetsCompared));
    out.append("<td>");
    appendDocumentLink(out, entry.relativePath, "report.htm");
    out.append(" ");
    appendDocumentLink(out, entry.relativePath, "visualized.htm");
    if (!entry.reviewWorkbook.empty()) {
      out.append(" ");
      appendDocumentLink(out, entry.relativePath, entry.reviewWorkbook);
    }
    out.append("</td>");
  } else {
    out.append("<td></td><td></td>");
    appendCell(out, entry.failure);
  }
  out.append("</tr>\n");
}

}  // namespace

std::string folderIndexMarkup(const std::string& folder1, const std::string& folder2,
                              const std::vector<FolderIndexEntry>& entries) {
  std::string out =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Folder comparison</title>"
      "</head><body>\n<p>";
  appendHtmlEscaped(out, folder1);
  out.append("<br>");
  appendHtmlEscaped(out, folder2);
  out.append(
      "</p>\n<table border=\"1\">\n<tr><th>Workbook</th><th>Result</th><th>Differences</th>"
      "<th>Sheets with differences</th><th>Documents</th></tr>\n");
  for (const FolderIndexEntry& entry : entries) appendEntryRow(out, entry);
  out.append("</table>\n</body></html>\n");
  return out;
}

void saveFolderIndex(const std::filesystem::path& folder, const std::string& markup) {
  PendingFile file(folder / "index.htm");
  file.write(markup);
  file.finish();
  file.commit();
}

}  // namespace quill
