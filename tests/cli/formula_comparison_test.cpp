// Comparing formulas: a formula replaced by its value and a reference moved to another sheet
// keep every value, so that only a comparison of formulas finds and lists them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

using test::CliRun;
using test::readFile;
using test::runCli;
using test::runCommandLine;
using test::TemporaryFolder;

// Writes first.xlsx and second.xlsx with openpyxl, then gives each formula the value a
// spreadsheet keeps beside it, which openpyxl leaves out.
constexpr const char* kWritePair = R"py(import re, zipfile, openpyxl

def write(path, calc, cached):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Calc"
    for reference, content in calc.items():
        sheet[reference] = content
    book.create_sheet("Other")["A1"] = 3
    book.save(path)
    with zipfile.ZipFile(path) as source:
        parts = {name: source.read(name) for name in source.namelist()}
    xml = parts["xl/worksheets/sheet1.xml"].decode()
    for reference, value in cached.items():
        xml, count = re.subn(r'(<c r="%s"[^>]*><f>[^<]*</f>)(<v\s*/>|<v></v>)?' % reference,
                             r"\g<1><v>%s</v>" % value, xml)
        assert count == 1, reference
    parts["xl/worksheets/sheet1.xml"] = xml.encode()
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as target:
        for name, data in parts.items():
            target.writestr(name, data)

# B1 loses its formula to its value; B2 takes its operand from another sheet, same result.
write("first.xlsx", {"A1": 2, "A2": 3, "B1": "=A1*2", "B2": "=A2+1", "B3": "=SUM(A1:A2)"},
      {"B1": 4, "B2": 4, "B3": 5})
write("second.xlsx", {"A1": 2, "A2": 3, "B1": 4, "B2": "=Other!A1+1", "B3": "=SUM(A1:A2)"},
      {"B2": 4, "B3": 5})
)py";

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(FormulaComparison, OnlyTheFormulaSwitchListsCellsWhoseFormulasAloneDiffer) {
  TemporaryFolder folder;
  const std::string dir = folder.path().string();
  std::ofstream(folder.path() / "write_pair.py") << kWritePair;
  const CliRun written = runCommandLine("cd '" + dir + "' && /usr/bin/python3 write_pair.py 2>&1");
  ASSERT_EQ(written.exitCode, 0) << written.output;
  const std::string pair = "'" + dir + "/first.xlsx' '" + dir + "/second.xlsx'";

  const CliRun values = runCli("compare " + pair + " --out '" + dir + "/values'");
  EXPECT_EQ(values.exitCode, 0) << values.output;

  const CliRun formulas = runCli("compare " + pair + " --formulas --out '" + dir + "/formulas'");
  EXPECT_EQ(formulas.exitCode, 1) << formulas.output;
  const std::string report = readFile(folder.path() / "formulas" / "report.htm");
  EXPECT_EQ(occurrences(report, "Different formula"), 2u) << report;
  EXPECT_NE(report.find(">Calc!B1</a></td><td>=A1*2</td><td></td>"), std::string::npos) << report;
  EXPECT_NE(report.find(">Calc!B2</a></td><td>=A2+1</td><td>=Other!A1+1</td>"), std::string::npos)
      << report;
  const std::string grid = readFile(folder.path() / "formulas" / "visualized.htm");
  EXPECT_EQ(occurrences(grid, "<td class='formula'"), 2u) << grid;
}

}  // namespace
}  // namespace quill
