#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sheet/password_source.h"
#include "sheet/stored_workbook.h"

namespace quill::test {

// Answers each attempt with the next password of a list, and nothing past its end.
class ListedPasswords final : public PasswordSource {
 public:
  explicit ListedPasswords(std::vector<std::string> answers) : answers_(std::move(answers)) {}
  std::optional<std::string> password(int, const std::string&, int attempt) override {
    ++asked;
    if (std::size_t(attempt) > answers_.size()) return std::nullopt;
    return answers_[std::size_t(attempt) - 1];
  }
  int asked = 0;

 private:
  std::vector<std::string> answers_;
};

// Every sheet and cell of a workbook as "sheet NAME" and Sheet!row,column=text lines, to
// compare two reads.
inline std::string sheetsAndCells(const StoredWorkbook& book) {
  std::string listing;
  for (std::size_t i = 1; i <= book.sheetCount(); ++i) {
    const StoredSheet& sheet = book.storedSheet(i);
    listing += "sheet " + sheet.name() + "\n";
    sheet.forEachCell([&](long row, long column, std::string_view text) {
      listing += sheet.name() + "!" + std::to_string(row) + "," + std::to_string(column) + "=" +
                 std::string(text) + "\n";
    });
  }
  return listing;
}

}  // namespace quill::test
