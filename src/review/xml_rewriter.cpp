#include "review/xml_rewriter.h"

#include <expat.h>

#include <cstring>
#include <new>

#include "report/file_writer.h"

namespace quill {

const char* TagAttributes::find(std::string_view name) const {
  for (const char** p = pairs; *p != nullptr; p += 2)
    if (name == p[0]) return p[1];
  return nullptr;
}

std::string escapedXml(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\t':
        escaped += "&#9;";
        break;
      case '\n':
        escaped += "&#10;";
        break;
      case '\r':
        escaped += "&#13;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string startTag(std::string_view name, TagAttributes attributes, bool selfClosing,
                     std::string_view replaced, const char* value) {
  std::string tag = "<" + std::string(name);
  bool found = false;
  for (const char** p = attributes.pairs; *p != nullptr; p += 2) {
    const char* written = p[1];
    if (!replaced.empty() && replaced == p[0]) {
      found = true;
      written = value;
    }
    if (written == nullptr) continue;
    tag += ' ';
    tag += p[0];
    tag += "=\"" + escapedXml(written) + '"';
  }
  if (!found && value != nullptr && !replaced.empty())
    tag += " " + std::string(replaced) + "=\"" + escapedXml(value) + '"';
  tag += selfClosing ? "/>" : ">";
  return tag;
}

// Expat's callbacks; a handler's exception is kept and rethrown once expat has returned.
struct XmlRewriterEvents {
  template <class Call>
  static void guard(XmlRewriter& rewriter, Call&& call) {
    rewriter.noteEvent();
    if (rewriter.handlerError_) return;
    try {
      call();
    } catch (...) {
      rewriter.handlerError_ = std::current_exception();
      XML_StopParser(rewriter.parser_, XML_FALSE);
    }
  }
  static void start(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& rewriter = *static_cast<XmlRewriter*>(data);
    guard(rewriter, [&] { rewriter.handler_.start(rewriter, name, TagAttributes{attributes}); });
  }
  static void end(void* data, const XML_Char* name) {
    auto& rewriter = *static_cast<XmlRewriter*>(data);
    guard(rewriter, [&] { rewriter.handler_.end(rewriter, name); });
  }
  static void text(void* data, const XML_Char*, int) {
    static_cast<XmlRewriter*>(data)->noteEvent();
  }
  static void entity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                     const XML_Char*, const XML_Char*, const XML_Char*) {
    auto& rewriter = *static_cast<XmlRewriter*>(data);
    rewriter.entityDeclared_ = true;
    XML_StopParser(rewriter.parser_, XML_FALSE);
  }
};

XmlRewriter::XmlRewriter(RewriteHandler& handler, Output output, std::string description)
    : parser_(XML_ParserCreate("UTF-8")),
      handler_(handler),
      output_(std::move(output)),
      description_(std::move(description)) {
  if (parser_ == nullptr) throw std::bad_alloc();
  XML_SetUserData(parser_, this);
  XML_SetElementHandler(parser_, &XmlRewriterEvents::start, &XmlRewriterEvents::end);
  XML_SetCharacterDataHandler(parser_, &XmlRewriterEvents::text);
  XML_SetEntityDeclHandler(parser_, &XmlRewriterEvents::entity);
}

XmlRewriter::~XmlRewriter() {
  XML_ParserFree(parser_);
}

void XmlRewriter::noteEvent() {
  const XML_Index index = XML_GetCurrentByteIndex(parser_);
  if (index < 0) return;
  eventStart_ = std::uint64_t(index);
  eventEnd_ = eventStart_ + std::uint64_t(std::max(0, XML_GetCurrentByteCount(parser_)));
}

std::string_view XmlRewriter::tag() const {
  if (eventStart_ < heldFrom_ || eventEnd_ > heldFrom_ + held_.size()) return {};
  return std::string_view(held_).substr(eventStart_ - heldFrom_, eventEnd_ - eventStart_);
}

bool XmlRewriter::selfClosing() const {
  return tag().ends_with("/>");
}

void XmlRewriter::flushUntil(std::uint64_t offset) {
  if (offset <= copied_) return;
  output_(std::string_view(held_).substr(copied_ - heldFrom_, offset - copied_));
  copied_ = offset;
}

void XmlRewriter::insertBefore(std::string_view text) {
  // Nothing inserted leaves the bytes held, to go out with the next larger piece: most tags
  // of a large part pass unchanged, and writing each on its own would cost more than the rest.
  if (text.empty()) return;
  flushUntil(eventStart_);
  output_(text);
}

void XmlRewriter::replaceTag(std::string_view text) {
  flushUntil(eventStart_);
  if (!text.empty()) output_(text);
  copied_ = std::max(copied_, eventEnd_);
}

void XmlRewriter::parse(std::string_view bytes, bool final) {
  held_.append(bytes);
  const int status = XML_Parse(parser_, bytes.data(), int(bytes.size()), final);
  if (handlerError_) std::rethrow_exception(handlerError_);
  if (entityDeclared_)
    throw WriteError(description_ + ": the XML declares entities, which are refused");
  if (status != XML_STATUS_OK)
    throw WriteError(description_ + ": the XML is malformed (" +
                     XML_ErrorString(XML_GetErrorCode(parser_)) + " at line " +
                     std::to_string(XML_GetCurrentLineNumber(parser_)) + ")");
  // Everything before the end of the last tag is settled; what follows may still change.
  flushUntil(final ? heldFrom_ + held_.size() : eventEnd_);
  const std::size_t done = std::size_t(copied_ - heldFrom_);
  if (done > held_.size() / 2 || final) {
    held_.erase(0, done);
    heldFrom_ = copied_;
  }
}

void XmlRewriter::feed(std::string_view chunk) {
  parse(chunk, false);
}

void XmlRewriter::finish() {
  parse({}, true);
}

}  // namespace quill
