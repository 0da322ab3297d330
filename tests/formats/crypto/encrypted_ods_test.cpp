#include <gtest/gtest.h>

#include <filesystem>

#include "formats/crypto/odf_test_encryptor.h"
#include "formats/crypto/password_fixtures.h"
#include "formats/ods/ods_test_support.h"
#include "formats/workbook_file.h"
#include "sheet/password_source.h"
#include "support/corpus.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using crypto::Cipher;
using crypto::HashAlgorithm;
using test::ListedPasswords;
using test::OdfEncryptorSettings;

const fs::path kPlainBook = fs::path(QUILLMERE_TEST_DATA) / "formulas" / "formulas.ods";

std::string readWith(const fs::path& path, PasswordSource* passwords) {
  ReadOptions options;
  options.passwords = passwords;
  return test::sheetsAndCells(*readWorkbookFile(path.string(), options));
}

// The message reading the file with the password fails with; "" when it opens.
std::string failureOf(const fs::path& path, const std::string& password) {
  ListedPasswords passwords({password});
  try {
    readWith(path, &passwords);
    return "";
  } catch (const WorkbookError& error) {
    return error.what();
  }
}

// A package whose content.xml deflates to less than the checksum's kilobyte.
fs::path writeSmallBook(const fs::path& folder) {
  const fs::path path = folder / "small.ods";
  test::writeOds(path, test::odsContent(R"(<table:table table:name="S"><table:table-row>)"
                                        R"(<table:table-cell office:value-type="float")"
                                        R"( office:value="7"><text:p>7</text:p>)"
                                        R"(</table:table-cell></table:table-row></table:table>)"));
  return path;
}

struct OdsEncryptionCase {
  const char* name;
  OdfEncryptorSettings settings;
};

const OdsEncryptionCase kEncryptions[] = {
    {"AES-256 with a SHA-256 start key", {}},
    {"AES-256 with a SHA-1 start key", {.startKeyHash = HashAlgorithm::Sha1}},
    {"AES-256 checked over the whole part", {.checksumOfFirstKilobyte = false}},
    {"Blowfish with SHA-1", {.cipher = Cipher::Blowfish, .startKeyHash = HashAlgorithm::Sha1}},
    {"Blowfish checked over the whole part",
     {.cipher = Cipher::Blowfish,
      .startKeyHash = HashAlgorithm::Sha1,
      .checksumOfFirstKilobyte = false}},
};

TEST(EncryptedOdsTest, EachEncryptionOpensWithTheCellsOfThePlainWorkbook) {
  test::TemporaryFolder folder;
  for (const fs::path& plainBook : {kPlainBook, writeSmallBook(folder.path())}) {
    const std::string plain = readWith(plainBook, nullptr);
    for (const OdsEncryptionCase& encryption : kEncryptions) {
      SCOPED_TRACE(plainBook.filename().string() + ": " + encryption.name);
      const fs::path path = folder.path() / "book.ods";
      test::writeEncryptedOds(path, plainBook, "Sésame 123", encryption.settings);
      ListedPasswords passwords({"Sésame 123"});
      EXPECT_EQ(readWith(path, &passwords), plain);
    }
  }
}

// The corpus's encrypted .ods comes from a spreadsheet application: AES-256 and PBKDF2
// with 100,000 rounds.
TEST(EncryptedOdsTest, CorpusFileOpensWithItsPassword) {
  const fs::path path = test::kCorpus / "calamine" / "pass_protected.ods";
  if (!fs::exists(path)) GTEST_SKIP() << "the corpus is missing";
  ListedPasswords passwords({"1234"});
  const std::string listing = readWith(path, &passwords);
  for (const char* cell : {"Sheet1!2,1=String\n", "Sheet1!2,3=1.1\n", "Sheet1!2,6=2010-10-10\n"})
    EXPECT_NE(listing.find(cell), std::string::npos) << cell << " in\n" << listing;
  EXPECT_NE(failureOf(path, "123").find("the password for File #1 is wrong"), std::string::npos);
}

