// The review workbook read back by independent readers: openpyxl lists the "Differences"
// worksheet and every filled cell with its fill and note (compared with a golden listing) and
// finds every value and formula of File #2 where it was; Gnumeric opens it. Saving follows the
// documents' rules: never over an input, nothing left behind on failure, one message.
#include "review/review_workbook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/cli_runner.h"
#include "support/corpus.h"
#include "support/small_tmpfs.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::test::CliRun;
using quill::test::readFile;
using quill::test::runCli;
using quill::test::runCommandLine;

constexpr const char* kPython = "/usr/bin/python3";

// Writes one.xlsx and two.xlsx: changed, emptied and filled cells, a changed formula, a row
// inserted, a column removed, a keyed table sorted otherwise with a changed value and a
// repeated key, a date, a boolean and a sheet only the first has.
constexpr const char* kWritePair = R"(import datetime, openpyxl
for name in ("one", "two"):
    book = openpyxl.Workbook()
    data = book.active
    data.title = "Data"
    rows = [["Item", "Count", "Note"], ["bolt", 12, "x"], ["nut", 7, "y"], ["pin", 3, "z"], ["rod", 9.5, "=2*2" if name == "one" else "=2*3"]]
    if name == "two":
        rows.insert(2, ["washer", 5, "v"])
        rows[1][1] = 13
        rows[3][2] = None
    for row in rows:
        data.append(row)
    data["E1"] = datetime.datetime(2024, 5, 6)
    data["E2"] = True
    wide = book.create_sheet("Wide")
    for row in [["code", "size", "colour"], ["a1", 4, "red"], ["b2", 5, "blue"], ["c3", 6, "green"]]:
        wide.append(row if name == "one" else [row[0], row[2]])
    keys = book.create_sheet("Keys")
    table = [["K1", 1], ["K2", 2], ["K3", 3], ["K4", 4]]
    if name == "two":
        table = [["K4", 4], ["K3", 3], ["K3", 30], ["K2", 20], ["K1", 1]]
    for row in [["Key", "Value"]] + table:
        keys.append(row)
    if name == "one":
        gone = book.create_sheet("Gone")
        for row in [["only", "here"], ["and", "there"]]:
            gone.append(row)
    book.save(name + ".xlsx")
)";

// Prints the listing (from its header row on) and each filled cell, row and column of the
// marked worksheets with its fill and note; with a File #2 .xlsx given, also a line for every
// value or formula of it the review workbook does not hold in the same place.
constexpr const char* kReadReview = R"py(import sys, openpyxl
review = openpyxl.load_workbook(sys.argv[1])
formulas = "formulas" in sys.argv[3:]
def shown(v):
    return "" if v is None else str(v).replace("\n", "\\n")
started = False
for row in review.worksheets[0].iter_rows(values_only=True):
    started = started or row[0] == "Kind"
    if started:
        print("\t".join(shown(v) for v in row).rstrip("\t"))
def solid(fill):
    return fill is not None and fill.fill_type == "solid"
for ws in review.worksheets[1:]:
    for r, dim in sorted(ws.row_dimensions.items()):
        if dim.s and solid(dim.fill):
            print(f"{ws.title}!{r}:{r} {dim.fill.fgColor.rgb[2:]}")
    for c, dim in sorted(ws.column_dimensions.items()):
        if dim.s and solid(dim.fill):
            print(f"{ws.title}!{c}:{c} {dim.fill.fgColor.rgb[2:]}")
    for row in ws.iter_rows():
        for cell in row:
            if solid(cell.fill):
                note = shown(cell.comment.text) if cell.comment else ""
                print(f"{ws.title}!{cell.coordinate} {cell.fill.fgColor.rgb[2:]} {note}".rstrip())
if sys.argv[2] != "-":
    second = openpyxl.load_workbook(sys.argv[2])
    for ws in second.worksheets:
        marked = review[ws.title]
        for row in ws.iter_rows():
            for cell in row:
                value = cell.value
                if isinstance(value, str) and value.startswith("=") and not formulas:
                    continue
                got = marked[cell.coordinate].value
                if value != got:
                    print(f"value differs {ws.title}!{cell.coordinate}: {value!r} {got!r}")
)py";

