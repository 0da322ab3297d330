#include <gtest/gtest.h>

#include <filesystem>

#include "formats/crypto/password_fixtures.h"
#include "formats/crypto/test_encryptor.h"
#include "formats/crypto/xor_obfuscation.h"
#include "formats/workbook_file.h"
#include "formats/xls/compound_file.h"
#include "sheet/password_source.h"
#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::ListedPasswords;
using test::sheetsAndCells;

const fs::path kPlainBooks[] = {fs::path(QUILLMERE_TEST_DATA) / "xls" / "kinds.xls",
                                fs::path(QUILLMERE_TEST_DATA) / "xls" / "kinds_biff5.xls"};

TEST(XorObfuscationTest, KeyAndVerifierFollowThePassword) {
  // Read from the encryption record of a workbook protected with this password.
  const crypto::XorObfuscation xor_ = crypto::xorObfuscation("1950");
  EXPECT_EQ(xor_.key, 0x499A);
  EXPECT_EQ(xor_.verifier, 0xCC61);
  EXPECT_EQ(crypto::xorPasswordBytes("abcdefghijklmnopq"), "abcdefghijklmno");
  EXPECT_EQ(crypto::xorPasswordBytes("\xC4\x80x"), "\x01x");  // U+0100, then x
}

std::uint16_t u16At(const std::string& bytes, std::size_t offset) {
  return std::uint16_t(std::uint8_t(bytes[offset]) | std::uint8_t(bytes[offset + 1]) << 8);
}

void putU16(std::string& bytes, std::size_t offset, std::uint32_t value) {
  bytes[offset] = char(value & 0xFF);
  bytes[offset + 1] = char(value >> 8 & 0xFF);
}

bool staysClear(std::uint16_t type) {
  return type == 0x0809 || type == 0x002F || type == 0x0194 || type == 0x0195 || type == 0x00E1 ||
         type == 0x0196 || type == 0x0138;
}

// Protects a workbook stream with XOR obfuscation as its writers do: a FILEPASS record after
// the first BOF, the sheets' stream positions moved past it, and every record's data after it
// obfuscated but for those that stay in the clear and those positions.
std::string xorObfuscated(std::string stream, bool biff5, const std::string& password) {
  const crypto::XorObfuscation xor_ = crypto::xorObfuscation(password);
  // BIFF8 names the encryption (0, XOR) before the key and verifier; BIFF5 knew no other.
  std::string filepass =
      biff5 ? std::string("\x2F\x00\x04\x00", 4) : std::string("\x2F\x00\x06\x00\x00\x00", 6);
  filepass += std::string(4, '\0');
  putU16(filepass, filepass.size() - 4, xor_.key);
  putU16(filepass, filepass.size() - 2, xor_.verifier);
  const std::size_t from = 4 + u16At(stream, 2) + filepass.size();
  stream.insert(from - filepass.size(), filepass);
  for (std::size_t offset = from; offset + 4 <= stream.size();) {
    const std::uint16_t type = u16At(stream, offset);
    const std::size_t length = u16At(stream, offset + 2);
    std::size_t clear = staysClear(type) ? length : 0;
    if (type == 0x0085) {
      putU16(stream, offset + 4, u16At(stream, offset + 4) + filepass.size());
      clear = 4;
    }
    for (std::size_t at = offset + 4 + clear; at < offset + 4 + length; ++at) {
      const std::uint8_t byte = std::uint8_t(stream[at]);
      stream[at] = char(std::uint8_t(byte << 5 | byte >> 3) ^ xor_.array[(at + length) % 16]);
    }
    offset += 4 + length;
  }
  return stream;
}

// The cells of the file, or the message reading it fails with.
std::string readOutcome(const fs::path& path, PasswordSource* passwords) {
  ReadOptions options;
  options.passwords = passwords;
  try {
    return sheetsAndCells(*readWorkbookFile(path.string(), options));
  } catch (const WorkbookError& error) {
    return std::string("failed: ") + error.what();
  }
}

// Runs for a BIFF8 and a BIFF5 workbook.
class XorObfuscatedXlsTest : public ::testing::TestWithParam<fs::path> {
 protected:
  // Writes a copy of the plain workbook protected with the password, its workbook stream cut
  // to keptBytes.
  fs::path protectedCopy(const std::string& password, std::size_t keptBytes = std::string::npos) {
    xls::WorkbookStream stream = xls::openWorkbookStream(GetParam().string());
    std::string bytes(std::size_t(stream.source->size()), '\0');
    stream.source->read(0, reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    const bool biff5 = stream.kind == xls::StreamKind::Book;
    const fs::path path = folder_.path() / ("book" + std::to_string(++written_) + ".xls");
    test::writeCompoundFile(path, {{biff5 ? "Book" : "Workbook",
                                    xorObfuscated(bytes, biff5, password).substr(0, keptBytes)}});
    return path;
  }
  const std::string plain_ = readOutcome(GetParam(), nullptr);
  test::TemporaryFolder folder_;
  int written_ = 0;
};

TEST_P(XorObfuscatedXlsTest, DefaultPasswordOpensWithoutAsking) {
  ListedPasswords none({});
  EXPECT_EQ(readOutcome(protectedCopy("VelvetSweatshop"), &none), plain_);
  EXPECT_EQ(none.asked, 0);
}

TEST_P(XorObfuscatedXlsTest, GivenPasswordOpensAfterAWrongOne) {
  const fs::path path = protectedCopy("Sesame 42");
  ListedPasswords wrongThenRight({"sesame 42", "Sesame 42"});
  EXPECT_EQ(readOutcome(path, &wrongThenRight), plain_);
  EXPECT_EQ(wrongThenRight.asked, 2);
  ListedPasswords wrong({"sesame 42"});
  EXPECT_EQ(
      readOutcome(path, &wrong),
      "failed: \"" + path.string() + "\" cannot be opened: the password for File #1 is wrong");
}

// Gnumeric opens files under the default password as well; what it converts the protected
// copy to must equal what it converts the plain workbook to.
TEST_P(XorObfuscatedXlsTest, IndependentReaderAgrees) {
  if (!fs::exists("/usr/bin/ssconvert")) GTEST_SKIP() << "Gnumeric's ssconvert is missing";
  const auto converted = [&](const fs::path& from) {
    const fs::path to = folder_.path() / (from.stem().string() + "-converted.xls");
    EXPECT_EQ(test::runCommandLine("/usr/bin/ssconvert -T Gnumeric_Excel:excel_biff8 '" +
                                   from.string() + "' '" + to.string() + "' >/dev/null 2>&1")
                  .exitCode,
              0);
    return readOutcome(to, nullptr);
  };
  EXPECT_EQ(converted(protectedCopy("VelvetSweatshop")), converted(GetParam()));
}

TEST_P(XorObfuscatedXlsTest, CutShortFileGivesOneLine) {
  for (const std::size_t kept : {std::size_t(700), std::size_t(5000)}) {
    SCOPED_TRACE(kept);
    ListedPasswords none({});
    const std::string outcome = readOutcome(protectedCopy("VelvetSweatshop", kept), &none);
    EXPECT_EQ(outcome.rfind("failed: ", 0), 0u) << outcome;
    EXPECT_EQ(outcome.find('\n'), std::string::npos) << outcome;
  }
}

INSTANTIATE_TEST_SUITE_P(BothVersions, XorObfuscatedXlsTest, ::testing::ValuesIn(kPlainBooks),
                         [](const auto& info) { return info.param.stem().string(); });

}  // namespace
}  // namespace quill
