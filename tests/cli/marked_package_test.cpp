// An .xlsx or .xlsm File #2 is itself the review workbook, marked: read back with openpyxl it
// keeps its notes, merged cells, charts, defined names and macros, every part not rewritten
// is byte for byte File #2's, and Gnumeric opens it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "review/review_workbook.h"
#include "support/cli_runner.h"
#include "support/corpus.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::test::CliRun;
using quill::test::runCli;
using quill::test::runCommandLine;

constexpr const char* kPython = "/usr/bin/python3";

// one.xlsx and two.xlsx: formatted cells, a formula, a merged area, a note, a chart and
// global and local defined names; two.xlsx changes a formatted cell, the noted cell and
// another, and fills a cell of a second sheet.
constexpr const char* kWritePair = R"py(import openpyxl
from openpyxl.comments import Comment
from openpyxl.styles import Font, Border, Side
from openpyxl.chart import BarChart, Reference
from openpyxl.workbook.defined_name import DefinedName
for name in ("one", "two"):
    book = openpyxl.Workbook()
    data = book.active
    data.title = "Data"
    for r in range(1, 8):
        for c in range(1, 5):
            data.cell(r, c, r * 10 + c)
    data["A1"] = "Name"
    data["A1"].font = Font(bold=True)
    data["B2"].number_format = "0.00"
    data["B2"].border = Border(left=Side(style="thin"))
    data["C3"] = "=A3+B3"
    data.merge_cells("A9:B9")
    data["A9"] = "merged"
    data["D4"].comment = Comment("existing note", "Ann")
    other = book.create_sheet("Other")
    other["A1"] = "x"
    if name == "two":
        data["B2"] = 99.5
        data["D4"] = "changed"
        data["A5"] = "five"
        other["B3"] = "new"
    chart = BarChart()
    chart.add_data(Reference(data, min_col=2, min_row=1, max_row=7))
    data.add_chart(chart, "F2")
    book.defined_names.append(DefinedName("Total", attr_text="Data!$B$2:$B$7"))
    book.defined_names.append(DefinedName("Local", attr_text="Data!$A$1", localSheetId=0))
    book.save(name + ".xlsx")
)py";

// Prints what the review workbook keeps of File #2 and how it is marked, and each part of
// File #2 it does not hold byte for byte.
constexpr const char* kReadMarked = R"py(import sys, zipfile, openpyxl
review_path, second_path = sys.argv[1], sys.argv[2]
review = openpyxl.load_workbook(review_path, keep_vba=True)
second = openpyxl.load_workbook(second_path, keep_vba=True)
print("sheets", review.sheetnames)
for d in review.defined_names.definedName:
    scope = "" if d.localSheetId is None else "@" + review.sheetnames[d.localSheetId]
    print("name", d.name + scope, d.attr_text)
for ws in review.worksheets[1:]:
    print("kept", ws.title, [str(r) for r in ws.merged_cells.ranges], len(ws._charts))
    for row in ws.iter_rows():
        for cell in row:
            if cell.fill is not None and cell.fill.fill_type == "solid":
                note = cell.comment.text.replace("\n", "|") if cell.comment else ""
                print("mark", f"{ws.title}!{cell.coordinate}", cell.fill.fgColor.rgb[2:],
                      cell.number_format, bool(cell.font.b), bool(cell.border.left.style), note)
            elif cell.comment:
                print("note", f"{ws.title}!{cell.coordinate}", cell.comment.text)
for ws in second.worksheets:
    for row in ws.iter_rows():
        for cell in row:
            if review[ws.title][cell.coordinate].value != cell.value:
                print("value differs", ws.title, cell.coordinate)
with zipfile.ZipFile(review_path) as r, zipfile.ZipFile(second_path) as s:
    held = set(r.namelist())
    for name in s.namelist():
        if name not in held:
            print("lost", name)
        elif r.read(name) != s.read(name):
            print("rewritten", name)
    print("content type", [t for t in r.read("[Content_Types].xml").decode().split("\"")
                           if "main+xml" in t])
)py";

class MarkedPackage : public testing::Test {
 protected:
  void SetUp() override {
    if (runCommandLine(std::string(kPython) + " -c 'import openpyxl' 2>&1").exitCode != 0)
      GTEST_SKIP() << kPython << " with openpyxl is needed to read the review workbook";
    std::ofstream(folder_.path() / "read_marked.py") << kReadMarked;
  }

  std::string path(const std::string& name) const { return (folder_.path() / name).string(); }

  // Compares the files into the review workbook named as File #2's kind asks (review.xlsx for
  // a plain workbook) and gives what the reader prints.
  std::string review(const std::string& file1, const std::string& file2,
                     const std::string& options = "") {
    const std::string output = path(quill::reviewFileName(file2));
    const CliRun run = runCli("compare '" + file1 + "' '" + file2 + "' " + options +
                              " --quiet --format xlsx --output '" + output + "'");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    const CliRun read = runCommandLine(std::string(kPython) + " '" + path("read_marked.py") +
                                       "' '" + output + "' '" + file2 + "' 2>&1");
    EXPECT_EQ(read.exitCode, 0) << read.output;
    return read.output;
  }

  quill::test::TemporaryFolder folder_;
};

