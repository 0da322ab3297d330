// Feeds arbitrary bytes as XML to the plain scanner and to expat: whatever the scanner
// takes, expat must take too and give the same events; otherwise the scanner must leave
// the document, which its callers then hand to expat. The first byte picks the size of the
// chunks the document is fed to both in, so that tokens are cut at every place.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/package/plain_xml_scanner.h"
#include "formats/package/xml_stream.h"
#include "sheet/workbook.h"

namespace {

// Writes each event as a line; adjacent texts are joined, as parsers split them freely.
class RecordingHandler final : public quill::XmlHandler {
 public:
  void startElement(std::string_view name, const quill::XmlAttributes& attributes) override {
    log.append("<").append(name);
    attributes.forEachQualified([&](std::string_view attribute, const char* value) {
      log.append(" ").append(attribute).append("=[").append(value).append("]");
    });
    log.append(">\n");
    inText_ = false;
  }
  void endElement(std::string_view name) override {
    log.append("</").append(name).append(">\n");
    inText_ = false;
  }
  void characters(std::string_view text) override {
    if (!inText_) log.append("text:");
    log.append(text);
    inText_ = true;
  }

  std::string log;

 private:
  bool inText_ = false;
};

std::optional<std::string> expatEvents(std::string_view xml, std::size_t chunk) {
  RecordingHandler handler;
  quill::XmlStream stream(handler, "fuzz");
  try {
    for (std::size_t at = 0; at < xml.size(); at += chunk) stream.feed(xml.substr(at, chunk));
    stream.finish();
  } catch (const quill::WorkbookError&) {
    return std::nullopt;
  }
  return handler.log;
}

std::optional<std::string> plainEvents(std::string_view xml, std::size_t chunk) {
  RecordingHandler handler;
  quill::PlainXmlScanner scanner(handler);
  try {
    for (std::size_t at = 0; at < xml.size(); at += chunk) scanner.feed(xml.substr(at, chunk));
    scanner.finish();
  } catch (const quill::PlainXmlScanner::OutsidePlainXml&) {
    return std::nullopt;
  }
  return handler.log;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t chunk = data[0] >= 0xF0 ? size : 1 + data[0] % 64;
  const std::string_view xml(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::optional<std::string> plain = plainEvents(xml, chunk);
  if (!plain) return 0;
  const std::optional<std::string> expat = expatEvents(xml, chunk);
  if (!expat || *expat != *plain) __builtin_trap();
  return 0;
}