TEST(EncryptedOdsTest, MissingEmptyAndWrongPasswordsEachHaveTheirMessage) {
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "book.ods";
  test::writeEncryptedOds(path, kPlainBook, "right");
  const auto problemOf = [&](PasswordSource* source) -> std::optional<PasswordProblem> {
    try {
      readWith(path, source);
    } catch (const PasswordError& error) {
      EXPECT_EQ(std::string(error.what()).find("right"), std::string::npos);
      return error.problem();
    }
    return std::nullopt;
  };
  ListedPasswords empty({""}), wrong({"wrong"}), secondTry({"wrong", "right"});
  EXPECT_EQ(problemOf(nullptr), PasswordProblem::Missing);
  EXPECT_EQ(problemOf(&empty), PasswordProblem::Empty);
  EXPECT_EQ(problemOf(&wrong), PasswordProblem::Wrong);
  EXPECT_EQ(problemOf(&secondTry), std::nullopt);
  EXPECT_EQ(secondTry.asked, 2);
}

// A part changed past the checksum's kilobyte opens with the right password and is then
// found damaged (deflated data carries no check of its own, so by what it inflates to), not
// taken for a wrong password.
TEST(EncryptedOdsTest, DamagedDataIsNotAWrongPassword) {
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "book.ods";
  test::writeEncryptedOds(path, kPlainBook, "pw",
                          {.tamper = [](std::string&, std::string& c) { c[2000] ^= 0x55; }});
  const std::string message = failureOf(path, "pw");
  EXPECT_NE(message.find("cannot be read: "), std::string::npos) << message;
  EXPECT_EQ(message.find("password"), std::string::npos) << message;
}

void replaceIn(std::string& text, std::string_view from, std::string_view to) {
  text.replace(text.find(from), from.size(), to);
}

struct HostileOdsCase {
  const char* name;
  OdfEncryptorSettings settings;
  const char* reason;
};

TEST(EncryptedOdsTest, HostileFilesEndInOneLine) {
  const HostileOdsCase cases[] = {
      {"billions of rounds", {.declaredIterations = 4000000000}, "4000000000 rounds"},
      {"size beyond the data", {.declaredContentSize = 50000}, "less than the size"},
      {"size short of the data", {.declaredContentSize = 100}, "past the size"},
      {"no whole block",
       {.tamper = [](std::string&, std::string& c) { c.pop_back(); }},
       "does not fill whole blocks"},
      {"cut short by whole blocks",
       {.tamper = [](std::string&, std::string& c) { c.resize(c.size() - 1024); }},
       "cut short or damaged: its padding is broken"},
      {"cut short without padding",
       {.cipher = Cipher::Blowfish,
        .startKeyHash = HashAlgorithm::Sha1,
        .tamper = [](std::string&, std::string& c) { c.resize(c.size() - 1024); }},
       "a decrypted part is cut short"},
      {"broken padding",
       {.tamper = [](std::string&, std::string& c) { c[c.size() - 17] ^= 0x40; }},
       "its padding is broken"},
      {"vector of a wrong size",
       {.tamper =
            [](std::string& m, std::string&) {
              replaceIn(m, "initialisation-vector=\"", "initialisation-vector=\"AAAA");
            }},
       "initialisation vector"},
      {"key size out of range",
       {.tamper =
            [](std::string& m, std::string&) {
              replaceIn(m, "key-size=\"32\" manifest:iter", "key-size=\"9999\" manifest:iter");
            }},
       "key size"},
      {"unread cipher",
       {.tamper = [](std::string& m, std::string&) { replaceIn(m, "aes256-cbc", "aes256-gcm"); }},
       "is not read"},
      {"broken base64",
       {.tamper = [](std::string& m, std::string&) { replaceIn(m, "salt=\"", "salt=\"*"); }},
       "base64"},
  };
  test::TemporaryFolder folder;
  const fs::path path = folder.path() / "hostile.ods";
  for (const HostileOdsCase& hostile : cases) {
    SCOPED_TRACE(hostile.name);
    test::writeEncryptedOds(path, kPlainBook, "pw", hostile.settings);
    const std::string message = failureOf(path, "pw");
    EXPECT_NE(message.find(hostile.reason), std::string::npos) << message;
    EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace quill
