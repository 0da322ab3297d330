// The plain scanner gives the events expat gives for the same document, fed in chunks of
// any size, and leaves every document it does not take fully to expat, malformed ones
// above all: it must never accept what expat refuses.
#include "formats/package/plain_xml_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "formats/package/xml_stream.h"
#include "sheet/workbook.h"

namespace quill {
namespace {

// Writes each event as a line; adjacent texts are joined, as parsers split them freely.
class RecordingHandler final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override {
    log += "<" + std::string(name);
    attributes.forEach([&](std::string_view attribute, const char* value) {
      log += " " + std::string(attribute) + "=[" + value + "]";
    });
    log += ">\n";
    inText_ = false;
  }
  void endElement(std::string_view name) override {
    log += "</" + std::string(name) + ">\n";
    inText_ = false;
  }
  void characters(std::string_view text) override {
    if (!inText_) log += "text:";
    log += text;
    inText_ = true;
  }

  std::string log;

 private:
  bool inText_ = false;
};

// Expat's events, or nothing when it refuses the document.
std::optional<std::string> expatEvents(const std::string& xml) {
  RecordingHandler handler;
  XmlStream stream(handler, "test");
  try {
    stream.feed(xml);
    stream.finish();
  } catch (const WorkbookError&) {
    return std::nullopt;
  }
  return handler.log;
}

// The scanner's events with the document fed in chunks of the given size, or nothing when
// it leaves the document to expat.
std::optional<std::string> plainEvents(const std::string& xml, std::size_t chunk) {
  RecordingHandler handler;
  PlainXmlScanner scanner(handler);
  try {
    for (std::size_t at = 0; at < xml.size(); at += chunk)
      scanner.feed(std::string_view(xml).substr(at, chunk));
    scanner.finish();
  } catch (const PlainXmlScanner::OutsidePlainXml&) {
    return std::nullopt;
  }
  return handler.log;
}

enum class Expect { Plain, BeyondPlain, Malformed };

struct ScanCase {
  const char* name;
  std::string xml;
  Expect expect;
};

const std::vector<ScanCase> kCases = {
    {"empty root", "<a/>", Expect::Plain},
    {"declaration, attributes in both quotes, trailing space",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r x=\"1\" y='2'><c>t</c></r>\n ", Expect::Plain},
    {"lower-case encoding, standalone",
     "<?xml version='1.0' encoding='utf-8' standalone='yes'?><r/>", Expect::Plain},
    {"byte-order mark", "\xEF\xBB\xBF<?xml version=\"1.0\"?><r>x</r>", Expect::Plain},
    {"references", "<r a=\"&lt;&amp;&#65;&#x42;&quot;\">x &gt; y &quot;&apos; &#233;&#x1F600;</r>",
     Expect::Plain},
    {"plain and decoded values side by side",
     "<r a=\"1\" b=\"&lt;\" c=\"x y\" d=\"&#233;z\" e=\"\"><s f=\"&amp;\" g='2'/></r>",
     Expect::Plain},
    {"line ends and tabs", "<r a=\"x\ty\r\nz\nw\rv\" b=\"&#13;&#10;&#9;\">l1\r\nl2\rl3\tend</r>",
     Expect::Plain},
    {"prefixed names",
     "<office:d xmlns:office=\"u\"><table:cell table:name=\"n\" office:value=\"1\"/>"
     "<text:p>a<text:s text:c=\"2\"/>b</text:p></office:d>",
     Expect::Plain},
    {"multi-byte text and values",
     "<r a=\"\xC3\xA9\xE2\x82\xAC\">\xF0\x9F\x98\x80 \xEF\xBF\xBD</r>", Expect::Plain},
    {"spaces inside tags", "<r  a = \"1\"\n b\t=\t'2'  ><s /></r  >", Expect::Plain},
    {"a lone ] and > in text", "<r>a]b>c]]d</r>", Expect::Plain},
    {"comment", "<r><!-- note -->x</r>", Expect::BeyondPlain},
    {"CDATA section", "<r><![CDATA[<x>]]></r>", Expect::BeyondPlain},
    {"processing instruction", "<r><?target data?></r>", Expect::BeyondPlain},
    {"document type", "<!DOCTYPE r><r/>", Expect::BeyondPlain},
    {"another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>e</r>",
     Expect::BeyondPlain},
    {"name beyond ASCII", "<r\xC3\xA9/>", Expect::BeyondPlain},
    {"unclosed root", "<r><c></c>", Expect::Malformed},
    {"mismatched end", "<a><b></a></b>", Expect::Malformed},
    {"end without start", "<a></a></a>", Expect::Malformed},
    {"end name longer than the open one", "<r><ab></abc></r>", Expect::Malformed},
    {"end name a prefix of the open one", "<r><abc></ab></r>", Expect::Malformed},
    {"end name of another prefix", "<r><x:a></y:a></r>", Expect::Malformed},
    {"repeated attribute", "<a x=\"1\" x=\"2\"/>", Expect::Malformed},
    {"< in a value", "<a x=\"<\"/>", Expect::Malformed},
    {"unknown entity", "<r>&bogus;</r>", Expect::Malformed},
    {"unterminated reference", "<r>&amp</r>", Expect::Malformed},
    {"reference to character 0", "<r>&#0;</r>", Expect::Malformed},
    {"reference to a surrogate", "<r a=\"&#xD800;\"/>", Expect::Malformed},
    {"]]> in text", "<r>a]]>b</r>", Expect::Malformed},
    {"cut UTF-8", "<r>\xC3</r>", Expect::Malformed},
    {"overlong UTF-8", "<r>\xC0\xAF</r>", Expect::Malformed},
    {"U+FFFE", "<r>\xEF\xBF\xBE</r>", Expect::Malformed},
    {"control character", "<r>a\x01</r>", Expect::Malformed},
    {"control character in a value", "<r a=\"\x02\"/>", Expect::Malformed},
    {"two roots", "<a/><b/>", Expect::Malformed},
    {"text before the root", "x<a/>", Expect::Malformed},
    {"text after the root", "<a></a>junk", Expect::Malformed},
    {"unquoted value", "<a x=1/>", Expect::Malformed},
    {"attributes without space", "<a x=\"1\"y=\"2\"/>", Expect::Malformed},
    {"empty document", "", Expect::Malformed},
    {"only a declaration", "<?xml version=\"1.0\"?>", Expect::Malformed},
    {"control character in the encoding", "<?xml version=\"1.0\" encoding=\"UTF\r8\"?><a/>",
     Expect::Malformed},
    {"space before the declaration", " <?xml version=\"1.0\"?><a/>", Expect::Malformed},
    {"cut start tag", "<r><c a=\"1\"", Expect::Malformed},
    // Long tags, fed a byte at a time too: each is parsed again only when its bytes have doubled.
    {"a tag of 200 KB", "<r><c a=\"" + std::string(200000, 'v') + "\" b='&lt;'/>t</r>",
     Expect::Plain},
    {"a tag well past the longest waited for",
     "<r a=\"" + std::string(4 * PlainXmlScanner::kMaxTag, 'v') + "\"/>", Expect::BeyondPlain},
    {"a long tag cut off", "<r><c a=\"" + std::string(200000, 'v'), Expect::Malformed},
    {"slash without >", "<a/ >", Expect::Malformed},
};

TEST(PlainXmlScanner, GivesExpatsEventsOrLeavesTheDocument) {
  for (const ScanCase& c : kCases) {
    const std::optional<std::string> expat = expatEvents(c.xml);
    ASSERT_EQ(expat.has_value(), c.expect != Expect::Malformed) << c.name;
    for (const std::size_t chunk : {std::size_t(1), std::size_t(3), std::size_t(1) << 16}) {
      const std::optional<std::string> plain = plainEvents(c.xml, chunk);
      EXPECT_EQ(plain.has_value(), c.expect == Expect::Plain) << c.name << ", chunk " << chunk;
      if (plain && expat) {
        EXPECT_EQ(*plain, *expat) << c.name << ", chunk " << chunk;
      }
    }
  }
}

// The document with its invisible bytes written as \xHH, for failure messages.
std::string visible(const std::string& xml) {
  std::string out;
  for (const char ch : xml) {
    if ((ch >= ' ' && ch <= '~') || ch == '\n') {
      out.push_back(ch);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", unsigned(std::uint8_t(ch)));
      out += hex;
    }
  }
  return out;
}

// Mutations of a small content part: whatever the scanner takes, expat takes the same way.
TEST(PlainXmlScanner, NeverAcceptsWhatExpatRefusesOrReadsItOtherwise) {
  const std::string sample =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:d xmlns:office=\"u\">\n"
      "  <table:row table:style=\"r&amp;1\"><table:cell office:value-type=\"float\" "
      "office:value=\"12.5\"><text:p>12.5</text:p></table:cell>\n"
      "  <table:cell><text:p>a&lt;b<text:s text:c='3'/>\xC3\xA9</text:p></table:cell>"
      "</table:row>\n</office:d>\n";
  const std::string pieces[] = {"<",    ">", "/",    "&",    ";",           "\"", "'",
                                "=",    " ", "\r\n", "\x01", "\xC3",        "#x", "]]>",
                                "<!--", "a", ":",    "&#",   "\xEF\xBF\xBF"};
  std::mt19937 random(20261208);
  int accepted = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string xml = sample;
    for (int edits = 1 + int(random() % 3); edits > 0; --edits) {
      const std::size_t at = random() % xml.size();
      switch (random() % 3) {
        case 0:
          xml.erase(at, 1 + random() % 4);
          break;
        case 1:
          xml.insert(at, pieces[random() % std::size(pieces)]);
          break;
        default:
          xml[at] = pieces[random() % std::size(pieces)][0];
      }
    }
    const std::optional<std::string> expat = expatEvents(xml);
    const std::optional<std::string> plain = plainEvents(xml, 1 + random() % 40);
    if (!plain) continue;
    ++accepted;
    ASSERT_TRUE(expat.has_value()) << "accepted what expat refuses:\n" << visible(xml);
    ASSERT_EQ(*plain, *expat) << visible(xml);
  }
  EXPECT_GT(accepted, 100) << "the mutations should leave many documents plain";
}

}  // namespace
}  // namespace quill
