#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "formats/crypto/password_fixtures.h"
#include "formats/crypto/test_encryptor.h"
#include "formats/macros/macro_modules.h"
#include "formats/workbook_file.h"
#include "support/cli_runner.h"
#include "support/corpus.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kOracle = fs::path(QUILLMERE_TEST_DATA) / "macros" / "independent_macro_reader.py";
const fs::path kVbaBook = test::kCorpus / "calamine" / "vba.xlsm";

bool oraclePresent() {
  return test::runCommandLine("/usr/bin/python3 -c 'import olefile' 2>/dev/null").exitCode == 0;
}

std::string fromHex(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

// The modules as "name" lines each followed by its source, to compare two reads at a glance.
std::string listing(const std::vector<MacroModule>& modules) {
  std::string text;
  for (const MacroModule& module : modules) text += "== " + module.name + "\n" + module.source;
  return text;
}

// The modules the independent reader finds in each file, in the order given; nullopt for a
// file it cannot read.
std::vector<std::optional<std::vector<MacroModule>>> oracleModules(
    const std::vector<fs::path>& paths) {
  std::string command = "/usr/bin/python3 '" + kOracle.string() + "'";
  for (const fs::path& path : paths) command += " '" + path.string() + "'";
  const test::CliRun run = test::runCommandLine(command + " 2>/dev/null");
  EXPECT_EQ(run.exitCode, 0);
  std::vector<std::optional<std::vector<MacroModule>>> files;
  std::istringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    if (line == "file read") {
      files.emplace_back(std::vector<MacroModule>{});
    } else if (line == "file unreadable") {
      files.emplace_back(std::nullopt);
    } else if (!files.empty() && files.back()) {
      const std::size_t space = line.find(' ');
      files.back()->push_back({fromHex(line.substr(0, space)), fromHex(line.substr(space + 1))});
    }
  }
  return files;
}

ReadOptions withMacros() {
  ReadOptions options;
  options.contents.macros = true;
  return options;
}

TEST(CorpusMacroModules, EveryProjectReadsAsTheIndependentReaderReadsIt) {
  SKIP_WITHOUT_CORPUS();
  if (!oraclePresent()) GTEST_SKIP() << "python3-olefile is missing";
  std::vector<fs::path> paths;
  for (const auto& entry : fs::recursive_directory_iterator(test::kCorpus)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".xls" || extension == ".xlsm" || extension == ".xlsb")
      paths.push_back(entry.path());
  }
  const auto expected = oracleModules(paths);
  ASSERT_EQ(expected.size(), paths.size());
  int projects = 0;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!expected[i]) continue;
    SCOPED_TRACE(paths[i].string());
    try {
      EXPECT_EQ(listing(readMacroModules(paths[i].string(), ReadOptions{})), listing(*expected[i]));
    } catch (const MacroProjectError& error) {
      ADD_FAILURE() << error.what();
    } catch (const WorkbookError&) {
      EXPECT_TRUE(expected[i]->empty()) << "a file with a macro project refused as a workbook";
    }
    projects += expected[i]->empty() ? 0 : 1;
  }
  EXPECT_GE(projects, 7);
}

TEST(CorpusMacroModules, WorkbookReadWithMacrosHoldsThemAndOnlyThen) {
  SKIP_WITHOUT_CORPUS();
  const auto plain = readWorkbookFile(kVbaBook.string());
  EXPECT_FALSE(plain->contents().read.macros);
  EXPECT_TRUE(plain->contents().macros.empty());
  const auto book = readWorkbookFile(kVbaBook.string(), withMacros());
  EXPECT_TRUE(book->contents().read.macros);
  EXPECT_EQ(book->contents().macroProblem, "");
  EXPECT_EQ(listing(book->contents().macros),
            listing(readMacroModules(kVbaBook.string(), ReadOptions{})));
  EXPECT_NE(listing(book->contents().macros).find("MsgBox \"Hello from vba!\"\n"),
            std::string::npos);
  for (const char* name : {"issues.xlsx", "issues.ods", "date.xls"}) {
    SCOPED_TRACE(name);
    const auto other = readWorkbookFile((test::kCorpus / "calamine" / name).string(), withMacros());
    EXPECT_TRUE(other->contents().read.macros);
    EXPECT_TRUE(other->contents().macros.empty());
    EXPECT_EQ(other->contents().macroProblem, "");
  }
}

