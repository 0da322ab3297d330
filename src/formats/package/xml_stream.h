#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

struct XML_ParserStruct;

namespace quill {

// The name of an element or attribute without its namespace prefix: "x:row" gives "row".
std::string_view localName(std::string_view qualified);
// The same for a name as expat gives it, found in one pass.
std::string_view localName(const char* qualified);

// The attributes of an element as expat gives them: name, value, name, value, ..., null.
class XmlAttributes {
 public:
  explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}
  // The value of the attribute whose local name (without prefix) matches, or nothing.
  const char* find(std::string_view localName) const;
  // Calls visit(localName, value) for each attribute in document order: one pass where an
  // element's attributes are read one after another.
  template <class Visit>
  void forEach(Visit&& visit) const {
    for (const char** p = pairs_; *p != nullptr; p += 2) visit(localName(p[0]), p[1]);
  }
  // Calls visit(prefix, localName, value) for each attribute in document order, its name
  // split at its last colon in one pass; a name without a prefix gives "" as its prefix.
  template <class Visit>
  void forEachSplit(Visit&& visit) const {
    for (const char** p = pairs_; *p != nullptr; p += 2) {
      const std::string_view local = localName(p[0]);
      const std::size_t prefixLength =
          local.data() == p[0] ? 0 : std::size_t(local.data() - p[0] - 1);
      visit(std::string_view(p[0], prefixLength), local, p[1]);
    }
  }
  // The same with each name as written, prefix included.
  template <class Visit>
  void forEachQualified(Visit&& visit) const {
    for (const char** p = pairs_; *p != nullptr; p += 2) visit(std::string_view(p[0]), p[1]);
  }

 private:
  const char** pairs_;
};

// Receives the events of a streamed XML part; element names come without their prefix.
class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void startElement(std::string_view name, const XmlAttributes& attributes) = 0;
  virtual void endElement(std::string_view name) = 0;
  virtual void characters(std::string_view text) = 0;
};

// Parses XML fed in chunks with expat. Documents that declare entities are refused, and so
// are documents with a token (a tag with its attributes, a comment, an instruction) of more
// than kMaxToken bytes, which no spreadsheet application writes; text may be of any length.
// Errors throw WorkbookError whose message begins with the given description.
//
// Expat reads a token that a chunk leaves unfinished again from its start with every later
// chunk, which costs time in the square of the token's length. While a token is unfinished,
// chunks are therefore held back until they double what expat holds, so that a long token
// is read again only a few times and the time stays in proportion to the bytes.
class XmlStream {
 public:
  static constexpr std::size_t kMaxToken = std::size_t(1) << 24;

  XmlStream(XmlHandler& handler, std::string description);
  ~XmlStream();
  XmlStream(const XmlStream&) = delete;
  XmlStream& operator=(const XmlStream&) = delete;

  void feed(std::string_view chunk);
  void finish();

 private:
  friend struct XmlStreamAccess;
  void parse(std::string_view bytes, bool final);
  void check(int status);
  // The bytes handed to expat after the end of its last event: what it holds unfinished.
  std::uint64_t unfinishedBytes() const;
  [[noreturn]] void refuseLongToken() const;

  XML_ParserStruct* parser_;
  XmlHandler& handler_;
  std::string description_;
  bool entityDeclared_ = false;
  std::exception_ptr handlerError_;
  bool tokenTooLong_ = false;
  std::uint64_t parsed_ = 0;    // bytes handed to expat
  std::uint64_t eventEnd_ = 0;  // where its last event ended
  std::string held_;            // chunks held back while a token is unfinished
};

}  // namespace quill
