#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "formats/crypto/password_fixtures.h"
#include "formats/crypto/test_encryptor.h"
#include "formats/workbook_file.h"
#include "sheet/password_source.h"
#include "support/cli_runner.h"
#include "support/corpus.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using crypto::HashAlgorithm;
using test::EncryptorSettings;
using test::ListedPasswords;
using test::sheetsAndCells;

const fs::path kPlainBook = fs::path(QUILLMERE_TEST_DATA) / "cross" / "several_sheets.xlsx";

std::string readWith(const fs::path& path, PasswordSource* passwords) {
  ReadOptions options;
  options.passwords = passwords;
  return sheetsAndCells(*readWorkbookFile(path.string(), options));
}

// The message reading the file fails with; "" when it opens.
std::string failureOf(const fs::path& path, PasswordSource* passwords) {
  try {
    readWith(path, passwords);
    return "";
  } catch (const WorkbookError& error) {
    return error.what();
  }
}

bool independentDecryptorPresent() {
  return test::runCommandLine("/usr/bin/python3 -c 'import msoffcrypto' 2>/dev/null").exitCode == 0;
}

// Decrypts with the independent implementation; false when it refuses.
bool decryptIndependently(const fs::path& from, const fs::path& to, const std::string& password) {
  return test::runCommandLine("/usr/bin/python3 -m msoffcrypto -p '" + password + "' '" +
                              from.string() + "' '" + to.string() + "' 2>/dev/null")
             .exitCode == 0;
}

struct EncryptionCase {
  const char* name;
  EncryptorSettings settings;
};

const EncryptionCase kEncryptions[] = {
    {"agile AES-256 SHA-512", {.agile = true, .hash = HashAlgorithm::Sha512, .keyBytes = 32}},
    {"agile AES-128 SHA-1",
     {.agile = true, .hash = HashAlgorithm::Sha1, .keyBytes = 16, .spinCount = 5000}},
    {"agile AES-192 SHA-256",
     {.agile = true, .hash = HashAlgorithm::Sha256, .keyBytes = 24, .spinCount = 5000}},
    {"agile AES-256 SHA-384",
     {.agile = true, .hash = HashAlgorithm::Sha384, .keyBytes = 32, .spinCount = 5000}},
    {"standard AES-128 SHA-1", {.agile = false, .keyBytes = 16}},
};

TEST(EncryptedPackageTest, EachEncryptionOpensWithTheCellsOfThePlainWorkbook) {
  test::TemporaryFolder folder;
  const std::string plain = readWith(kPlainBook, nullptr);
  for (const EncryptionCase& encryption : kEncryptions) {
    SCOPED_TRACE(encryption.name);
    const fs::path path = folder.path() / "book.xlsx";
    test::writeEncryptedPackage(path, test::fileBytes(kPlainBook), "Sésame 123",
                                encryption.settings);
    ListedPasswords passwords({"Sésame 123"});
    EXPECT_EQ(readWith(path, &passwords), plain);
  }
}

TEST(EncryptedPackageTest, TheIndependentDecryptorOpensWhatTheTestEncryptorWrites) {
  if (!independentDecryptorPresent()) GTEST_SKIP() << "python3-msoffcrypto-tool is missing";
  test::TemporaryFolder folder;
  const std::string package = test::fileBytes(kPlainBook);
  for (const EncryptionCase& encryption : kEncryptions) {
    SCOPED_TRACE(encryption.name);
    // Debian's python3-msoffcrypto-tool 5.0 refuses these 192-bit AES keys; the reader takes
    // them (the test above).
    if (encryption.settings.keyBytes == 24) continue;
    test::writeEncryptedPackage(folder.path() / "book.xlsx", package, "pw", encryption.settings);
    ASSERT_TRUE(
        decryptIndependently(folder.path() / "book.xlsx", folder.path() / "out.xlsx", "pw"));
    EXPECT_EQ(test::fileBytes(folder.path() / "out.xlsx"), package);
  }
}

