// The text, CSV and JSON renderings of content differences: notes, hidden rows, formats,
// names and macro modules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "report/csv_renderer.h"
#include "report/html_result_writer.h"
#include "report/json_renderer.h"
#include "report/text_renderer.h"
#include "scripted_result.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

class StringSink final : public ByteSink {
 public:
  void write(std::string_view bytes) override { text.append(bytes); }
  std::string text;
};

ContentItem item(ItemKind kind, long row, long column, std::string text1, std::string text2,
                 std::string detail = "", long count = 1) {
  ContentItem made = contentItem(kind);
  made.row1 = made.row2 = row;
  made.column1 = made.column2 = column;
  made.text1 = std::move(text1);
  made.text2 = std::move(text2);
  made.detail = std::move(detail);
  made.count = count;
  return made;
}

ContentItem workbookItem(ItemKind kind, std::string subject, std::string text1, std::string text2,
                         std::string detail = "") {
  ContentItem made = item(kind, 0, 0, std::move(text1), std::move(text2), std::move(detail));
  made.subject = std::move(subject);
  return made;
}

// One sheet pair with a note, a run of hidden rows and a format changed, then a name and
// a macro module changed and a macro project that could not be read.
void playContents(ResultSink& sink) {
  const std::vector<ColumnPair> columns{{1, 1}};
  sink.begin({"one.xlsx", "two.xlsx", "NOW", "", true});
  sink.beginTable(test::table("Data", "Data", 1, 1, columns));
  const std::vector<ContentItem> sheetItems{
      item(ItemKind::DifferentNote, 2, 1, "Ann: checked", ""),
      item(ItemKind::RowHidden, 4, 0, "", "", "", 3),
      item(ItemKind::DifferentFormat, 3, 2, "bold", "not bold", "bold")};
  sink.contents(sheetItems);
  sink.endTable();
  const std::vector<ContentItem> bookItems{
      workbookItem(ItemKind::NameChanged, "Rate", "=Data!$A$1", "=Data!$A$2"),
      workbookItem(ItemKind::MacroChanged, "Module1", "", "", "@@ -1,1 +1,1 @@\n-x = 1\n+x = 2"),
      workbookItem(ItemKind::MacroProblem, "FILE2", "", "", "the dir stream is damaged")};
  sink.contents(bookItems);
  sink.finish();
}

TEST(ContentRenderings, TextTellsEachOnItsLineAndCountsThemInTheTotal) {
  StringSink sink;
  TextRenderer renderer(sink, {});
  playContents(renderer);
  EXPECT_EQ(
      sink.text,
      "FILE1: one.xlsx\nFILE2: two.xlsx\n\n"
      "Data!A2: different note \"Ann: checked\" -> (none)\n"
      "Data!4:6: row hidden\n"
      "Data!B3: different format (bold) bold -> not bold\n"
      "Rate: name changed =Data!$A$1 -> =Data!$A$2\n"
      "Module1: macro module changed\n"
      "  @@ -1,1 +1,1 @@\n  -x = 1\n  +x = 2\n"
      "FILE2: macro project unreadable (the dir stream is damaged)\n"
      "\n"
      "Data: 0 cells compared, 3 differences (1 different note, 1 visibility change, 1 "
      "different format)\n"
      "Total: 0 cells compared in 1 sheet pair, 5 differences in 1 of them (1 different note, "
      "1 name change, 1 visibility change, 1 different format, 1 macro module change)\n");
}

TEST(ContentRenderings, CsvGivesSubjectAndDetailColumnsAndTheirCounts) {
  StringSink sink;
  RenderOptions options;
  options.contents = true;
  sink.text = csvHeader(true);
  CsvRenderer renderer(sink, options);
  playContents(renderer);
  // Records end in CR LF; the macro module's diff holds bare line feeds inside its quotes.
  std::vector<std::string> records;
  for (std::size_t start = 0, end; (end = sink.text.find("\r\n", start)) != std::string::npos;
       start = end + 2)
    records.push_back(sink.text.substr(start, end - start));
  ASSERT_EQ(records.size(), 9u);
  EXPECT_NE(records[0].find(",formula2,subject,detail,cells_compared,"), std::string::npos);
  EXPECT_TRUE(records[0].ends_with(",macro_module_changes"));
  EXPECT_EQ(records[2], "one.xlsx,two.xlsx,Data,Data,4:6,4:6,row hidden,no,shown,hidden,,,," +
                            std::string(19, ','));
  EXPECT_EQ(records[5].substr(0, 77),
            "one.xlsx,two.xlsx,,,,,macro module changed,no,,,,,Module1,\"@@ -1,1 +1,1 @@\n-x");
  EXPECT_TRUE(records.back().ends_with(",1,1,1,0,1,1")) << records.back();
  EXPECT_EQ(csvHeader(false).find("subject"), std::string::npos);
}

TEST(ContentRenderings, JsonListsTheWholeWorkbooksDifferencesApart) {
  StringSink sink;
  RenderOptions options;
  options.contents = true;
  JsonRenderer renderer(sink, options);
  playContents(renderer);
  const std::string& json = sink.text;
  EXPECT_NE(json.find("{\"kind\":\"row hidden\",\"key\":false,\"cell1\":\"4:6\",\"cell2\":\"4:6\","
                      "\"row1\":4,\"column1\":null,\"row2\":4,\"column2\":null,\"text1\":\"shown\","
                      "\"text2\":\"hidden\",\"count\":3}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("}}],\"workbookDifferences\":[\n{\"kind\":\"name changed\",\"subject\":"
                      "\"Rate\",\"text1\":\"=Data!$A$1\",\"text2\":\"=Data!$A$2\"}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"differentNotes\":1,\"nameChanges\":0"), std::string::npos) << json;
  EXPECT_NE(json.find("\"nameChanges\":1,\"visibilityChanges\":1"), std::string::npos) << json;
}

TEST(ContentRenderings, TheDocumentsListEveryContentDifference) {
  test::TemporaryFolder folder;
  HtmlResultWriter writer(folder.path());
  playContents(writer);
  std::ifstream file(folder.path() / "report.htm");
  const std::string report((std::istreambuf_iterator<char>(file)), {});
  for (const char* shown :
       {"<td align=left>Different note</td><td>A2</td><td>Ann: checked</td><td></td>",
        "<td align=left>Row hidden</td><td>4:6</td><td>shown</td><td>hidden</td>",
        "<td align=left>Name changed</td><td>Rate</td><td>=Data!$A$1</td>",
        "<pre>@@ -1,1 +1,1 @@\n-x = 1\n+x = 2</pre>"})
    EXPECT_NE(report.find(shown), std::string::npos) << shown;
}

}  // namespace
}  // namespace quill