class ReviewWorkbook : public testing::Test {
 protected:
  void SetUp() override {
    if (runCommandLine(std::string(kPython) + " -c 'import openpyxl' 2>&1").exitCode != 0)
      GTEST_SKIP() << kPython << " with openpyxl is needed to read the review workbook";
    std::ofstream(folder_.path() / "read_review.py") << kReadReview;
  }

  void writePair() {
    std::ofstream(folder_.path() / "write_pair.py") << kWritePair;
    const CliRun written = runCommandLine("cd '" + folder_.path().string() + "' && " + kPython +
                                          " write_pair.py 2>&1");
    ASSERT_EQ(written.exitCode, 0) << written.output;
  }

  std::string path(const std::string& name) const { return (folder_.path() / name).string(); }

  // Compares the files into review.xlsx with the options and gives what the reader prints.
  std::string review(const std::string& file1, const std::string& file2, const std::string& options,
                     const std::string& second = "-") {
    const CliRun run = runCli("compare '" + file1 + "' '" + file2 + "' " + options +
                              " --format xlsx --output '" + path("review.xlsx") + "'");
    EXPECT_NE(run.exitCode, 2) << run.output;
    const bool formulas = options.find("--formulas") != std::string::npos;
    const CliRun read = runCommandLine(std::string(kPython) + " '" + path("read_review.py") +
                                       "' '" + path("review.xlsx") + "' '" + second + "' " +
                                       (formulas ? "formulas" : "") + " 2>&1");
    EXPECT_EQ(read.exitCode, 0) << read.output;
    return read.output;
  }

  void expectGolden(const std::string& listing, const std::string& name) {
    const fs::path golden = fs::path(QUILLMERE_TEST_DATA) / "golden" / "review" / (name + ".txt");
    if (!fs::exists(golden) && std::getenv("QUILLMERE_UPDATE_GOLDEN") != nullptr)
      std::ofstream(golden, std::ios::binary) << listing;
    EXPECT_EQ(listing, readFile(golden)) << name;
    EXPECT_EQ(listing.find("value differs"), std::string::npos) << listing;
  }

  quill::test::TemporaryFolder folder_;
};

TEST_F(ReviewWorkbook, SamplePairMarksEveryListedCell) {
  const fs::path samples = QUILLMERE_SAMPLES;
  expectGolden(review((samples / "sample1.xls").string(), (samples / "sample2.xls").string(), ""),
               "samples");
}

struct ReviewCase {
  const char* name;
  const char* options;
};

class ReviewModes : public ReviewWorkbook, public testing::WithParamInterface<ReviewCase> {};

TEST_P(ReviewModes, MarksAndKeepsFileTwo) {
  writePair();
  expectGolden(review(path("one.xlsx"), path("two.xlsx"), GetParam().options, path("two.xlsx")),
               GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, ReviewModes,
    testing::Values(ReviewCase{"positional", ""}, ReviewCase{"aligned", "--align"},
                    ReviewCase{"formulas", "--align --formulas"},
                    ReviewCase{"keyed", "--sheet1 3 --mode rows --identifying A --match key"},
                    ReviewCase{"keyed_by_position", "--sheet1 3 --mode rows --identifying A"}),
    [](const auto& info) { return std::string(info.param.name); });

// The new workbook written for other formats fills a moved row whole in the moves' colour,
// under the mark of a cell of its own.
TEST_F(ReviewWorkbook, NewWorkbookFillsMovedRowsInTheMovesColour) {
  std::ofstream(path("one.csv")) << "k,v\na,1\nb,2\nc,3\nd,4\ne,5\nf,6\n";
  std::ofstream(path("two.csv")) << "k,v\na,1\nc,3\nd,4\ne,5\nb,2\nf,7\n";
  const std::string read = review(path("one.csv"), path("two.csv"), "--align");
  const std::string fills = read.substr(read.find("\ntwo!") + 1);
  EXPECT_EQ(fills, "two!6:6 FFCC33\ntwo!A6 FFCC33\ntwo!B6 FFCC33\ntwo!B7 FFFF00 FILE1 one!B7: 6\n")
      << read;
}

TEST_F(ReviewWorkbook, GnumericOpensItWithFileTwosValues) {
  if (runCommandLine("command -v ssconvert >/dev/null").exitCode != 0)
    GTEST_SKIP() << "Gnumeric's ssconvert is needed";
  writePair();
  review(path("one.xlsx"), path("two.xlsx"), "--align");
  const CliRun converted =
      runCommandLine("cd '" + folder_.path().string() +
                     "' && ssconvert -S review.xlsx sheet.csv >/dev/null 2>&1 && cat sheet.csv.1");
  ASSERT_EQ(converted.exitCode, 0) << converted.output;
  EXPECT_EQ(converted.output,
            "Item,Count,Note,,2024/05/06\n"
            "bolt,13,x,,TRUE\n"
            "washer,5,v,,\n"
            "nut,7,,,\n"
            "pin,3,z,,\n"
            // Gnumeric calculates the formula File #2 holds without its value.
            "rod,9.5,6,,\n");
}

TEST_F(ReviewWorkbook, NeverReplacesAnInput) {
  writePair();
  const std::string before = readFile(path("two.xlsx"));
  const CliRun run = runCli("compare '" + path("one.xlsx") + "' '" + path("two.xlsx") +
                            "' --format xlsx --output '" + path("two.xlsx") + "'");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.output.find("it is the input file"), std::string::npos) << run.output;
  EXPECT_EQ(readFile(path("two.xlsx")), before);
}

