#include "formats/package/xml_stream.h"

#include <expat.h>

#include <algorithm>
#include <cstring>

#include "sheet/workbook.h"

namespace quill {

std::string_view localName(std::string_view qualified) {
  std::size_t colon = qualified.rfind(':');
  return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

// Runs for every element and attribute of a worksheet, so it skips strlen and the search
// back for the colon.
std::string_view localName(const char* qualified) {
  const char* local = qualified;
  const char* end = qualified;
  for (; *end != '\0'; ++end)
    if (*end == ':') local = end + 1;
  return std::string_view(local, std::size_t(end - local));
}

const char* XmlAttributes::find(std::string_view wanted) const {
  for (const char** p = pairs_; *p != nullptr; p += 2)
    if (localName(p[0]) == wanted) return p[1];
  return nullptr;
}

namespace {

struct Callbacks {
  static void start(void* data, const XML_Char* name, const XML_Char** attributes);
  static void end(void* data, const XML_Char* name);
  static void text(void* data, const XML_Char* text, int length);
  static void entity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                     const XML_Char*, const XML_Char*, const XML_Char*);
  // Comments and processing instructions give the handler nothing, yet end a token.
  static void comment(void* data, const XML_Char*);
  static void instruction(void* data, const XML_Char*, const XML_Char*);
};

}  // namespace

// Handler exceptions must not cross expat's C frames: they are kept and rethrown after.
struct XmlStreamAccess {
  // Notes where the event expat is giving ends. A token (a tag, comment or instruction) of
  // more than kMaxToken bytes, or as many bytes before an event that gave nothing, stops the
  // parser; false then.
  static bool noteEvent(XmlStream& stream, bool token) {
    const XML_Index index = XML_GetCurrentByteIndex(stream.parser_);
    const auto start = index < 0 ? stream.eventEnd_ : std::uint64_t(index);
    const auto count = std::uint64_t(std::max(0, XML_GetCurrentByteCount(stream.parser_)));
    const std::uint64_t gap = start - std::min(start, stream.eventEnd_);
    if (gap > XmlStream::kMaxToken || (token && count > XmlStream::kMaxToken)) {
      if (!stream.tokenTooLong_) XML_StopParser(stream.parser_, XML_FALSE);
      stream.tokenTooLong_ = true;
    }
    stream.eventEnd_ = std::max(stream.eventEnd_, start + count);
    return !stream.tokenTooLong_;
  }
  template <class Call>
  static void guard(XmlStream& stream, bool token, Call&& call) {
    if (!noteEvent(stream, token) || stream.handlerError_) return;
    try {
      call();
    } catch (...) {
      stream.handlerError_ = std::current_exception();
      XML_StopParser(stream.parser_, XML_FALSE);
    }
  }
  static XmlHandler& handler(XmlStream& stream) { return stream.handler_; }
  static void entityDeclared(XmlStream& stream) {
    stream.entityDeclared_ = true;
    XML_StopParser(stream.parser_, XML_FALSE);
  }
};

namespace {

void Callbacks::start(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& stream = *static_cast<XmlStream*>(data);
  XmlStreamAccess::guard(stream, true, [&] {
    XmlStreamAccess::handler(stream).startElement(localName(name), XmlAttributes(attributes));
  });
}

void Callbacks::end(void* data, const XML_Char* name) {
  auto& stream = *static_cast<XmlStream*>(data);
  XmlStreamAccess::guard(stream, true,
                         [&] { XmlStreamAccess::handler(stream).endElement(localName(name)); });
}

void Callbacks::text(void* data, const XML_Char* text, int length) {
  auto& stream = *static_cast<XmlStream*>(data);
  // Text comes in pieces of any length and is no token.
  XmlStreamAccess::guard(stream, false, [&] {
    XmlStreamAccess::handler(stream).characters(std::string_view(text, std::size_t(length)));
  });
}

void Callbacks::entity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                       const XML_Char*, const XML_Char*, const XML_Char*) {
  XmlStreamAccess::entityDeclared(*static_cast<XmlStream*>(data));
}

void Callbacks::comment(void* data, const XML_Char*) {
  XmlStreamAccess::noteEvent(*static_cast<XmlStream*>(data), true);
}

void Callbacks::instruction(void* data, const XML_Char*, const XML_Char*) {
  XmlStreamAccess::noteEvent(*static_cast<XmlStream*>(data), true);
}

}  // namespace

XmlStream::XmlStream(XmlHandler& handler, std::string description)
    : parser_(XML_ParserCreate("UTF-8")), handler_(handler), description_(std::move(description)) {
  if (parser_ == nullptr) throw std::bad_alloc();
  XML_SetUserData(parser_, this);
  XML_SetElementHandler(parser_, &Callbacks::start, &Callbacks::end);
  XML_SetCharacterDataHandler(parser_, &Callbacks::text);
  XML_SetEntityDeclHandler(parser_, &Callbacks::entity);
  XML_SetCommentHandler(parser_, &Callbacks::comment);
  XML_SetProcessingInstructionHandler(parser_, &Callbacks::instruction);
}

XmlStream::~XmlStream() {
  XML_ParserFree(parser_);
}

void XmlStream::check(int status) {
  if (handlerError_) std::rethrow_exception(handlerError_);
  if (entityDeclared_)
    throw WorkbookError(description_ + ": the XML declares entities, which are refused");
  if (tokenTooLong_) refuseLongToken();
  if (status != XML_STATUS_OK)
    throw WorkbookError(description_ + ": the XML is malformed (" +
                        XML_ErrorString(XML_GetErrorCode(parser_)) + " at line " +
                        std::to_string(XML_GetCurrentLineNumber(parser_)) + ")");
}

void XmlStream::refuseLongToken() const {
  throw WorkbookError(description_ + ": the XML holds a tag, attribute or comment of more than " +
                      std::to_string(kMaxToken >> 20) +
                      " MiB, longer than spreadsheet applications write");
}

std::uint64_t XmlStream::unfinishedBytes() const {
  return parsed_ - std::min(parsed_, eventEnd_);
}

void XmlStream::parse(std::string_view bytes, bool final) {
  check(XML_Parse(parser_, bytes.data(), int(bytes.size()), final ? XML_TRUE : XML_FALSE));
  parsed_ += bytes.size();
}

void XmlStream::feed(std::string_view chunk) {
  const std::uint64_t unfinished = unfinishedBytes();
  if (held_.empty() && chunk.size() >= unfinished) {
    parse(chunk, false);
    return;
  }
  held_.append(chunk);
  if (unfinished + held_.size() > kMaxToken) refuseLongToken();
  if (held_.size() < unfinished) return;
  parse(held_, false);
  held_.clear();
}

void XmlStream::finish() {
  if (unfinishedBytes() + held_.size() > kMaxToken) refuseLongToken();
  parse(held_, true);
  held_.clear();
}

}  // namespace quill
