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

// Prints, for each rendering, its count and its differences as "SHEET!CELL" (the first file's
// place where it has one), one line each, headed by the format's name.
constexpr const char* kListDifferences = R"py(import csv, json, re, sys
folder = sys.argv[1]
def show(name, count, places):
    print(name, count)
    for place in places:
        print(" ", place)
report = open(folder + "/report.htm", encoding="utf-8", errors="replace").read()
anchors = re.findall(r'href="visualized\.htm#([^"]*)"', report)
show("html", len(anchors), anchors)
lines = open(folder + "/result.txt", encoding="utf-8").read().split("\n")
listed = [m.group(1) for m in (re.match(r"^(\S+![A-Z]+[0-9]+)(?: / \S+)?: (?!sheet )", l) for l in lines) if m]
total = [l for l in lines if l.startswith("Total: ")][0]
show("text", int(re.search(r"([0-9]+) differences?", total).group(1)), listed)
records = list(csv.DictReader(open(folder + "/result.csv", encoding="utf-8", newline="")))
cells = [r for r in records if r["kind"] in ("different value", "missing in FILE1", "missing in FILE2", "different formula")]
place = lambda s1, c1, s2, c2: s1 + "!" + c1 if c1 else s2 + "!" + c2
totals = [r for r in records if r["kind"] == "total"]
show("csv", int(totals[0]["differences"]), [place(r["sheet1"], r["cell1"], r["sheet2"], r["cell2"]) for r in cells])
document = json.load(open(folder + "/result.json", encoding="utf-8"))
items = [(p, d) for c in document["comparisons"] for p in c["sheetPairs"] for d in p["differences"]]
show("json", document["total"]["differences"], [place(p["sheet1"] or "", d["cell1"] or "", p["sheet2"] or "", d["cell2"] or "") for p, d in items])
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
  const CliRun listed = runCommandLine(std::string(kPython) + " '" + (folder / "list.py").string() +
                                       "' '" + folder.string() + "' 2>&1");
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
  std::ofstream(folder.path() / "write_pair.py") << kWritePair;
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
                                  "2 differences in 1 of 1 sheet\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