TEST_F(ReviewWorkbook, NeedsAFileAndNotAFolder) {
  for (const char* options : {"--format xlsx", "--format xlsx --out x --output y.xlsx"}) {
    const CliRun run = runCli("compare a.xlsx b.xlsx " + std::string(options));
    EXPECT_EQ(run.exitCode, 2) << options;
    EXPECT_NE(run.output.find("--output"), std::string::npos) << run.output;
  }
}

TEST_F(ReviewWorkbook, FullDiskLeavesNothingAndOneMessage) {
  writePair();
  quill::test::SmallTmpfs disk(16 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small file system needs root";
  // A File #2 with many cells makes a workbook larger than the disk.
  std::ofstream(folder_.path() / "big.py")
      << "import openpyxl\nb = openpyxl.Workbook()\ns = b.active\n"
         "for r in range(3000):\n    s.append([f'text {r} {c}' for c in range(8)])\n"
         "b.save('big.xlsx')\n";
  ASSERT_EQ(
      runCommandLine("cd '" + folder_.path().string() + "' && " + kPython + " big.py").exitCode, 0);
  const fs::path output = disk.path() / "review.xlsx";
  const CliRun run = runCli("compare '" + path("one.xlsx") + "' '" + path("big.xlsx") +
                            "' --quiet --format xlsx --output '" + output.string() + "'");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
  EXPECT_NE(run.output.find(output.string() + "\": No space left on device"), std::string::npos)
      << run.output;
  EXPECT_TRUE(fs::is_empty(disk.path()));
}

}  // namespace

namespace {

TEST_F(ReviewWorkbook, FoldersGetOneWorkbookForEachDifferingPairLinkedFromTheIndex) {
  writePair();
  for (const char* tree : {"first", "second"}) fs::create_directories(folder_.path() / tree);
  fs::copy_file(path("one.xlsx"), path("first/changed.xlsx"));
  fs::copy_file(path("two.xlsx"), path("second/changed.xlsx"));
  fs::copy_file(path("one.xlsx"), path("first/same.xlsx"));
  fs::copy_file(path("one.xlsx"), path("second/same.xlsx"));
  const CliRun run = runCli("compare '" + path("first") + "' '" + path("second") +
                            "' --quiet --format xlsx --out '" + path("out") + "'");
  ASSERT_EQ(run.exitCode, 1) << run.output;
  EXPECT_TRUE(fs::exists(path("out/changed.xlsx/review.xlsx")));
  EXPECT_FALSE(fs::exists(path("out/same.xlsx/review.xlsx")));
  const std::string index = readFile(path("out/index.htm"));
  EXPECT_NE(index.find("href=\"changed.xlsx/review.xlsx\""), std::string::npos) << index;
  EXPECT_EQ(index.find("same.xlsx/review.xlsx"), std::string::npos) << index;
  // The pair's workbook is the one a single comparison writes.
  const std::string single = review(path("one.xlsx"), path("two.xlsx"), "");
  const CliRun read = runCommandLine(std::string(kPython) + " '" + path("read_review.py") + "' '" +
                                     path("out/changed.xlsx/review.xlsx") + "' - 2>&1");
  EXPECT_EQ(read.output, single);
}

// Copies two.xlsx with its workbook part declared as another kind of workbook.
constexpr const char* kRetype = R"py(import sys, zipfile
plain = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"
with zipfile.ZipFile("two.xlsx") as source, zipfile.ZipFile(sys.argv[2], "w") as target:
    for item in source.infolist():
        data = source.read(item.filename)
        if item.filename == "[Content_Types].xml":
            data = data.replace(plain.encode(), sys.argv[1].encode())
        target.writestr(item, data)
)py";

