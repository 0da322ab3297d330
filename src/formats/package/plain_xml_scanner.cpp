#include "formats/package/plain_xml_scanner.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "formats/package/plain_xml_text.h"

namespace quill {

using namespace plain_xml;

void PlainXmlScanner::feed(std::string_view chunk) {
  buffer_.append(chunk);
  if (!markChecked_) {
    const std::string_view mark = "\xEF\xBB\xBF";  // the UTF-8 byte-order mark
    if (buffer_.size() < mark.size() && mark.starts_with(buffer_)) return;
    if (buffer_.starts_with(mark)) position_ = mark.size();
    markChecked_ = true;
  }
  if (buffer_.size() - position_ < waitFor_) return;
  parseBuffer();
}

void PlainXmlScanner::finish() {
  if (waitFor_ > 0) parseBuffer();
  const char* p = buffer_.data() + position_;
  const char* end = buffer_.data() + buffer_.size();
  if (!rootClosed_) leavePlainXml();
  for (; p < end; ++p)
    if (!isSpace(*p)) leavePlainXml();
  buffer_.clear();
  position_ = 0;
}

void PlainXmlScanner::parseBuffer() {
  waitFor_ = 0;
  while (position_ < buffer_.size()) {
    const bool markup = buffer_[position_] == '<';
    if (markup ? parseMarkup() : parseText()) continue;
    if (markup && buffer_.size() - position_ > kMaxTag) leavePlainXml();
    if (markup) waitFor_ = 2 * (buffer_.size() - position_);
    break;
  }
  if (position_ > 0) {
    buffer_.erase(0, position_);
    position_ = 0;
  }
}

bool PlainXmlScanner::parseText() {
  const char* begin = buffer_.data() + position_;
  const char* end = buffer_.data() + buffer_.size();
  const char* from = begin + searchedTo_;
  const char* open = static_cast<const char*>(std::memchr(from, '<', std::size_t(end - from)));
  if (open == nullptr) {
    searchedTo_ = std::size_t(end - begin);
    if (searchedTo_ > kMaxText) leavePlainXml();
    return false;
  }
  searchedTo_ = 0;
  if (nameStarts_.empty()) {
    // Before and after the root element only white space may stand, which is not reported.
    for (const char* p = begin; p < open; ++p)
      if (!isSpace(*p)) leavePlainXml();
  } else {
    giveText(begin, open);
  }
  started_ = true;
  position_ = std::size_t(open - buffer_.data());
  return true;
}

void PlainXmlScanner::giveText(const char* begin, const char* end) {
  if (!needsDecoding(begin, end, false)) {
    handler_.characters(std::string_view(begin, std::size_t(end - begin)));
    return;
  }
  text_.clear();
  appendDecoded(begin, end, false, text_);
  handler_.characters(text_);
}

bool PlainXmlScanner::parseMarkup() {
  if (buffer_.size() - position_ < 2) return false;
  const char next = buffer_[position_ + 1];
  if (next == '/') return parseEndTag();
  if (next == '?' && !started_) return parseDeclaration();
  if (!isNameStart(next)) leavePlainXml();  // a comment, CDATA, document type or instruction
  return parseStartTag();
}

bool PlainXmlScanner::parseStartTag() {
  const char* begin = buffer_.data() + position_;
  const char* end = buffer_.data() + buffer_.size();
  const char* p = begin + 1;
  while (p < end && isNameChar(*p)) ++p;
  const std::string_view name(begin + 1, std::size_t(p - begin - 1));
  const char* close = parseAttributes(p, end);
  if (close == nullptr) return false;
  if (rootClosed_) leavePlainXml();  // a second root element
  const bool empty = *close == '/';
  started_ = true;
  position_ = std::size_t(close + (empty ? 2 : 1) - buffer_.data());
  giveStart(name, empty);
  return true;
}

const char* PlainXmlScanner::parseAttributes(const char* p, const char* end) {
  constexpr std::size_t kMaxAttributes = 256;
  attributes_.clear();
  while (true) {
    const char* afterName = p;
    while (p < end && isSpace(*p)) ++p;
    if (p == end) return nullptr;
    if (*p == '>') return p;
    if (*p == '/') {
      if (p + 1 == end) return nullptr;
      if (p[1] != '>') leavePlainXml();
      return p;
    }
    if (p == afterName || !isNameStart(*p)) leavePlainXml();
    const char* nameBegin = p;
    while (p < end && isNameChar(*p)) ++p;
    const std::string_view name(nameBegin, std::size_t(p - nameBegin));
    while (p < end && isSpace(*p)) ++p;
    if (p == end) return nullptr;
    if (*p++ != '=') leavePlainXml();
    while (p < end && isSpace(*p)) ++p;
    if (p == end) return nullptr;
    const char quote = *p++;
    if (quote != '"' && quote != '\'') leavePlainXml();
    // One pass finds the closing quote of a plain value; a value with a byte to decode is
    // searched on for its quote.
    const char* valueEnd = p;
    while (valueEnd < end && *valueEnd != quote && !isSpecial(kSpecialInAttribute, *valueEnd))
      ++valueEnd;
    const bool decode = valueEnd < end && *valueEnd != quote;
    if (decode)
      valueEnd =
          static_cast<const char*>(std::memchr(valueEnd, quote, std::size_t(end - valueEnd)));
    if (valueEnd == nullptr || valueEnd == end) return nullptr;
    if (attributes_.size() >= kMaxAttributes) leavePlainXml();
    for (const Attribute& other : attributes_)
      if (name == other.name) leavePlainXml();
    attributes_.push_back({name, std::string_view(p, std::size_t(valueEnd - p)), decode});
    p = valueEnd + 1;
  }
}

// The tag is complete: each name and plain value ends where it stands, its next byte (the
// '=' or white space after a name, the quote after a value) overwritten with a terminating
// zero, as the tag is never read again. Only values holding references or bytes to check are
// decoded into a copy.
void PlainXmlScanner::giveStart(std::string_view name, bool empty) {
  decodedValues_.clear();
  for (Attribute& attribute : attributes_) {
    if (!attribute.decode) continue;
    attribute.decodedAt = decodedValues_.size();
    appendDecoded(attribute.value.data(), attribute.value.data() + attribute.value.size(), true,
                  decodedValues_);
    decodedValues_.push_back('\0');
  }
  pairs_.clear();
  for (const Attribute& attribute : attributes_) {
    terminateAt(attribute.name.data() + attribute.name.size());
    pairs_.push_back(attribute.name.data());
    if (attribute.decode) {
      pairs_.push_back(decodedValues_.data() + attribute.decodedAt);
    } else {
      terminateAt(attribute.value.data() + attribute.value.size());
      pairs_.push_back(attribute.value.data());
    }
  }
  pairs_.push_back(nullptr);
  const std::string_view local = localName(name);
  handler_.startElement(local, XmlAttributes(pairs_.data()));
  if (empty) {
    handler_.endElement(local);
    if (nameStarts_.empty()) rootClosed_ = true;
    return;
  }
  nameStarts_.push_back(openNames_.size());
  openNames_.append(name);
}

void PlainXmlScanner::terminateAt(const char* p) {
  buffer_[std::size_t(p - buffer_.data())] = '\0';
}

bool PlainXmlScanner::parseEndTag() {
  const char* begin = buffer_.data() + position_;
  const char* end = buffer_.data() + buffer_.size();
  const char* p = begin + 2;
  // Mostly the name is the open element's, which one comparison confirms; any other is
  // read byte by byte and refused below.
  const std::string_view open = nameStarts_.empty()
                                    ? std::string_view()
                                    : std::string_view(openNames_).substr(nameStarts_.back());
  const bool matched = !open.empty() && std::size_t(end - p) > open.size() &&
                       std::memcmp(p, open.data(), open.size()) == 0 && !isNameChar(p[open.size()]);
  if (matched)
    p += open.size();
  else
    while (p < end && isNameChar(*p)) ++p;
  const std::string_view name(begin + 2, std::size_t(p - begin - 2));
  while (p < end && isSpace(*p)) ++p;
  if (p == end) return false;
  if (*p != '>' || (!matched && (name.empty() || !isNameStart(name.front()) || open != name)))
    leavePlainXml();
  position_ = std::size_t(p + 1 - buffer_.data());
  handler_.endElement(localName(name));
  openNames_.resize(nameStarts_.back());
  nameStarts_.pop_back();
  if (nameStarts_.empty()) rootClosed_ = true;
  return true;
}

// Only <?xml version="1.0"?>, with encoding="UTF-8" and standalone="yes" or "no" if wished,
// in that order.
bool PlainXmlScanner::parseDeclaration() {
  const std::string_view rest = std::string_view(buffer_).substr(position_);
  const std::size_t close = rest.find("?>");
  if (close == std::string_view::npos) return false;
  std::string_view text = rest.substr(0, close);
  if (!text.starts_with("<?xml") || text.size() == 5 || !isSpace(text[5])) leavePlainXml();
  text.remove_prefix(5);
  const auto pseudoAttribute = [&](std::string_view name) -> std::optional<std::string_view> {
    std::size_t spaces = 0;
    while (spaces < text.size() && isSpace(text[spaces])) ++spaces;
    const std::string_view after = text.substr(spaces);
    if (spaces == 0 || !after.starts_with(name) || after.size() < name.size() + 2 ||
        after[name.size()] != '=')
      return std::nullopt;
    const char quote = after[name.size() + 1];
    const std::size_t valueEnd = after.find(quote, name.size() + 2);
    if ((quote != '"' && quote != '\'') || valueEnd == std::string_view::npos) leavePlainXml();
    text = after.substr(valueEnd + 1);
    return after.substr(name.size() + 2, valueEnd - name.size() - 2);
  };
  if (pseudoAttribute("version") != "1.0") leavePlainXml();
  if (auto encoding = pseudoAttribute("encoding")) {
    const std::string_view utf8 = "utf-8";
    if (encoding->size() != utf8.size()) leavePlainXml();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      const char ch = (*encoding)[i];
      if ((ch >= 'A' && ch <= 'Z' ? char(ch + ('a' - 'A')) : ch) != utf8[i]) leavePlainXml();
    }
  }
  if (auto standalone = pseudoAttribute("standalone"))
    if (*standalone != "yes" && *standalone != "no") leavePlainXml();
  for (const char ch : text)
    if (!isSpace(ch)) leavePlainXml();
  started_ = true;
  position_ += close + 2;
  return true;
}

}  // namespace quill
