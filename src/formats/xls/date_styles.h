#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quill::xls {

// Tells which cell styles (XF records) show numbers as dates, from the number formats the
// file defines (FORMAT records) and the built-in format ids.
class DateStyles {
 public:
  // A FORMAT record: the file's own format for an id, judged by its code.
  void defineFormat(int id, std::string_view code);
  // The next XF record, which uses the number format formatId.
  void addStyle(int formatId);
  std::size_t formatCount() const { return formats_.size(); }

  bool formatIsDate(int formatId) const;
  // Whether the XF at this index shows a date; an index with no XF is no date.
  bool styleIsDate(std::size_t xf) const;

 private:
  std::unordered_map<int, bool> formats_;
  std::vector<int> styleFormats_;
};

}  // namespace quill::xls
