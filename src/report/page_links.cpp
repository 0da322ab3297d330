#include "report/page_links.h"

#include <charconv>

#include "report/escape.h"

namespace quill {

namespace {

void appendPageLink(std::string& out, std::string_view fileName, std::size_t page,
                    std::string_view text) {
  out.append("<a href=\"");
  appendUrlEscaped(out, fileName);
  out.append("?page=");
  appendNumber(out, page + 1);
  out.append("\">");
  out.append(text);
  out.append("</a>");
}

}  // namespace

void appendNumber(std::string& out, std::size_t value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void appendPageTurns(std::string& out, std::string_view fileName, std::size_t page,
                     std::size_t pageCount, bool countKnown) {
  out.append(" (page ");
  appendNumber(out, page + 1);
  out.append(" of ");
  if (countKnown)
    appendNumber(out, pageCount);
  else
    out.append("&hellip;");
  out.append(")");
  if (page > 0) {
    out.append(" ");
    appendPageLink(out, fileName, page - 1, "&lt; previous page");
  }
  if (!countKnown || page + 1 < pageCount) {
    out.append(" ");
    appendPageLink(out, fileName, page + 1, "next page &gt;");
  }
}

void appendSwappedPart(std::string& out, std::string_view body) {
  out.append("<div id=\"");
  out.append(kSwappedPartId);
  out.append("\">");
  out.append(body);
  out.append("</div>");
}

std::optional<std::size_t> pageOfQuery(std::string_view query, std::size_t pageCount) {
  constexpr std::string_view kKey = "page=";
  if (query.substr(0, kKey.size()) != kKey) return std::nullopt;
  std::size_t number = 0;
  const char* end = query.data() + query.size();
  const auto [stop, error] = std::from_chars(query.data() + kKey.size(), end, number);
  if (error != std::errc() || stop != end || number == 0 || number > pageCount) return std::nullopt;
  return number - 1;
}

}  // namespace quill
