// Texts read with their leading and trailing spaces kept, and trimmed by default, whichever
// way the format stores them: a shared string, a paragraph, a field.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/csv/csv_reader.h"
#include "formats/ods/ods_reader.h"
#include "formats/ods/ods_test_support.h"
#include "formats/xlsx/xlsx_reader.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

struct SpacedCell {
  const char* what;
  std::function<std::unique_ptr<StoredWorkbook>(const ReadOptions&)> read;
  long row, column;
  std::string kept;
};

TEST(ExactSpaces, TextsKeepTheirSpacesOnlyWhenAsked) {
  test::TemporaryFolder folder;
  const auto csv = folder.path() / "spaced.csv";
  std::ofstream(csv, std::ios::binary) << "id,\"ABC \",  x\n";
  const auto ods = folder.path() / "spaced.ods";
  test::writeOds(ods, test::odsContent(
                          R"(<table:table table:name="S"><table:table-row>)"
                          R"(<table:table-cell><text:p><text:s/>lead<text:s text:c="2"/></text:p>)"
                          R"(</table:table-cell></table:table-row></table:table>)"));
  const std::string xlsx = std::string(QUILLMERE_TEST_DATA) + "/xlsx/texts.xlsx";
  const std::vector<SpacedCell> cases = {
      {"xlsx shared string", [&](const ReadOptions& o) { return readXlsxWorkbook(xlsx, o); }, 1, 6,
       "   spaces around   "},
      {"csv quoted field", [&](const ReadOptions& o) { return readCsvWorkbook(csv.string(), o); },
       1, 2, "ABC "},
      {"csv plain field", [&](const ReadOptions& o) { return readCsvWorkbook(csv.string(), o); }, 1,
       3, "  x"},
      {"ods paragraph", [&](const ReadOptions& o) { return readOdsWorkbook(ods.string(), o); }, 1,
       1, " lead  "},
  };
  for (const SpacedCell& c : cases) {
    SCOPED_TRACE(c.what);
    const auto kept = c.read(ReadOptions{.keepSpaces = true});
    EXPECT_EQ(kept->sheet(1).cellText(c.row, c.column), c.kept);
    const auto trimmed = c.read(ReadOptions{});
    const std::string_view spaces = " ";
    std::string_view expected = c.kept;
    expected.remove_prefix(std::min(expected.find_first_not_of(spaces), expected.size()));
    expected.remove_suffix(expected.size() - expected.find_last_not_of(spaces) - 1);
    EXPECT_EQ(trimmed->sheet(1).cellText(c.row, c.column), expected);
  }
}

}  // namespace
}  // namespace quill
