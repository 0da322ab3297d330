// The text, CSV and JSON renderings of one made-up result that holds every kind of
// difference, compared byte for byte with the files under tests/data/renderers/. To write
// them anew after an intended change, run with QUILLMERE_UPDATE_GOLDEN=1 and review them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "report/csv_renderer.h"
#include "report/file_writer.h"
#include "report/json_renderer.h"
#include "report/text_renderer.h"
#include "scripted_result.h"
#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(QUILLMERE_TEST_DATA) / "renderers";

// A byte sink that keeps everything in a string.
class StringSink final : public ByteSink {
 public:
  void write(std::string_view bytes) override { text.append(bytes); }
  std::string text;
};

enum class Format { Text, Csv, Json };

std::string render(Format format, RenderOptions options) {
  StringSink sink;
  if (format == Format::Text) {
    TextRenderer renderer(sink, options);
    test::playEveryKind(renderer);
  } else if (format == Format::Csv) {
    sink.text = csvHeader();
    CsvRenderer renderer(sink, options);
    test::playEveryKind(renderer);
  } else {
    sink.text = jsonDocumentStart();
    JsonRenderer renderer(sink, options);
    test::playEveryKind(renderer);
    sink.text += jsonDocumentEnd(renderer.total());
  }
  return sink.text;
}

struct GoldenCase {
  const char* file;
  Format format;
};

class ScriptRenderings : public testing::TestWithParam<GoldenCase> {};

TEST_P(ScriptRenderings, MatchGoldenFile) {
  RenderOptions options;
  options.sheetsPaired = true;
  const std::string written = render(GetParam().format, options);
  const fs::path expected = kGolden / GetParam().file;
  if (std::getenv("QUILLMERE_UPDATE_GOLDEN") != nullptr) {
    fs::create_directories(kGolden);
    std::ofstream(expected, std::ios::binary) << written;
    return;
  }
  ASSERT_TRUE(fs::exists(expected)) << expected;
  EXPECT_EQ(written, test::readFile(expected)) << expected;
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, ScriptRenderings,
                         testing::Values(GoldenCase{"every_kind.txt", Format::Text},
                                         GoldenCase{"every_kind.csv", Format::Csv},
                                         GoldenCase{"every_kind.json", Format::Json}),
                         [](const auto& info) {
                           const std::string file = info.param.file;
                           return file.substr(file.find('.') + 1);
                         });

TEST(ScriptRenderings, JsonParsesAndAddsUp) {
  if (!fs::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3 to parse the JSON";
  const test::TemporaryFolder folder;
  std::ofstream(folder.path() / "result.json", std::ios::binary)
      << render(Format::Json, RenderOptions{});
  // Each pair's summary counts its listed differences, and the totals add the pairs up.
  const std::string check = R"(import json, sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
assert doc["format"] == "quillmere-diff" and doc["version"] == 1
comparison = doc["comparisons"][0]
pairs = comparison["sheetPairs"]
for pair in pairs:
    assert pair["summary"]["differences"] == len(pair["differences"]), pair
listed = sum(len(pair["differences"]) for pair in pairs)
assert comparison["total"]["differences"] == listed == doc["total"]["differences"]
print(len(pairs), listed)
)";
  std::ofstream(folder.path() / "check.py") << check;
  const test::CliRun run =
      test::runCommandLine("/usr/bin/python3 '" + (folder.path() / "check.py").string() + "' '" +
                           (folder.path() / "result.json").string() + "' 2>&1");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "4 12\n");  // the two areas of Sheet1 make one pair
}

TEST(ScriptRenderings, ColourOnlyWhenAskedAndNeverFromCellTexts) {
  RenderOptions options;
  const std::string plain = render(Format::Text, options);
  EXPECT_EQ(plain.find('\x1b'), std::string::npos) << plain;
  options.colour = true;
  const std::string coloured = render(Format::Text, options);
  EXPECT_NE(coloured.find("\x1b[31m12\x1b[0m -> \x1b[32m13\x1b[0m"), std::string::npos) << coloured;
  EXPECT_NE(coloured.find("\\x1B[31mred"), std::string::npos) << coloured;
}

TEST(ScriptRenderings, RenamedAndMovedOnlyWhereTheComparisonPairedTheSheets) {
  const std::string chosen = render(Format::Text, RenderOptions{});
  EXPECT_EQ(chosen.find("renamed"), std::string::npos) << chosen;
  EXPECT_EQ(chosen.find("moved from"), std::string::npos) << chosen;
  EXPECT_NE(chosen.find("Extra: sheet only in FILE2\n"), std::string::npos) << chosen;
}

// Tells a sink a whole-workbook result whose second sheets have other names but stand at
// the same position, as the comparison by position pairs them.
void playSheetsAtOnePosition(ResultSink& sink) {
  sink.begin({"a.xlsx", "b.xlsx", "2024-05-06 07:08:09", ""});
  const ColumnPair columns[] = {{1, 1}};
  const CellPair cells[] = {test::cell(1, 1, "x", "x")};
  sink.beginTable(test::table("Data", "Data", 1, 1, columns));
  sink.line(test::line(LineKind::Compared, 1, 1, cells));
  sink.endTable();
  sink.beginTable(test::table("Old", "New", 2, 2, columns));
  sink.line(test::line(LineKind::Compared, 1, 1, cells));
  sink.endTable();
  sink.finish();
}

TEST(ScriptRenderings, SheetsAtOnePositionAreComparedThereNotRenamed) {
  RenderOptions options;
  options.sheetsPaired = true;
  StringSink text, csv, json;
  TextRenderer textRenderer(text, options);
  playSheetsAtOnePosition(textRenderer);
  EXPECT_EQ(text.text.find("renamed"), std::string::npos) << text.text;
  EXPECT_NE(text.text.find("Old / New: sheet compared with New at the same position\n"),
            std::string::npos)
      << text.text;
  EXPECT_NE(text.text.find("Old / New: 1 cell compared, no differences; sheet compared with New "
                           "at the same position\n"),
            std::string::npos)
      << text.text;

  CsvRenderer csvRenderer(csv, options);
  playSheetsAtOnePosition(csvRenderer);
  EXPECT_EQ(csv.text.find("renamed"), std::string::npos) << csv.text;
  EXPECT_NE(csv.text.find("a.xlsx,b.xlsx,Old,New,,,sheet compared at the same position,"),
            std::string::npos)
      << csv.text;

  JsonRenderer jsonRenderer(json, options);
  playSheetsAtOnePosition(jsonRenderer);
  EXPECT_NE(json.text.find(R"("sheet1":"Old","sheet2":"New","position1":2,"position2":2,)"
                           R"("onlyIn":null,"renamed":false,"moved":false)"),
            std::string::npos)
      << json.text;
  EXPECT_EQ(jsonRenderer.total().renamed, 0);
  EXPECT_FALSE(jsonRenderer.total().differs());
}

TEST(ScriptRenderings, AFailedStreamIsAWriteError) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  StreamByteSink sink(out, "the standard output");
  TextRenderer renderer(sink, RenderOptions{});
  EXPECT_THROW(test::playEveryKind(renderer), WriteError);
}

TEST(ScriptRenderings, SpoolCopiesWhatWasWritten) {
  SpoolByteSink spool;
  spool.write("first ");
  spool.write(std::string(100000, 'x'));
  StringSink copy;
  spool.copyTo(copy);
  EXPECT_EQ(copy.text, "first " + std::string(100000, 'x'));
}

}  // namespace
}  // namespace quill
