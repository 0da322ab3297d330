#include <gtest/gtest.h>

#include <filesystem>

#include "formats/crypto/password_fixtures.h"
#include "formats/workbook_file.h"
#include "formats/xls/encrypted_stream.h"
#include "sheet/password_source.h"
#include "support/cli_runner.h"
#include "support/corpus.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::sheetsAndCells;

TEST(EncryptedXlsCorpusTest, DefaultPasswordFileOpensWithoutAsking) {
  const fs::path path = test::kCorpus / "calamine" / "issue_385.xls";
  if (!fs::exists(path)) GTEST_SKIP() << "the corpus is missing";
  const std::string listing = sheetsAndCells(*readWorkbookFile(path.string()));
  // Its one worksheet holds no cells; the name comes from a record that was encrypted.
  EXPECT_EQ(listing, "sheet Sheet1\n");
  if (test::runCommandLine("/usr/bin/python3 -c 'import msoffcrypto' 2>/dev/null").exitCode != 0)
    GTEST_SKIP() << "python3-msoffcrypto-tool is missing";
  test::TemporaryFolder folder;
  const fs::path plain = folder.path() / "plain.xls";
  ASSERT_EQ(test::runCommandLine("/usr/bin/python3 -m msoffcrypto -p VelvetSweatshop '" +
                                 path.string() + "' '" + plain.string() + "'")
                .exitCode,
            0);
  EXPECT_EQ(listing, sheetsAndCells(*readWorkbookFile(plain.string())));
}

std::string record(std::uint16_t type, const std::string& data) {
  std::string bytes{char(type & 0xFF), char(type >> 8), char(data.size() & 0xFF),
                    char(data.size() >> 8)};
  return bytes + data;
}

// The message decrypting a stream of a BOF and a FILEPASS record with this data fails with.
std::string filepassFailure(const std::string& filepass) {
  const std::string stream =
      record(0x0809, std::string("\x00\x06\x05\x00", 4) + std::string(12, '\0')) +
      record(0x002F, filepass) + record(0x000A, "");
  xls::MemorySource source(stream);
  try {
    xls::decryptedWorkbookStream(source, "book.xls", ReadOptions{});
    return "";
  } catch (const WorkbookError& error) {
    return error.what();
  }
}

TEST(EncryptedXlsTest, UnreadableEncryptionRecordsAreNamed) {
  const struct {
    const char* name;
    std::string filepass;
    const char* reason;
  } cases[] = {
      {"XOR cut short", std::string("\x00\x00\x12\x34\x56", 5), "cut short"},
      {"unknown kind", std::string("\x07\x00", 2), "unknown encryption"},
      {"unknown version", std::string("\x01\x00\x09\x00\x01\x00", 6), "unknown version"},
      {"RC4 cut short", std::string("\x01\x00\x01\x00\x01\x00", 6) + std::string(20, 'x'),
       "cut short"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string message = filepassFailure(c.filepass);
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
  }
  // Records whose verifier the default password does not open ask for a password.
  for (const std::string& filepass :
       {std::string("\x01\x00\x01\x00\x01\x00", 6) + std::string(48, 'x'),
        std::string("\x00\x00\x12\x34\x56\x78", 6)})
    EXPECT_NE(filepassFailure(filepass).find("no password was given for File #1"),
              std::string::npos)
        << filepassFailure(filepass);
}

}  // namespace
}  // namespace quill
