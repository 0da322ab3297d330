// The same comparison written as the two documents and in each script format lists the
// same differences, in the same order, and counts them alike: the sample pair, and a made
// pair with every kind of difference the comparisons give, in each mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::test::CliRun;
using quill::test::runCli;
using quill::test::runCommandLine;

constexpr const char* kPython = "/usr/bin/python3";

// Writes one.xlsx and two.xlsx: changed, emptied and filled cells, a changed formula, a keyed
// table whose key changed in one row, and a worksheet only the first has.
constexpr const char* kWritePair = R"(import openpyxl
for name in ("one", "two"):
    book = openpyxl.Workbook()
    data = book.active
    data.title = "Data"
    rows = [["Item", "Count", "Note"], ["bolt", 12, "x"], ["nut", 7, None], ["pin", 3, "a, \"b\""]]
    if name == "two":
        rows[1][1] = 13
        rows[1][2] = None
        rows[2][2] = "new\ttext"
        rows[3][0] = "Pin"
    for row in rows:
        data.append(row)
    data["E1"] = "=B2*2" if name == "one" else "=B2*3"
    keys = book.create_sheet("Keys")
    for row in [["Key", "Value"], ["K1", 1], ["K2" if name == "one" else "K9", 2], ["K3", 3]]:
        keys.append(row)
    if name == "one":
        book.create_sheet("Gone")["A1"] = "only here"
    book.save(name + ".xlsx")
)";

// Writes one.xlsx and two.xlsx for the aligned and keyed comparisons: a row inserted and a
// value and a formula changed, a column removed, a sheet renamed, a keyed table sorted
// otherwise with a changed value and a repeated key, and a sheet only the first has.
constexpr const char* kWriteAlignedPair = R"(import openpyxl
for name in ("one", "two"):
    book = openpyxl.Workbook()
    data = book.active
    data.title = "Data"
    rows = [["Item", "Count", "Note"], ["bolt", 12, "x"], ["nut", 7, "y"], ["pin", 3, "z"], ["rod", 9, "=2*2" if name == "one" else "=2*3"]]
    if name == "two":
        rows.insert(2, ["washer", 5, "v"])
        rows[1][1] = 13
    for row in rows:
        data.append(row)
    wide = book.create_sheet("Wide")
    for row in [["code", "size", "colour"], ["a1", 4, "red"], ["b2", 5, "blue"], ["c3", 6, "green"]]:
        wide.append(row if name == "one" else [row[0], row[2]])
    renamed = book.create_sheet("Old" if name == "one" else "New")
    for row in [["alpha", 1], ["beta", 2], ["gamma", 3], ["delta", 4]]:
        renamed.append(row)
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

// Writes one.xlsx and two.xlsx whose sheets are the same but that the second moves one sheet
// to the end and renames another.
constexpr const char* kWriteMovedPair = R"(import openpyxl
for name, order in (("one", ["Alpha", "Beta", "Gamma"]), ("two", ["Beta", "Gamma", "Alpha"])):
    book = openpyxl.Workbook()
    book.remove(book.active)
    for s in order:
        sheet = book.create_sheet(s if not (name == "two" and s == "Gamma") else "Gamma2")
        for i in range(4):
            sheet.append([s + str(i), i * len(s)])
    book.save(name + ".xlsx")
)";

// Prints, for each rendering, its count and its items, one line each, headed by the format's
// name: a cell as "cell SHEET!CELL" (the first file's place where it has one), a whole row or
// column, a repeated key and (with "aligned") a sheet change by its kind and the documents'
// link, such as "row added Data!+3:3", "duplicate key Keys!@4" or "sheet renamed Old!".
constexpr const char* kListDifferences = R"py(import csv, json, re, sys
folder = sys.argv[1]
sheets_listed = len(sys.argv) > 2 and sys.argv[2] == "aligned"
def show(name, count, items):
    print(name, count)
    for item in items:
        print(" ", item)
whole = ("row added", "row removed", "column added", "column removed", "duplicate key",
         "row moved", "column moved")
def place(kind, sheet, where):
    if kind == "duplicate key":
        return kind + " " + sheet + "!@" + where
    return kind + " " + sheet + "!" + ("+" if kind.endswith("added") else "") + where + ":" + where