TEST_F(MarkedPackage, KeepsEverythingOfFileTwoAndMarksTheListedCells) {
  std::ofstream(folder_.path() / "write_pair.py") << kWritePair;
  ASSERT_EQ(
      runCommandLine("cd '" + folder_.path().string() + "' && " + kPython + " write_pair.py 2>&1")
          .exitCode,
      0);
  EXPECT_EQ(review(path("one.xlsx"), path("two.xlsx")),
            "sheets ['Differences', 'Data', 'Other']\n"
            "name Total Data!$B$2:$B$7\n"
            "name Local@Data Data!$A$1\n"
            "kept Data ['A9:B9'] 1\n"
            "mark Data!B2 FFFF00 0.00 False True FILE1 Data!B2: 22\n"
            "mark Data!D4 FFFF00 General False False existing note|FILE1 Data!D4: 44\n"
            "mark Data!A5 FFFF00 General False False FILE1 Data!A5: 51\n"
            "kept Other [] 0\n"
            "mark Other!B3 EEEECC General False False FILE1 Other!B3: (empty)\n"
            "rewritten xl/worksheets/sheet1.xml\n"
            "rewritten xl/comments/comment1.xml\n"
            "rewritten xl/drawings/commentsDrawing1.vml\n"
            "rewritten xl/worksheets/sheet2.xml\n"
            "rewritten xl/styles.xml\n"
            "rewritten xl/workbook.xml\n"
            "rewritten xl/_rels/workbook.xml.rels\n"
            "rewritten [Content_Types].xml\n"
            "content type ['application/vnd.openxmlformats-officedocument.spreadsheetml.sheet."
            "main+xml']\n");
  if (runCommandLine("command -v ssconvert >/dev/null").exitCode != 0) return;
  const CliRun converted =
      runCommandLine("cd '" + folder_.path().string() +
                     "' && ssconvert -S review.xlsx sheet.csv >/dev/null 2>&1 && cat sheet.csv.1");
  ASSERT_EQ(converted.exitCode, 0) << converted.output;
  EXPECT_EQ(converted.output,
            "Name,12,13,14\n21,99.5,23,24\n31,32,63,34\n41,42,43,changed\nfive,52,53,54\n"
            "61,62,63,64\n71,72,73,74\n,,,\nmerged,,,\n");
}

// A workbook with macros as Excel wrote it stays macro-enabled, its macros untouched.
TEST_F(MarkedPackage, MacroWorkbookKeepsItsMacros) {
  SKIP_WITHOUT_CORPUS();
  const fs::path second = fs::path(quill::test::kCorpus) / "calamine" / "vba.xlsm";
  std::ofstream(folder_.path() / "change.py")
      << "import sys, openpyxl\nb = openpyxl.load_workbook(sys.argv[1])\n"
         "s = b.worksheets[0]\ns['A1'] = 'other'\ns['C7'] = 5\nb.save('one.xlsx')\n";
  ASSERT_EQ(runCommandLine("cd '" + folder_.path().string() + "' && " + kPython + " change.py '" +
                           second.string() + "' 2>&1")
                .exitCode,
            0);
  const std::string read = review(path("one.xlsx"), second.string());
  EXPECT_EQ(read.find("value differs"), std::string::npos) << read;
  EXPECT_EQ(read.find("lost"), std::string::npos) << read;
  EXPECT_EQ(read.find("vbaProject"), std::string::npos) << read;
  EXPECT_NE(read.find("sheet.macroEnabled.main+xml"), std::string::npos) << read;
}

}  // namespace

namespace {

// Writes damaged copies of two.xlsx, each with one part changed or left out, named by case.
constexpr const char* kDamage = R"py(import re, zipfile
cases = {
    "styles_without_cell_formats": ("xl/styles.xml", lambda t: re.sub(r"<cellXfs.*</cellXfs>", "", t)),
    "malformed_comments": ("xl/comments/comment1.xml", lambda t: "<comments><authors>"),
    "drawing_not_of_notes": ("xl/drawings/commentsDrawing1.vml", lambda t: "<x/>"),
    "comments_part_missing": ("xl/comments/comment1.xml", None),
    "entities_in_content_types": ("[Content_Types].xml", lambda t: t.replace("<Types", "<!DOCTYPE Types [<!ENTITY a \"b\">]><Types", 1)),
}
for name, (part, change) in cases.items():
    with zipfile.ZipFile("two.xlsx") as source, zipfile.ZipFile(name + ".xlsx", "w") as target:
        for item in source.infolist():
            data = source.read(item.filename)
            if item.filename == part:
                if change is None:
                    continue
                data = change(data.decode()).encode()
            target.writestr(item, data)
)py";

// Damaged File #2 packages give a review workbook openpyxl reads, or none and one error line.
TEST_F(MarkedPackage, DamagedPackagesGiveAReadableWorkbookOrOneError) {
  std::ofstream(folder_.path() / "write_pair.py") << kWritePair;
  std::ofstream(folder_.path() / "damage.py") << kDamage;
  ASSERT_EQ(runCommandLine("cd '" + folder_.path().string() + "' && " + kPython +
                           " write_pair.py && " + kPython + " damage.py 2>&1")
                .exitCode,
            0);
  for (const char* name :
       {"styles_without_cell_formats", "malformed_comments", "drawing_not_of_notes",
        "comments_part_missing", "entities_in_content_types"}) {
    const std::string output = path(std::string(name) + "-review.xlsx");
    const CliRun run = runCli("compare '" + path("one.xlsx") + "' '" + path(name) +
                              ".xlsx' --quiet --format xlsx --output '" + output + "'");
    if (run.exitCode == 2) {
      EXPECT_FALSE(fs::exists(output)) << name;
      EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << name << run.output;
      continue;
    }
    EXPECT_EQ(run.exitCode, 1) << name << run.output;
    const CliRun read =
        runCommandLine(std::string(kPython) +
                       " -c \"import sys, openpyxl; b = openpyxl.load_workbook(sys.argv[1]); "
                       "[list(s.iter_rows()) for s in b.worksheets]\" '" +
                       output + "' 2>&1");
    EXPECT_EQ(read.exitCode, 0) << name << read.output;
  }
}

}  // namespace
