#include "sheet/ods/cell_value.h"

#include <charconv>
#include <cmath>

#include "sheet/ods/duration_text.h"
#include "sheet/plain_number.h"

namespace quill::ods {

namespace {

bool parseDouble(std::string_view text, double& value) {
  text = trimSpaces(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

void CellValue::read(const XmlAttributes& attributes) {
  type_ = Type::Paragraphs;
  const char* valueAttribute = nullptr;
  const char* calcType = attributes.findQualified("calcext:value-type");
  const char* officeType = attributes.findQualified("office:value-type");
  std::string_view type = officeType ? officeType : "";
  if (calcType != nullptr && std::string_view(calcType) == "error") {
    type_ = Type::Error;
  } else if (type == "float" || type == "percentage" || type == "currency") {
    type_ = Type::Number;
    valueAttribute = attributes.findQualified("office:value");
  } else if (type == "date") {
    type_ = Type::Date;
    valueAttribute = attributes.findQualified("office:date-value");
  } else if (type == "time") {
    type_ = Type::Time;
    valueAttribute = attributes.findQualified("office:time-value");
  } else if (type == "boolean") {
    type_ = Type::Boolean;
    valueAttribute = attributes.findQualified("office:boolean-value");
  } else if (type == "string") {
    type_ = Type::String;
    valueAttribute = attributes.findQualified("office:string-value");
  }
  hasValue_ = valueAttribute != nullptr;
  if (hasValue_) value_.assign(valueAttribute);
}

std::string_view CellValue::text(const std::string& paragraphs, CivilDate nullDate) {
  if (type_ == Type::Error) {
    result_ = errorText(trimSpaces(paragraphs));
    return result_;
  }
  if (!hasValue_) return paragraphs;
  switch (type_) {
    case Type::Number: {
      const std::string_view written = trimSpaces(value_);
      if (isPlainNumberText(written)) return written;  // the common case: no conversion needed
      double number;
      if (!parseDouble(value_, number)) return paragraphs;
      result_.clear();
      appendNumberText(result_, number);
      return result_;
    }
    case Type::Date:
      if (auto date = isoDateText(trimSpaces(value_), nullDate)) {
        result_ = *std::move(date);
        return result_;
      }
      return paragraphs;
    case Type::Time:
      if (auto days = isoDurationDays(trimSpaces(value_))) {
        result_ = durationText(*days, nullDate);
        return result_;
      }
      return paragraphs;
    case Type::Boolean: {
      std::string_view flag = trimSpaces(value_);
      if (flag == "true" || flag == "1") return booleanText(true);
      if (flag == "false" || flag == "0") return booleanText(false);
      return paragraphs;
    }
    case Type::String:
      return value_;
    default:
      return paragraphs;
  }
}

std::optional<CivilDate> parseNullDate(std::string_view text) {
  text = trimSpaces(text);
  CivilDate date;
  auto number = [&](std::size_t from, std::size_t length, int& out) {
    if (text.size() < from + length) return false;
    auto [end, ec] = std::from_chars(text.data() + from, text.data() + from + length, out);
    return ec == std::errc() && end == text.data() + from + length;
  };
  if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !number(0, 4, date.year) ||
      !number(5, 2, date.month) || !number(8, 2, date.day) || date.month < 1 || date.month > 12 ||
      date.day < 1 || date.day > 31)
    return std::nullopt;
  return date;
}

}  // namespace quill::ods