// Each pair's review workbook is named with the extension its content type asks for, and
// the index links it under that name: a marked copy keeps File #2's kind, a new workbook
// is an .xlsx.
TEST_F(ReviewWorkbook, FolderWorkbooksAreNamedAfterTheirContentType) {
  writePair();
  std::ofstream(folder_.path() / "retype.py") << kRetype;
  for (const char* tree : {"first", "second"}) fs::create_directories(folder_.path() / tree);
  struct Case {
    const char* file;
    const char* type;  // File #2's workbook content type; null for a CSV pair
    const char* review;
  };
  const Case cases[] = {
      {"plain.xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml",
       "review.xlsx"},
      {"macro.xlsm", "application/vnd.ms-excel.sheet.macroEnabled.main+xml", "review.xlsm"},
      {"template.xltx",
       "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml",
       "review.xltx"},
      {"macro-template.xltm", "application/vnd.ms-excel.template.macroEnabled.main+xml",
       "review.xltm"},
      {"list.csv", nullptr, "review.xlsx"},
  };
  for (const Case& c : cases) {
    if (c.type == nullptr) {
      std::ofstream(path(std::string("first/") + c.file)) << "a,b\n1,2\n";
      std::ofstream(path(std::string("second/") + c.file)) << "a,b\n1,3\n";
      continue;
    }
    fs::copy_file(path("one.xlsx"), path(std::string("first/") + c.file));
    const CliRun retyped =
        runCommandLine("cd '" + folder_.path().string() + "' && " + kPython + " retype.py '" +
                       c.type + "' 'second/" + c.file + "' 2>&1");
    ASSERT_EQ(retyped.exitCode, 0) << retyped.output;
  }
  const CliRun run = runCli("compare '" + path("first") + "' '" + path("second") +
                            "' --quiet --format xlsx --out '" + path("out") + "'");
  ASSERT_EQ(run.exitCode, 1) << run.output;
  const std::string index = readFile(path("out/index.htm"));
  for (const Case& c : cases) {
    const std::string written = std::string("out/") + c.file + "/" + c.review;
    ASSERT_TRUE(fs::exists(path(written))) << written;
    EXPECT_EQ(std::distance(fs::directory_iterator(path(std::string("out/") + c.file)),
                            fs::directory_iterator()),
              3)
        << c.file;
    EXPECT_NE(index.find("href=\"" + std::string(c.file) + "/" + c.review + "\""),
              std::string::npos)
        << index;
    if (c.type == nullptr) continue;
    const CliRun read =
        runCommandLine(std::string(kPython) +
                       " -c \"import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).read("
                       "'[Content_Types].xml').decode().count(sys.argv[2]))\" '" +
                       path(written) + "' '" + c.type + "' 2>&1");
    EXPECT_EQ(read.output, "1\n") << c.file;
  }
}

TEST_F(ReviewWorkbook, FoldersTakeNoOutputFile) {
  const CliRun run = runCli("compare '" + folder_.path().string() + "' '" +
                            folder_.path().string() + "' --format xlsx --output x.xlsx");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.output.find("--output is not used with folders"), std::string::npos) << run.output;
}

}  // namespace

