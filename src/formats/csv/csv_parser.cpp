#include "formats/csv/csv_parser.h"

namespace quill::csv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

// The mark may be split across the first blocks; bytes that turn out not to be it are kept.
bool CsvParser::skipByteOrderMark(std::string_view& block) {
  while (!block.empty() && bomPrefix_.size() < kByteOrderMark.size()) {
    bomPrefix_.push_back(block.front());
    block.remove_prefix(1);
    if (!kByteOrderMark.starts_with(bomPrefix_)) {
      atStart_ = false;
      std::string kept;
      kept.swap(bomPrefix_);
      feed(kept);
      return true;
    }
  }
  if (bomPrefix_.size() == kByteOrderMark.size()) atStart_ = false;
  return !atStart_;
}

void CsvParser::feed(std::string_view block) {
  if (atStart_ && !skipByteOrderMark(block)) return;
  for (char ch : block) {
    if (afterCarriageReturn_) {
      afterCarriageReturn_ = false;
      if (ch == '\n') continue;
    }
    switch (state_) {
      case State::FieldStart:
        if (ch == '"') {
          state_ = State::Quoted;
          continue;
        }
        state_ = State::Unquoted;
        [[fallthrough]];
      case State::Unquoted:
        if (ch == separator_) {
          endField();
        } else if (ch == '\n' || ch == '\r') {
          endRecord();
          afterCarriageReturn_ = ch == '\r';
        } else {
          field_.push_back(ch);
        }
        break;
      case State::Quoted:
        if (ch == '"')
          state_ = State::QuoteInQuoted;
        else
          field_.push_back(ch);
        break;
      case State::QuoteInQuoted:
        if (ch == '"') {
          field_.push_back('"');
          state_ = State::Quoted;
        } else if (ch == separator_) {
          endField();
        } else if (ch == '\n' || ch == '\r') {
          endRecord();
          afterCarriageReturn_ = ch == '\r';
        } else {
          // Text after a closing quote is kept as written.
          field_.push_back(ch);
          state_ = State::Unquoted;
        }
        break;
    }
  }
}

void CsvParser::finish() {
  if (atStart_ && !bomPrefix_.empty()) {
    atStart_ = false;
    std::string kept;
    kept.swap(bomPrefix_);
    feed(kept);
  }
  if (state_ != State::FieldStart || column_ > 1) endRecord();
}

void CsvParser::endField() {
  sheet_.add(row_, column_, field_);
  field_.clear();
  ++column_;
  state_ = State::FieldStart;
}

void CsvParser::endRecord() {
  endField();
  ++row_;
  column_ = 1;
}

}  // namespace quill::csv
