#include "support/corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>

#include "formats/workbook_file.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using ::quill::test::kCorpus;

bool isWorkbookName(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char ch) { return char(std::tolower(ch)); });
  return extension == ".xls" || extension == ".xlsx" || extension == ".xlsm" ||
         extension == ".xlsb" || extension == ".ods";
}

std::vector<std::string> corpusWorkbooks() {
  std::vector<std::string> files;
  std::error_code error;
  if (!fs::is_directory(kCorpus, error)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus, error))
    if (entry.is_regular_file() && isWorkbookName(entry.path()))
      files.push_back(fs::relative(entry.path(), kCorpus).string());
  std::sort(files.begin(), files.end());
  return files;
}

// Files that are damaged or hostile on purpose (issue252.xlsx holds garbled XML, too_small.xls
// is a line of text), and workbooks saved with a password: refusing them is right.
bool mayBeRefused(const std::string& name, const std::string& message) {
  if (message.find("password-protected") != std::string::npos) return true;
  for (const char* hostile : {"OOM_alloc", "issue_594_dos", "corrupted_error", "malformed_format",
                              "issue252", "too_small"})
    if (name.find(hostile) != std::string::npos) return true;
  return false;
}

// Opens a workbook and walks every cell; returns the refusal message, or "" when it opened.
std::string openAndWalk(const fs::path& path) {
  std::unique_ptr<StoredWorkbook> workbook;
  try {
    workbook = readWorkbookFile(path.string());
  } catch (const WorkbookError& error) {
    return error.what();
  }
  for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
    const StoredSheet& sheet = workbook->storedSheet(i);
    const Area used = sheet.usedArea();
    sheet.forEachCell([&](long row, long column, std::string_view text) {
      EXPECT_FALSE(text.empty()) << path << " " << sheet.name();
      EXPECT_TRUE(row >= used.firstRow && row <= used.lastRow && column >= used.firstColumn &&
                  column <= used.lastColumn)
          << path << " " << sheet.name() << " row " << row << " column " << column;
    });
  }
  return "";
}

// The reason of a refusal without the file's name, so that refusals can be counted by reason.
std::string reasonOf(const std::string& message, const fs::path& path) {
  std::string reason = message;
  const std::string quoted = "\"" + path.string() + "\"";
  if (std::size_t at = reason.find(quoted); at != std::string::npos)
    reason.erase(at, quoted.size());
  while (!reason.empty() && (reason.front() == ' ' || reason.front() == ':')) reason.erase(0, 1);
  return reason;
}

class CorpusWorkbook : public testing::TestWithParam<std::string> {};

TEST_P(CorpusWorkbook, OpensOrFailsWithAOneLineReason) {
  SKIP_WITHOUT_CORPUS();
  const fs::path path = kCorpus / GetParam();
  const std::string message = openAndWalk(path);
  if (message.empty()) return;
  EXPECT_NE(message.find(path.string()), std::string::npos) << message;
  EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  EXPECT_TRUE(mayBeRefused(GetParam(), message)) << "refused: " << message;
}

// Without the corpus one placeholder stands for it, so that its absence shows as a skip.
std::vector<std::string> corpusWorkbooksOrPlaceholder() {
  std::vector<std::string> files = corpusWorkbooks();
  if (files.empty()) files.push_back("absent");
  return files;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusWorkbook, testing::ValuesIn(corpusWorkbooksOrPlaceholder()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name;
                           for (char ch : info.param)
                             name.push_back(std::isalnum(static_cast<unsigned char>(ch)) ? ch
                                                                                         : '_');
                           return name;
                         });

TEST(Corpus, CountsOpenedAndRefusedByReason) {
  SKIP_WITHOUT_CORPUS();
  const std::vector<std::string> files = corpusWorkbooks();
  ASSERT_FALSE(files.empty());
  std::size_t opened = 0;
  std::map<std::string, std::vector<std::string>> refused;
  for (const std::string& file : files) {
    const std::string message = openAndWalk(kCorpus / file);
    if (message.empty())
      ++opened;
    else
      refused[reasonOf(message, kCorpus / file)].push_back(file);
  }
  std::cout << "corpus: " << files.size() << " workbooks, " << opened << " opened, "
            << files.size() - opened << " refused\n";
  for (const auto& [reason, names] : refused) {
    std::cout << "  " << names.size() << " x " << reason << "\n";
    for (const std::string& name : names) std::cout << "      " << name << "\n";
  }
  EXPECT_GT(opened, 0u);
}

}  // namespace
}  // namespace quill
