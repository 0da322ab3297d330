#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "formats/package/xml_stream.h"

namespace quill {

// Parses plain XML fed in chunks, several times faster than expat, for the large parts that
// writers emit in plain form: UTF-8 elements, attributes, text and the predefined and
// numeric character references. Anything else (a document type, comment, CDATA section or
// processing instruction, another encoding, a name beyond ASCII, a malformed construct, a
// token of more than a few MiB) throws OutsidePlainXml before any event of that token is
// given; the caller then reads the part again with XmlStream, which handles or refuses it
// with its own message. The events are those XmlStream gives for the same document, except
// that text may arrive in other pieces.
class PlainXmlScanner {
 public:
  // Thrown where the document leaves plain XML.
  struct OutsidePlainXml {};

  // Longest start or end tag, and longest text between two tags, that is waited for.
  static constexpr std::size_t kMaxTag = std::size_t(1) << 20;
  static constexpr std::size_t kMaxText = std::size_t(1) << 24;

  explicit PlainXmlScanner(XmlHandler& handler) : handler_(handler) {}

  void feed(std::string_view chunk);
  void finish();

 private:
  // Each parse step returns false when the buffer ends before its token does.
  void parseBuffer();
  bool parseText();
  bool parseMarkup();
  bool parseStartTag();
  bool parseEndTag();
  bool parseDeclaration();
  // Finds the name="value" pairs up to the end of a tag, into attributes_; the position of
  // the tag's closing '>' or '/' when complete, nullptr when the buffer ends first.
  const char* parseAttributes(const char* p, const char* end);
  void giveText(const char* begin, const char* end);
  // Gives the start (and for an empty element the end) of the complete tag just parsed.
  void giveStart(std::string_view name, bool empty);
  // Overwrites the buffer's byte at p, of a tag already parsed, with a terminating zero.
  void terminateAt(const char* p);

  // An attribute of the tag being read, as it stands in the buffer.
  struct Attribute {
    std::string_view name;
    std::string_view value;     // between the quotes, undecoded
    bool decode = false;        // whether it holds references or bytes to check
    std::size_t decodedAt = 0;  // where its decoded copy starts in decodedValues_
  };

  XmlHandler& handler_;
  std::string buffer_;
  std::size_t position_ = 0;    // start of the first token not yet given
  std::size_t searchedTo_ = 0;  // how far past position_ the pending token was searched
  // The bytes from position_ on that an unfinished tag waits for before it is parsed again:
  // twice what it had, so that a long tag is parsed again only a few times.
  std::size_t waitFor_ = 0;
  bool markChecked_ = false;  // whether a byte-order mark was looked for
  bool started_ = false;      // past the place where the declaration may stand
  bool rootClosed_ = false;
  std::string openNames_;  // the names of the open elements, one after another
  std::vector<std::size_t> nameStarts_;
  std::string text_;  // decoded text or attribute value
  std::vector<Attribute> attributes_;
  std::string decodedValues_;  // value\0 of each attribute of the tag that needs decoding
  std::vector<const char*> pairs_;
};

}  // namespace quill