report = open(folder + "/report.htm", encoding="utf-8", errors="replace").read()
items, notes = [], 0
for m in re.finditer(r'href="visualized\.htm#([^"]*)"', report):
    row = report[report.rfind("<tr", 0, m.start()):m.start()]
    caption = re.findall(r"<td align=left>([^<]*)</td>", row)
    kind = caption[0].lower() if caption else ""
    notes += kind == "duplicate key"
    link = m.group(1)
    if moved := re.match(r"^(.*)!([^%]+)%3E", link):  # a move's link names both places
        link = place(kind, moved.group(1), moved.group(2))[len(kind) + 1:]
    items.append((kind if kind in whole or kind.startswith("sheet ") else "cell") + " " + link)
show("html", len(items) - notes, items)
lines = open(folder + "/result.txt", encoding="utf-8").read().split("\n")
items = []
for line in lines:
    if m := re.match(r"^(\S+![A-Z]+[0-9]+)(?: / \S+)?: (?!sheet )", line):
        items.append("cell " + m.group(1))
    elif m := re.match(r"^(\S+)!([A-Z]+|[0-9]+)(?: / \S+)?: (.*)$", line):
        items.append(place(m.group(3), m.group(1), m.group(2)))
    elif sheets_listed and (m := re.match(r"^(\S+)(?: / \S+)?: sheet (.*)$", line)):
        for standing in m.group(2).split(", "):
            kind = {"only in FILE1": "removed", "only in FILE2": "added"}.get(standing, standing.split(" ")[0])
            items.append("sheet " + kind + " " + m.group(1) + "!")
total = [l for l in lines if l.startswith("Total: ")][0]
show("text", int(re.search(r"([0-9]+) differences?", total).group(1)), items)
records = list(csv.DictReader(open(folder + "/result.csv", encoding="utf-8", newline="")))
items = []
sheet_kinds = {"sheet only in FILE1": "sheet removed", "sheet only in FILE2": "sheet added",
               "sheet renamed": "sheet renamed", "sheet moved": "sheet moved"}
for r in records:
    kind = r["kind"]
    if kind in ("different value", "missing in FILE1", "missing in FILE2", "different formula"):
        items.append("cell " + (r["sheet1"] + "!" + r["cell1"] if r["cell1"] else r["sheet2"] + "!" + r["cell2"]))
    elif kind in whole:
        first = bool(r["cell1"])
        items.append(place(kind, r["sheet1"] if first else r["sheet2"], r["cell1"] if first else r["cell2"]))
    elif kind in sheet_kinds and sheets_listed:
        items.append(sheet_kinds[kind] + " " + (r["sheet1"] or r["sheet2"]) + "!")
totals = [r for r in records if r["kind"] == "total"]
show("csv", int(totals[0]["differences"]), items)
document = json.load(open(folder + "/result.json", encoding="utf-8"))
items = []
for c in document["comparisons"]:
    for p in c["sheetPairs"]:
        name = (p["sheet1"] or p["sheet2"]) + "!"
        if sheets_listed:
            standing = {"file1": ["removed"], "file2": ["added"]}.get(p["onlyIn"]) or \
                [k for k in ("renamed", "moved") if p[k]]
            items += ["sheet " + k + " " + name for k in standing]
        for d in p["differences"]:
            first = d["cell1"] is not None
            sheet, where = (p["sheet1"], d["cell1"]) if first else (p["sheet2"], d["cell2"])
            items.append(place(d["kind"], sheet, where) if d["kind"] in whole else "cell " + sheet + "!" + where)
show("json", document["total"]["differences"], items)
)py";

// The lines kListDifferences printed for one format, its name line included.
std::string section(const std::string& listing, const std::string& format) {
  const std::size_t start = listing.find(format + " ");
  if (start == std::string::npos) return {};
  std::size_t end = start;
  do end = listing.find('\n', end + 1);
  while (end != std::string::npos && end + 1 < listing.size() && listing[end + 1] == ' ');
  return listing.substr(start + format.size(),
                        end == std::string::npos ? std::string::npos : end - start - format.size());
}

