// Inputs that once crashed, hung or exhausted a reader or parser under the fuzzers. Each
// folder of tests/data/fuzz is named after its target: files of a workbook format must open
// or fail with WorkbookError; texts for the address and field parsers must give a result
// or their own error.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/request_error.h"
#include "engine/request_fields.h"
#include "sheet/address.h"
#include "sheet/workbook_file.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzzData = fs::path(QUILLMERE_TEST_DATA) / "fuzz";

std::vector<fs::path> filesOf(const std::string& target) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(kFuzzData / target, error))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Opens one workbook input under its target's extension, as the fuzzer wrote it.
void openAs(const fs::path& file, const std::string& extension) {
  const fs::path named = fs::temp_directory_path() /
                         ("quillmere-regression-" + file.stem().string() + "." + extension);
  fs::copy_file(file, named, fs::copy_options::overwrite_existing);
  try {
    auto workbook = readWorkbookFile(named.string());
    for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
      const Area used = workbook->sheet(i).usedArea();
      (void)workbook->sheet(i).cellText(used.lastRow, used.lastColumn);
    }
  } catch (const WorkbookError& e) {
    EXPECT_NE(std::string(e.what()).find(named.string()), std::string::npos) << e.what();
  }
  fs::remove(named);
}

TEST(WorkbookRegression, EveryInputOpensOrFailsWithAWorkbookError) {
  for (const std::string target : {"xlsx", "xlsb", "ods", "csv", "xls"}) {
    for (const fs::path& file : filesOf(target)) {
      SCOPED_TRACE(target + "/" + file.filename().string());
      openAs(file, target);
    }
  }
}

TEST(ParserRegression, AddressesParseOrFailWithAnAddressError) {
  for (const fs::path& file : filesOf("address")) {
    SCOPED_TRACE(file.filename().string());
    try {
      for (const Area& area : parseRangeAddress(test::readFile(file)))
        EXPECT_EQ(parseRangeAddress(absoluteAddress(area)).front(), area);
    } catch (const AddressError&) {
    }
  }
}

TEST(ParserRegression, FieldsReadOrFailWithARequestError) {
  // The first byte picks the reader, as in the fuzz target.
  for (const fs::path& file : filesOf("fields")) {
    SCOPED_TRACE(file.filename().string());
    const std::string content = test::readFile(file);
    if (content.empty()) continue;
    const std::string_view text = std::string_view(content).substr(1);
    try {
      switch (std::uint8_t(content[0]) % 8) {
        case 0:
          (void)areaField("Range", text);
          break;
        case 1:
          (void)columnSpanField("Range", text);
          break;
        case 2:
          (void)rowSpanField("Range", text);
          break;
        case 3:
          (void)rowNumberField("Start row", text);
          break;
        case 4:
          (void)columnField("Start column", text);
          break;
        case 5:
          (void)columnListField("Identifying columns", text);
          break;
        case 6:
          (void)rowListField("Identifying rows", text);
          break;
        default:
          (void)leadingNumber(text);
      }
    } catch (const RequestError&) {
    }
  }
}

}  // namespace
}  // namespace quill
