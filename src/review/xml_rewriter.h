#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

struct XML_ParserStruct;

namespace quill {

// The attributes of a tag as expat gives them, names as written (prefix included).
struct TagAttributes {
  const char** pairs;  // name, value, name, value, ..., null

  // The value of the attribute with this name as written, or null.
  const char* find(std::string_view name) const;
};

// Text made safe for an XML attribute value or element content.
std::string escapedXml(std::string_view text);

// A start tag written anew: the name, the attributes in their order with the one named
// `replaced` given `value` (added at the end when missing; left out when value is null).
std::string startTag(std::string_view name, TagAttributes attributes, bool selfClosing,
                     std::string_view replaced = {}, const char* value = nullptr);

class XmlRewriter;

// Told each tag of a part that an XmlRewriter copies; may replace it or add text around it.
class RewriteHandler {
 public:
  virtual ~RewriteHandler() = default;
  virtual void start(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes) = 0;
  virtual void end(XmlRewriter& rewriter, std::string_view name) = 0;
};

// Copies an XML part, parsed as a stream with expat, byte for byte to its output except where
// the handler replaces a tag or inserts text before one. Only the bytes since the last tag
// are held. Documents that declare entities are refused. Errors throw WriteError whose
// message begins with the description.
class XmlRewriter {
 public:
  using Output = std::function<void(std::string_view)>;

  XmlRewriter(RewriteHandler& handler, Output output, std::string description);
  ~XmlRewriter();
  XmlRewriter(const XmlRewriter&) = delete;
  XmlRewriter& operator=(const XmlRewriter&) = delete;

  void feed(std::string_view chunk);
  void finish();

  // Within a handler's call: the tag as written; whether it is an empty-element tag
  // ("<c/>", whose end comes at once after its start).
  std::string_view tag() const;
  bool selfClosing() const;
  // Within a handler's call: where the current tag starts and ends in the part.
  std::uint64_t tagStart() const { return eventStart_; }
  std::uint64_t tagEnd() const { return eventEnd_; }
  // Within a handler's call: writes the text before the current tag, or in its place.
  void insertBefore(std::string_view text);
  void replaceTag(std::string_view text);

 private:
  friend struct XmlRewriterEvents;
  void parse(std::string_view bytes, bool final);
  void noteEvent();
  void flushUntil(std::uint64_t offset);

  XML_ParserStruct* parser_;
  RewriteHandler& handler_;
  Output output_;
  std::string description_;
  std::exception_ptr handlerError_;
  bool entityDeclared_ = false;
  std::string held_;              // input bytes from heldFrom_ on
  std::uint64_t heldFrom_ = 0;    // offset of held_[0] in the part
  std::uint64_t copied_ = 0;      // bytes of the part written (or replaced) so far
  std::uint64_t eventStart_ = 0;  // the current tag
  std::uint64_t eventEnd_ = 0;
};

}  // namespace quill