namespace {

// Takes the command line as pairs of a File #2 and its review workbook and prints the review
// workbooks openpyxl refuses, leaving out those whose File #2 it refuses as well: what openpyxl
// cannot read in the original (an oversized dimension, a part it does not know) is no fault of
// the marking. Memory is capped, since openpyxl fills every cell of a sheet's dimension, and
// its warnings (a note on a merged cell, say) are no refusals.
constexpr const char* kOpenAll = R"py(import resource, sys, warnings, openpyxl
warnings.simplefilter("ignore")
resource.setrlimit(resource.RLIMIT_AS, (3 << 30, 3 << 30))
def refusal(name):
    try:
        book = openpyxl.load_workbook(name)
        for sheet in book.worksheets:
            for row in sheet.iter_rows():
                pass
    except Exception as error:
        return type(error).__name__ + " " + str(error)
    return None
for original, review in zip(sys.argv[1::2], sys.argv[2::2]):
    problem = refusal(review)
    if problem is not None and refusal(original) is None:
        print(review, problem)
)py";

// A marked copy of a macro-enabled File #2 stays macro-enabled, so --output must name it as
// such: another name is refused before anything is written, the fitting one is written.
TEST_F(ReviewWorkbook, MacroEnabledCopyNeedsItsOwnExtension) {
  writePair();
  std::ofstream(folder_.path() / "retype.py") << kRetype;
  const CliRun retyped = runCommandLine(
      "cd '" + folder_.path().string() + "' && " + kPython +
      " retype.py 'application/vnd.ms-excel.sheet.macroEnabled.main+xml' 'macro.xlsm' 2>&1");
  ASSERT_EQ(retyped.exitCode, 0) << retyped.output;
  const auto compareInto = [&](const std::string& output) {
    return runCli("compare '" + path("one.xlsx") + "' '" + path("macro.xlsm") +
                  "' --quiet --format xlsx --output '" + path(output) + "'");
  };
  const CliRun refused = compareInto("review.xlsx");
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(std::count(refused.output.begin(), refused.output.end(), '\n'), 1) << refused.output;
  EXPECT_NE(refused.output.find("ending in .xlsm"), std::string::npos) << refused.output;
  EXPECT_FALSE(fs::exists(path("review.xlsx")));
  EXPECT_EQ(compareInto("review.xlsm").exitCode, 1);
  EXPECT_TRUE(fs::exists(path("review.xlsm")));
}

// The extension the review workbook of File #2 takes; .xlsx when File #2 cannot be read, which
// the comparison then reports.
std::string extensionOf(const fs::path& second) {
  try {
    return fs::path(quill::reviewFileName(second)).extension().string();
  } catch (const std::exception&) {
    return ".xlsx";
  }
}

// Every workbook of the corpus, hostile ones included, as File #2 against a sample: the
// review workbook is one openpyxl reads, or there is none and one error line.
TEST_F(ReviewWorkbook, CorpusWorkbooksGiveReadableWorkbooksOrOneError) {
  SKIP_WITHOUT_CORPUS();
  const std::string first = (fs::path(QUILLMERE_SAMPLES) / "sample1.xls").string();
  std::string written;
  int n = 0;
  for (const auto& entry : fs::recursive_directory_iterator(quill::test::kCorpus)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || extension == ".md" || extension == ".txt") continue;
    const std::string output = path("review" + std::to_string(++n) + extensionOf(entry.path()));
    const CliRun run = runCli("compare '" + first + "' '" + entry.path().string() +
                              "' --quiet --format xlsx --output '" + output + "'");
    if (run.exitCode == 2) {
      EXPECT_FALSE(fs::exists(output)) << entry.path();
      EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << entry.path() << "\n"
                                                                           << run.output;
    } else {
      EXPECT_TRUE(fs::exists(output)) << entry.path() << "\n" << run.output;
      written += " '" + entry.path().string() + "' '" + output + "'";
    }
  }
  std::ofstream(folder_.path() / "open_all.py") << kOpenAll;
  const CliRun read =
      runCommandLine(std::string(kPython) + " '" + path("open_all.py") + "'" + written + " 2>&1");
  EXPECT_EQ(read.exitCode, 0);
  EXPECT_EQ(read.output, "");
}

}  // namespace
