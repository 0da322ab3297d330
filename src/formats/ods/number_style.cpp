#include "formats/ods/number_style.h"

#include <algorithm>
#include <charconv>

namespace quill::ods {

namespace {

long numberAttribute(const XmlAttributes& attributes, std::string_view name, long fallback) {
  const char* text = attributes.find(name);
  if (text == nullptr) return fallback;
  long value = fallback;
  std::from_chars(text, text + std::char_traits<char>::length(text), value);
  return std::clamp(value, 0L, 30L);
}

bool isLong(const XmlAttributes& attributes) {
  const char* style = attributes.find("style");
  return style != nullptr && std::string_view(style) == "long";
}

bool isTrue(const char* value) {
  return value != nullptr && std::string_view(value) == "true";
}

}  // namespace

void NumberStyleBuilder::begin(std::string_view name, const XmlAttributes& attributes) {
  *this = NumberStyleBuilder();
  overflowHours_ = name == "time-style" && attributes.find("truncate-on-overflow") != nullptr &&
                   std::string_view(attributes.find("truncate-on-overflow")) == "false";
  if (name == "boolean-style") code_ = "BOOLEAN";
}

void NumberStyleBuilder::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (name == "text" || name == "currency-symbol") {
    inText_ = true;
    pendingText_.clear();
  } else if (name == "number") {
    addNumber(attributes, false);
  } else if (name == "scientific-number") {
    addNumber(attributes, true);
  } else if (name == "fraction") {
    code_ +=
        "# " +
        std::string(std::size_t(numberAttribute(attributes, "min-numerator-digits", 1)), '?') +
        "/" +
        std::string(std::size_t(numberAttribute(attributes, "min-denominator-digits", 1)), '?');
    anyPart_ = true;
  } else if (name == "text-content") {
    code_ += "@";
    anyPart_ = true;
  } else if (name == "map") {
    if (const char* style = attributes.find("apply-style-name")) mapped_.push_back(style);
  } else if (name == "text-properties") {
    const char* colour = attributes.find("color");
    if (colour != nullptr && std::string_view(colour) == "#ff0000") colour_ = "[RED]";
  } else {
    addDatePart(name, attributes);
  }
}

void NumberStyleBuilder::addNumber(const XmlAttributes& attributes, bool scientific) {
  anyPart_ = true;
  const char* decimals = attributes.find("decimal-places");
  const long integers = numberAttribute(attributes, "min-integer-digits", 0);
  if (decimals == nullptr && !scientific) {
    general_ = true;
    return;
  }
  std::string number = integers == 0 ? "#" : std::string(std::size_t(integers), '0');
  if (isTrue(attributes.find("grouping")))
    number = integers <= 1
                 ? "#,##" + std::string(integers == 0 ? "#" : "0")
                 : "#," + std::string(std::size_t(std::max(0L, 3 - integers)), '#') + number;
  const long places = numberAttribute(attributes, "decimal-places", 0);
  if (places > 0) number += "." + std::string(std::size_t(places), '0');
  if (scientific)
    number +=
        "E+" + std::string(std::size_t(numberAttribute(attributes, "min-exponent-digits", 2)), '0');
  code_ += number;
}

void NumberStyleBuilder::addDatePart(std::string_view name, const XmlAttributes& attributes) {
  const bool longForm = isLong(attributes);
  std::string part;
  if (name == "year")
    part = longForm ? "yyyy" : "yy";
  else if (name == "month")
    part =
        isTrue(attributes.find("textual")) ? (longForm ? "mmmm" : "mmm") : (longForm ? "mm" : "m");
  else if (name == "day")
    part = longForm ? "dd" : "d";
  else if (name == "day-of-week")
    part = longForm ? "dddd" : "ddd";
  else if (name == "hours")
    part = overflowHours_ ? (longForm ? "[hh]" : "[h]") : (longForm ? "hh" : "h");
  else if (name == "minutes")
    part = longForm ? "mm" : "m";
  else if (name == "seconds") {
    part = longForm ? "ss" : "s";
    const long places = numberAttribute(attributes, "decimal-places", 0);
    if (places > 0) part += "." + std::string(std::size_t(places), '0');
  } else if (name == "am-pm")
    part = "AM/PM";
  else
    return;
  code_ += part;
  anyPart_ = true;
}

void NumberStyleBuilder::endElement(std::string_view name) {
  if (inText_ && (name == "text" || name == "currency-symbol")) {
    inText_ = false;
    addLiteral(pendingText_);
  }
}

void NumberStyleBuilder::characters(std::string_view text) {
  if (inText_ && pendingText_.size() + text.size() < 4096) pendingText_.append(text);
}

// Signs, spaces and the usual separators stand as they are; other text is quoted.
void NumberStyleBuilder::addLiteral(std::string_view text) {
  if (text.empty()) return;
  anyPart_ = true;
  if (text == "%") {
    code_ += "%";
    return;
  }
  const bool plain = std::all_of(text.begin(), text.end(), [](char ch) {
    return std::string_view(" -/:.,()+$").find(ch) != std::string_view::npos;
  });
  if (plain) {
    code_.append(text);
    return;
  }
  code_ += "\"";
  for (char ch : text) code_ += ch == '"' ? std::string("\\\"") : std::string(1, ch);
  code_ += "\"";
}

std::string NumberStyleBuilder::code() const {
  if (general_ && code_.empty()) return colour_ + "General";
  if (code_.empty()) return "General";
  return colour_ + code_;
}

}  // namespace quill::ods
