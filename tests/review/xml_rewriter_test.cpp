// Streaming a part through the rewriter: untouched parts come out byte for byte whatever the
// chunks, replaced tags keep the other attributes, and texts are escaped as a workbook reads
// them back.
#include "review/xml_rewriter.h"

#include <gtest/gtest.h>

#include <string>

#include "review/listing_part.h"

namespace {

using quill::TagAttributes;
using quill::XmlRewriter;

// Gives every "b" element the attribute x="1", keeping its others.
class MarkB final : public quill::RewriteHandler {
 public:
  void start(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes) override {
    if (name == "b")
      rewriter.replaceTag(quill::startTag(name, attributes, rewriter.selfClosing(), "x", "1"));
  }
  void end(XmlRewriter&, std::string_view) override {}
};

std::string rewritten(const std::string& part, std::size_t chunk) {
  MarkB handler;
  std::string written;
  XmlRewriter rewriter(
      handler, [&](std::string_view piece) { written.append(piece); }, "part");
  for (std::size_t at = 0; at < part.size(); at += chunk) rewriter.feed(part.substr(at, chunk));
  rewriter.finish();
  return written;
}

TEST(XmlRewriter, CopiesByteForByteExceptTheReplacedTags) {
  const std::string part =
      "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<!-- kept --><a  q = 'single'>"
      "<?pi data?>text &amp; more<![CDATA[<raw>]]><b y=\"&lt;2\"/><b x=\"0\">in</b></a>\n";
  const std::string expected =
      "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<!-- kept --><a  q = 'single'>"
      "<?pi data?>text &amp; more<![CDATA[<raw>]]><b y=\"&lt;2\" x=\"1\"/><b x=\"1\">in</b></a>\n";
  for (std::size_t chunk : {1, 2, 3, 7, 64, 4096}) EXPECT_EQ(rewritten(part, chunk), expected);
}

TEST(XmlRewriter, EscapesAttributeValuesAndCellTexts) {
  EXPECT_EQ(quill::escapedXml("a&b<c>\"d\"\te\nf"), "a&amp;b&lt;c&gt;&quot;d&quot;&#9;e&#10;f");
  EXPECT_EQ(quill::escapedCellText("a&b<c>\x01\td\ne\r"), "a&amp;b&lt;c&gt;_x0001_\td\ne_x000D_");
}

}  // namespace
