// Expat fed in chunks: long tokens held back until they can be read in few passes must give
// the same events and errors as a document fed whole, and a token longer than any writer
// makes is refused.
#include "formats/package/xml_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "sheet/workbook.h"

namespace quill {
namespace {

// Writes each event as a line, an attribute as its name and length.
class SizeRecorder final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override {
    log += "<" + std::string(name);
    attributes.forEach([&](std::string_view attribute, const char* value) {
      log += " " + std::string(attribute) + "=" + std::to_string(std::string_view(value).size());
    });
    log += ">\n";
  }
  void endElement(std::string_view name) override { log += "</" + std::string(name) + ">\n"; }
  void characters(std::string_view text) override { textBytes += text.size(); }

  std::string log;
  std::size_t textBytes = 0;
};

// The events of a document fed in chunks of the given size, or the error it gave.
std::string eventsInChunks(const std::string& xml, std::size_t chunk) {
  SizeRecorder handler;
  XmlStream stream(handler, "part");
  try {
    for (std::size_t at = 0; at < xml.size(); at += chunk) stream.feed(xml.substr(at, chunk));
    stream.finish();
  } catch (const WorkbookError& error) {
    return handler.log + "error: " + error.what();
  }
  return handler.log + "text bytes: " + std::to_string(handler.textBytes);
}

TEST(XmlStream, LongTokensGiveTheSameEventsInChunksOfAnySize) {
  const std::string longValue(1 << 18, 'x');
  const std::string documents[] = {
      "<r><c a=\"" + longValue + "\" b=\"1\"/><d>text</d></r>",
      "<r><!--" + longValue + "--><c/><?pi " + longValue + "?><d/></r>",
      "<r>" + longValue + "<c/></r>",
      // Malformed after the long token, and cut off inside it.
      "<r><c a=\"" + longValue + "\"><</c></r>",
      "<r><c a=\"" + longValue,
  };
  for (const std::string& xml : documents) {
    const std::string whole = eventsInChunks(xml, xml.size());
    for (std::size_t chunk : {1, 7, 4096, 65536})
      EXPECT_EQ(eventsInChunks(xml, chunk), whole)
          << xml.substr(0, 12) << " in chunks of " << chunk;
  }
}

TEST(XmlStream, ATokenLongerThanAnyWriterMakesIsRefused) {
  const std::string longValue(XmlStream::kMaxToken + 1, 'x');
  const std::string refused =
      "error: part: the XML holds a tag, attribute or comment of more than 16 MiB, longer than "
      "spreadsheet applications write";
  for (const std::string& xml : {"<r><c a=\"" + longValue + "\"/></r>",
                                 "<r><!--" + longValue + "--></r>", "<r><c a=\"" + longValue}) {
    EXPECT_EQ(eventsInChunks(xml, 65536), "<r>\n" + refused) << xml.substr(0, 8);
    EXPECT_EQ(eventsInChunks(xml, xml.size()), "<r>\n" + refused) << xml.substr(0, 8);
  }
  // Text of that length arrives in pieces and is no token.
  EXPECT_EQ(eventsInChunks("<r>" + longValue + "</r>", 65536),
            "<r>\n</r>\ntext bytes: " + std::to_string(longValue.size()));
}

}  // namespace
}  // namespace quill