TEST(CorpusMacroModules, DamagedProjectIsOneLineAndTheCellsAreStillRead) {
  SKIP_WITHOUT_CORPUS();
  if (!oraclePresent()) GTEST_SKIP() << "python3-olefile is missing";
  test::TemporaryFolder folder;
  const fs::path damaged = folder.path() / "damaged.xls";
  fs::copy_file(test::kCorpus / "calamine" / "issues.xls", damaged);
  // The module stream keeps its size with its bytes overwritten, so only the project breaks.
  const test::CliRun run = test::runCommandLine(
      "/usr/bin/python3 -c 'import olefile, sys\n"
      "ole = olefile.OleFileIO(sys.argv[1], write_mode=True)\n"
      "name = \"_VBA_PROJECT_CUR/VBA/testVBA\"\n"
      "ole.write_stream(name, bytes([0xEE]) * ole.get_size(name))' '" +
      damaged.string() + "' 2>&1");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto book = readWorkbookFile(damaged.string(), withMacros());
  EXPECT_TRUE(book->contents().macros.empty());
  const std::string& problem = book->contents().macroProblem;
  EXPECT_NE(problem.find("module \"testVBA\""), std::string::npos) << problem;
  EXPECT_NE(problem.find(damaged.string()), std::string::npos) << problem;
  EXPECT_EQ(problem.find('\n'), std::string::npos);
  EXPECT_EQ(test::sheetsAndCells(*book),
            test::sheetsAndCells(
                *readWorkbookFile((test::kCorpus / "calamine" / "issues.xls").string())));
}

TEST(CorpusMacroModules, DamagedProjectPartIsTheProjectsProblemAlone) {
  SKIP_WITHOUT_CORPUS();
  test::TemporaryFolder folder;
  const fs::path damaged = folder.path() / "damaged.xlsm";
  // Bytes in the middle of the stored project part are overwritten: its inflation or
  // checksum fails, while the parts of the workbook stay whole.
  const test::CliRun run = test::runCommandLine(
      "/usr/bin/python3 -c 'import sys, zipfile\n"
      "data = bytearray(open(sys.argv[1], \"rb\").read())\n"
      "info = zipfile.ZipFile(sys.argv[1]).getinfo(\"xl/vbaProject.bin\")\n"
      "start = info.header_offset + 30 + len(info.filename) + len(info.extra)\n"
      "middle = start + info.compress_size // 2\n"
      "data[middle:middle + 64] = bytes(64)\n"
      "open(sys.argv[2], \"wb\").write(data)' '" +
      kVbaBook.string() + "' '" + damaged.string() + "' 2>&1");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto book = readWorkbookFile(damaged.string(), withMacros());
  EXPECT_TRUE(book->contents().macros.empty());
  EXPECT_NE(book->contents().macroProblem.find("the part xl/vbaProject.bin"), std::string::npos)
      << book->contents().macroProblem;
  EXPECT_EQ(test::sheetsAndCells(*book), test::sheetsAndCells(*readWorkbookFile(kVbaBook)));
}

TEST(CorpusMacroModules, PackageProjectIsFoundThroughTheWorkbooksRelationship) {
  SKIP_WITHOUT_CORPUS();
  test::TemporaryFolder folder;
  const fs::path moved = folder.path() / "moved.xlsm";
  // The project moves out of xl/, and a damaged part takes its usual place.
  const test::CliRun run = test::runCommandLine(
      "/usr/bin/python3 -c 'import sys, zipfile\n"
      "source = zipfile.ZipFile(sys.argv[1])\n"
      "with zipfile.ZipFile(sys.argv[2], \"w\") as target:\n"
      "    for name in source.namelist():\n"
      "        data = source.read(name)\n"
      "        if name == \"xl/vbaProject.bin\":\n"
      "            target.writestr(\"macros/code.bin\", data)\n"
      "            data = b\"damaged\"\n"
      "        if name == \"xl/_rels/workbook.xml.rels\":\n"
      "            data = data.replace(b\"\\\"vbaProject.bin\", b\"\\\"../macros/code.bin\")\n"
      "        target.writestr(name, data)' '" +
      kVbaBook.string() + "' '" + moved.string() + "' 2>&1");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(listing(readMacroModules(moved.string(), ReadOptions{})),
            listing(readMacroModules(kVbaBook.string(), ReadOptions{})));
}

TEST(CorpusMacroModules, EncryptedPackageGivesTheModulesOfItsPlainTwinAskingOnce) {
  SKIP_WITHOUT_CORPUS();
  test::TemporaryFolder folder;
  const fs::path encrypted = folder.path() / "vba.xlsm";
  test::writeEncryptedPackage(
      encrypted, test::fileBytes(kVbaBook), "pw",
      {.hash = crypto::HashAlgorithm::Sha1, .keyBytes = 16, .spinCount = 10});
  test::ListedPasswords passwords({"pw"});
  ReadOptions options = withMacros();
  options.passwords = &passwords;
  const auto book = readWorkbookFile(encrypted.string(), options);
  EXPECT_EQ(passwords.asked, 1);
  test::ListedPasswords again({"pw"});
  options.passwords = &again;
  EXPECT_EQ(listing(readMacroModules(encrypted.string(), options)),
            listing(book->contents().macros));
  EXPECT_EQ(book->contents().macroProblem, "");
  EXPECT_EQ(listing(book->contents().macros),
            listing(readMacroModules(kVbaBook.string(), ReadOptions{})));
}

}  // namespace
}  // namespace quill