TEST(EncryptedPackageTest, CorpusFileOpensAsTheIndependentDecryptorReadsIt) {
  const fs::path path = test::kCorpus / "calamine" / "pass_protected.xlsx";
  if (!fs::exists(path)) GTEST_SKIP() << "the corpus is missing";
  ListedPasswords passwords({"123"});
  const std::string listing = readWith(path, &passwords);
  if (!independentDecryptorPresent()) GTEST_SKIP() << "python3-msoffcrypto-tool is missing";
  test::TemporaryFolder folder;
  ASSERT_TRUE(decryptIndependently(path, folder.path() / "plain.xlsx", "123"));
  EXPECT_EQ(listing, readWith(folder.path() / "plain.xlsx", nullptr));
}

TEST(EncryptedPackageTest, MissingEmptyAndWrongPasswordsEachHaveTheirMessage) {
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "book.xlsx";
  test::writeEncryptedPackage(path, test::fileBytes(kPlainBook), "right",
                              {.hash = HashAlgorithm::Sha1, .keyBytes = 16, .spinCount = 10});
  const auto problemOf = [&](PasswordSource* source) -> std::optional<PasswordProblem> {
    try {
      readWith(path, source);
    } catch (const PasswordError& error) {
      EXPECT_EQ(std::string(error.what()).find("right"), std::string::npos);
      EXPECT_NE(std::string(error.what()).find("File #1"), std::string::npos) << error.what();
      return error.problem();
    }
    return std::nullopt;
  };
  ListedPasswords empty({""}), wrong({"wrong"}), nothing({});
  EXPECT_EQ(problemOf(nullptr), PasswordProblem::Missing);
  EXPECT_EQ(problemOf(&nothing), PasswordProblem::Missing);
  EXPECT_EQ(problemOf(&empty), PasswordProblem::Empty);
  EXPECT_EQ(problemOf(&wrong), PasswordProblem::Wrong);
  EXPECT_NE(failureOf(path, &wrong).find("the password for File #1 is wrong"), std::string::npos);

  // A source that can ask again is asked until a password opens the file.
  ListedPasswords secondTry({"wrong", "right"});
  EXPECT_EQ(failureOf(path, &secondTry), "");
  EXPECT_EQ(secondTry.asked, 2);
}

struct HostileCase {
  const char* name;
  EncryptorSettings settings;
  const char* reason;
};

void replaceIn(std::string& text, std::string_view from, std::string_view to) {
  text.replace(text.find(from), from.size(), to);
}

TEST(EncryptedPackageTest, HostileFilesEndInOneLineQuickly) {
  const HostileCase cases[] = {
      {"a billion rounds", {.spinCount = 10, .declaredSpinCount = 1000000000}, "1000000000 rounds"},
      {"package cut short",
       {.spinCount = 10, .tamper = [](std::string&, std::string& p) { p.resize(p.size() - 4096); }},
       "shorter than it states"},
      {"package changed",
       {.spinCount = 10, .tamper = [](std::string&, std::string& p) { p[100] ^= 1; }},
       "integrity check fails"},
      {"size beyond the data",
       {.spinCount = 10, .tamper = [](std::string&, std::string& p) { p[7] = '\x7f'; }},
       "shorter than it states"},
      {"no whole block",
       {.spinCount = 10, .tamper = [](std::string&, std::string& p) { p.pop_back(); }},
       "whole block"},
      {"key size out of range",
       {.spinCount = 10,
        .tamper = [](std::string& i,
                     std::string&) { replaceIn(i, "keyBits=\"256\"", "keyBits=\"4096\""); }},
       "keyBits"},
      {"broken base64",
       {.spinCount = 10,
        .tamper = [](std::string& i,
                     std::string&) { replaceIn(i, "saltValue=\"", "saltValue=\"*"); }},
       "base64"},
      {"information cut short",
       {.agile = false,
        .keyBytes = 16,
        .tamper = [](std::string& i, std::string&) { i.resize(60); }},
       "cut short"},
      {"unknown version",
       {.spinCount = 10, .tamper = [](std::string& i, std::string&) { i[0] = 9; }},
       "unknown version"},
  };
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "hostile.xlsx";
  for (const HostileCase& hostile : cases) {
    SCOPED_TRACE(hostile.name);
    test::writeEncryptedPackage(path, test::fileBytes(kPlainBook), "pw", hostile.settings);
    ListedPasswords passwords({"pw"});
    const auto start = std::chrono::steady_clock::now();
    const std::string message = failureOf(path, &passwords);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_NE(message.find(hostile.reason), std::string::npos) << message;
    EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace quill
