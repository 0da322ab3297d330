#include "review/listing_part.h"

#include <cstdio>

#include "review/xml_rewriter.h"
#include "sheet/address.h"

namespace quill {

std::string escapedCellText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '&')
      escaped += "&amp;";
    else if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if ((byte < 0x20 && c != '\t' && c != '\n') || c == '\r') {
      char code[8];
      std::snprintf(code, sizeof code, "_x%04X_", unsigned(byte));
      escaped += code;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

ListingPart::ListingPart(Output output, long boldStyle)
    : output_(std::move(output)), bold_(std::to_string(boldStyle)) {
  output_(
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
      "<sheetFormatPr defaultRowHeight=\"15\"/>"
      "<cols><col min=\"1\" max=\"1\" width=\"18\" customWidth=\"1\"/>"
      "<col min=\"7\" max=\"8\" width=\"24\" customWidth=\"1\"/></cols><sheetData>");
}

void ListingPart::cell(long row, int column, const std::string& text, bool bold) {
  if (row != row_) {
    if (row_ >= 0) output_("</row>");
    row_ = row;
    output_("<row r=\"" + std::to_string(row + 1) + "\">");
  }
  std::string xml = "<c r=\"" + cellAddress(row + 1, column + 1) + "\" t=\"inlineStr\"";
  if (bold) xml += " s=\"" + bold_ + "\"";
  xml += "><is><t xml:space=\"preserve\">" + escapedCellText(text) + "</t></is></c>";
  output_(xml);
}

void ListingPart::text(long row, int column, const std::string& text, bool bold) {
  cell(row, column, text, bold);
}

void ListingPart::link(long row, int column, const std::string& location,
                       const std::string& shown) {
  cell(row, column, shown, false);
  links_.push_back({cellAddress(row + 1, column + 1), location});
}

void ListingPart::finish() {
  if (row_ >= 0) output_("</row>");
  output_("</sheetData>");
  if (!links_.empty()) {
    output_("<hyperlinks>");
    for (const Link& link : links_)
      output_("<hyperlink ref=\"" + link.cell + "\" location=\"" + escapedXml(link.location) +
              "\"/>");
    output_("</hyperlinks>");
  }
  output_(
      "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
      "footer=\"0.3\"/></worksheet>");
}

}  // namespace quill
