#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sheet/address.h"
#include "formats/session.h"
#include "sheet/stored_workbook.h"

namespace quill::test {

// One worksheet of an in-memory test workbook: its name and its cells as "B2" -> text.
struct TestSheet {
  std::string name;
  std::vector<std::pair<std::string, std::string>> cells;
};

// Builds an in-memory workbook from sheet specs, in tab order.
inline std::unique_ptr<StoredWorkbook> makeWorkbook(const std::vector<TestSheet>& sheets) {
  auto workbook = std::make_unique<StoredWorkbook>();
  for (const TestSheet& source : sheets) {
    StoredSheet& sheet = workbook->addSheet(source.name);
    for (const auto& [address, text] : source.cells) {
      const Area cell = parseRangeAddress(address).front();
      sheet.add(cell.firstRow, cell.firstColumn, text);
    }
  }
  workbook->finish();
  return workbook;
}

// A session over two in-memory workbooks.
inline SpreadsheetSession makeSession(const std::vector<TestSheet>& first,
                                      const std::vector<TestSheet>& second) {
  return sessionOf(makeWorkbook(first), makeWorkbook(second));
}

}  // namespace quill::test
