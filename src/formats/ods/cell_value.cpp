#include "formats/ods/cell_value.h"

#include <charconv>
#include <cmath>

#include "formats/ods/date_value.h"
#include "formats/ods/duration_text.h"
#include "sheet/plain_number.h"

namespace quill::ods {

namespace {

bool parseDouble(std::string_view text, double& value) {
  text = trimSpaces(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// The value attributes of a table cell; nothing for those it lacks.
struct ValueAttributes {
  std::string_view officeType, calcType;
  const char* number = nullptr;
  const char* date = nullptr;
  const char* time = nullptr;
  const char* boolean = nullptr;
  const char* string = nullptr;
  const char* columnsRepeated = nullptr;
};

// One pass over the cell's attributes, which are read for every cell of a sheet.
ValueAttributes valueAttributes(const XmlAttributes& attributes) {
  ValueAttributes found;
  attributes.forEachSplit([&](std::string_view prefix, std::string_view name, const char* value) {
    if (found.columnsRepeated == nullptr && name == "number-columns-repeated")
      found.columnsRepeated = value;
    if (prefix != "office") {
      if (prefix == "calcext" && name == "value-type") found.calcType = value;
      return;
    }
    if (name == "value-type") {
      found.officeType = value;
    } else if (name == "value") {
      found.number = value;
    } else if (name == "date-value") {
      found.date = value;
    } else if (name == "time-value") {
      found.time = value;
    } else if (name == "boolean-value") {
      found.boolean = value;
    } else if (name == "string-value") {
      found.string = value;
    }
  });
  return found;
}

}  // namespace

const char* CellValue::read(const XmlAttributes& attributes, CivilDate nullDate) {
  const auto [officeType, calcType, number, date, time, boolean, string, columnsRepeated] =
      valueAttributes(attributes);
  type_ = Type::Paragraphs;
  const char* valueAttribute = nullptr;
  if (calcType == "error") {
    type_ = Type::Error;
  } else if (officeType == "float" || officeType == "percentage" || officeType == "currency") {
    type_ = Type::Number;
    valueAttribute = number;
  } else if (officeType == "date") {
    type_ = Type::Date;
    valueAttribute = date;
  } else if (officeType == "time") {
    type_ = Type::Time;
    valueAttribute = time;
  } else if (officeType == "boolean") {
    type_ = Type::Boolean;
    valueAttribute = boolean;
  } else if (officeType == "string") {
    type_ = Type::String;
    valueAttribute = string;
  }
  hasValue_ = valueAttribute != nullptr;
  if (hasValue_) value_.assign(valueAttribute);
  valueText_ = type_ == Type::Error ? std::nullopt : valueText(nullDate);
  return columnsRepeated;
}

std::optional<std::string_view> CellValue::plainDayText(std::string_view value,
                                                        CivilDate nullDate) {
  if (value.size() != 10 || value[4] != '-' || value[7] != '-') return std::nullopt;
  std::uint32_t digits[8];
  std::size_t count = 0;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (value[i] < '0' || value[i] > '9') return std::nullopt;
    digits[count++] = std::uint32_t(value[i] - '0');
  }
  const std::uint32_t year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
  const std::uint32_t month = digits[4] * 10 + digits[5];
  const std::uint32_t dayOfMonth = digits[6] * 10 + digits[7];
  if (month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > 31) return std::nullopt;
  // One number for each possible day, 31 for every month, so that the days of eleven years
  // take distinct slots.
  const std::uint32_t day = (year * 12 + month - 1) * 31 + dayOfMonth - 1;
  if (dayTexts_.empty() || dayTextsNullDate_.year != nullDate.year ||
      dayTextsNullDate_.month != nullDate.month || dayTextsNullDate_.day != nullDate.day) {
    dayTexts_.assign(kDaySlots, DayText{});
    dayTextsNullDate_ = nullDate;
  }
  DayText& slot = dayTexts_[day % kDaySlots];
  if (slot.day == day && slot.size != 0) return std::string_view(slot.text, slot.size);
  auto text = isoDateText(value, nullDate);
  if (!text) return std::nullopt;
  result_ = *std::move(text);
  if (result_.size() <= sizeof slot.text) {
    slot.day = day;
    slot.size = std::uint8_t(result_.size());
    result_.copy(slot.text, result_.size());
  }
  return std::string_view(result_);
}

std::string_view CellValue::text(const std::string& paragraphs) {
  if (valueText_) return *valueText_;
  if (type_ == Type::Error) {
    result_ = errorText(trimSpaces(paragraphs));
    return result_;
  }
  return paragraphs;
}

std::optional<std::string_view> CellValue::valueText(CivilDate nullDate) {
  if (!hasValue_) return std::nullopt;
  switch (type_) {
    case Type::Number: {
      const std::string_view written = trimSpaces(value_);
      if (isPlainNumberText(written)) return written;  // the common case: no conversion needed
      double number;
      if (!parseDouble(value_, number)) return std::nullopt;
      result_.clear();
      appendNumberText(result_, number);
      return result_;
    }
    case Type::Date: {
      const std::string_view written = paddedDateValue(trimSpaces(value_), padded_);
      if (auto day = plainDayText(written, nullDate)) return *day;
      if (auto date = isoDateText(written, nullDate)) {
        result_ = *std::move(date);
        return result_;
      }
      return std::nullopt;
    }
    case Type::Time:
      if (auto days = isoDurationDays(trimSpaces(value_))) {
        result_ = durationText(*days, nullDate);
        return result_;
      }
      return std::nullopt;
    case Type::Boolean: {
      std::string_view flag = trimSpaces(value_);
      if (flag == "true" || flag == "1") return booleanText(true);
      if (flag == "false" || flag == "0") return booleanText(false);
      return std::nullopt;
    }
    case Type::String:
      return value_;
    default:
      return std::nullopt;
  }
}

std::optional<CivilDate> parseNullDate(std::string_view written) {
  std::string padded;
  const std::string_view text = paddedDateValue(trimSpaces(written), padded);
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
