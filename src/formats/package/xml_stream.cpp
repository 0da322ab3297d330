#include "formats/package/xml_stream.h"

#include <expat.h>

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
};

}  // namespace

// Handler exceptions must not cross expat's C frames: they are kept and rethrown after.
struct XmlStreamAccess {
  template <class Call>
  static void guard(XmlStream& stream, Call&& call) {
    if (stream.handlerError_) return;
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
  XmlStreamAccess::guard(stream, [&] {
    XmlStreamAccess::handler(stream).startElement(localName(name), XmlAttributes(attributes));
  });
}

void Callbacks::end(void* data, const XML_Char* name) {
  auto& stream = *static_cast<XmlStream*>(data);
  XmlStreamAccess::guard(stream,
                         [&] { XmlStreamAccess::handler(stream).endElement(localName(name)); });
}

void Callbacks::text(void* data, const XML_Char* text, int length) {
  auto& stream = *static_cast<XmlStream*>(data);
  XmlStreamAccess::guard(stream, [&] {
    XmlStreamAccess::handler(stream).characters(std::string_view(text, std::size_t(length)));
  });
}

void Callbacks::entity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                       const XML_Char*, const XML_Char*, const XML_Char*) {
  XmlStreamAccess::entityDeclared(*static_cast<XmlStream*>(data));
}

}  // namespace

XmlStream::XmlStream(XmlHandler& handler, std::string description)
    : parser_(XML_ParserCreate("UTF-8")), handler_(handler), description_(std::move(description)) {
  if (parser_ == nullptr) throw std::bad_alloc();
  XML_SetUserData(parser_, this);
  XML_SetElementHandler(parser_, &Callbacks::start, &Callbacks::end);
  XML_SetCharacterDataHandler(parser_, &Callbacks::text);
  XML_SetEntityDeclHandler(parser_, &Callbacks::entity);
}

XmlStream::~XmlStream() {
  XML_ParserFree(parser_);
}

void XmlStream::check(int status) {
  if (handlerError_) std::rethrow_exception(handlerError_);
  if (entityDeclared_)
    throw WorkbookError(description_ + ": the XML declares entities, which are refused");
  if (status != XML_STATUS_OK)
    throw WorkbookError(description_ + ": the XML is malformed (" +
                        XML_ErrorString(XML_GetErrorCode(parser_)) + " at line " +
                        std::to_string(XML_GetCurrentLineNumber(parser_)) + ")");
}

void XmlStream::feed(std::string_view chunk) {
  check(XML_Parse(parser_, chunk.data(), int(chunk.size()), XML_FALSE));
}

void XmlStream::finish() {
  check(XML_Parse(parser_, nullptr, 0, XML_TRUE));
}

}  // namespace quill