// Compares the files with the options in every format into the folder and checks that the
// four renderings agree; gives the listing, and the command line's summary line.
void expectAgreement(const fs::path& folder, const std::string& files, const std::string& options,
                     const std::string& summary) {
  const bool aligned = options.find("--align") != std::string::npos;
  const std::string run = "compare " + files + " " + options;
  const CliRun html = runCli(run + " --quiet --out '" + folder.string() + "'");
  ASSERT_NE(html.exitCode, 2) << html.output;
  EXPECT_EQ(html.output, summary);
  for (const char* format : {"text", "csv", "json"}) {
    const fs::path output =
        folder / ("result." + std::string(format == std::string("text") ? "txt" : format));
    const CliRun script =
        runCli(run + " --format " + format + " --output '" + output.string() + "'");
    EXPECT_EQ(script.exitCode, html.exitCode) << format << ": " << script.output;
    EXPECT_EQ(script.output, summary) << format;
  }
  std::ofstream(folder / "list.py") << kListDifferences;
  const CliRun listed =
      runCommandLine(std::string(kPython) + " '" + (folder / "list.py").string() + "' '" +
                     folder.string() + "' " + (aligned ? "aligned" : "") + " 2>&1");
  ASSERT_EQ(listed.exitCode, 0) << listed.output;
  const std::string html_ = section(listed.output, "html");
  EXPECT_FALSE(html_.empty()) << listed.output;
  for (const char* format : {"text", "csv", "json"})
    EXPECT_EQ(section(listed.output, format), html_) << format << "\n" << listed.output;
}

struct AgreementCase {
  const char* name;
  const char* options;
  const char* summary;
  const char* writer = kWritePair;
};

class FormatAgreement : public testing::TestWithParam<AgreementCase> {};

TEST(FormatAgreement, SamplePair) {
  const fs::path samples = QUILLMERE_SAMPLES;
  ASSERT_TRUE(fs::exists(samples / "sample1.xls")) << "the sample workbooks are missing";
  if (!fs::exists(kPython)) GTEST_SKIP() << "no " << kPython << " to read the renderings";
  const quill::test::TemporaryFolder folder;
  expectAgreement(
      folder.path(),
      "'" + (samples / "sample1.xls").string() + "' '" + (samples / "sample2.xls").string() + "'",
      "", "27 differences in 3 of 3 sheets\n");
}

TEST_P(FormatAgreement, MadePairInEachMode) {
  if (runCommandLine(std::string(kPython) + " -c 'import openpyxl' 2>&1").exitCode != 0)
    GTEST_SKIP() << kPython << " with openpyxl is needed to write the workbooks";
  const quill::test::TemporaryFolder folder;
  std::ofstream(folder.path() / "write_pair.py") << GetParam().writer;
  const CliRun written =
      runCommandLine("cd '" + folder.path().string() + "' && " + kPython + " write_pair.py 2>&1");
  ASSERT_EQ(written.exitCode, 0) << written.output;
  const std::string files = "'" + (folder.path() / "one.xlsx").string() + "' '" +
                            (folder.path() / "two.xlsx").string() + "'";
  expectAgreement(folder.path(), files, GetParam().options, GetParam().summary);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, FormatAgreement,
    testing::Values(AgreementCase{"WholeWorkbooks", "", "6 differences in 3 of 3 sheets\n"},
                    AgreementCase{"AreasAtOtherPlaces", "--sheet1 1 --range1 A1:C3 --range2 A2:C4",
                                  "9 differences in 1 of 1 sheet\n"},
                    AgreementCase{"KeyedRows", "--sheet1 2 --mode rows --identifying A",
                                  "1 difference in 1 of 1 sheet\n"},
                    AgreementCase{"KeyedColumns", "--sheet1 1 --mode columns --identifying 1,2",
                                  "2 differences in 1 of 1 sheet\n"},
                    AgreementCase{"WholeWorkbooksWithFormulas", "--formulas",
                                  "34 differences in 4 of 5 sheets\n", kWriteAlignedPair},
                    AgreementCase{"Aligned", "--align", "10 differences in 5 of 5 sheets\n",
                                  kWriteAlignedPair},
                    AgreementCase{"AlignedWithFormulas", "--align --formulas",
                                  "11 differences in 5 of 5 sheets\n", kWriteAlignedPair},
                    AgreementCase{"KeyedJoin", "--sheet1 4 --mode rows --identifying A --match key",
                                  "2 differences in 1 of 1 sheet\n", kWriteAlignedPair},
                    AgreementCase{"AlignedMovedSheet", "--align",
                                  "2 differences in 2 of 3 sheets\n", kWriteMovedPair},
                    AgreementCase{"AlignedRange", "--sheet1 1 --range1 A1:C6 --align",
                                  "2 differences in 1 of 1 sheet\n", kWriteAlignedPair}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
