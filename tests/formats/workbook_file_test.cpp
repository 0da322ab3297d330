#include "formats/workbook_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "formats/format_probe.h"
#include "formats/ods/ods_test_support.h"
#include "formats/package/zip_archive.h"
#include "support/corpus.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kCrossData = fs::path(QUILLMERE_TEST_DATA) / "cross";
using ::quill::test::kCorpus;

void writeText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The message readWorkbookFile fails with, or "" when it reads the file.
std::string readError(const fs::path& path) {
  try {
    readWorkbookFile(path.string());
    return "";
  } catch (const WorkbookError& error) {
    return error.what();
  }
}

void expectRefused(const fs::path& path, const std::string& reason) {
  const std::string message = readError(path);
  EXPECT_NE(message.find("\"" + path.string() + "\""), std::string::npos) << message;
  EXPECT_NE(message.find(reason), std::string::npos) << message;
  EXPECT_EQ(message.find('\n'), std::string::npos) << message;
}

std::string rels(const std::string& target) {
  return R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
         R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target=")" +
         target + R"("/></Relationships>)";
}

TEST(FormatProbe, RecognisesFormatsFromContentNotName) {
  test::TemporaryFolder folder;
  const fs::path& dir = folder.path();
  test::writeOds(dir / "sheet.bin", test::odsContent("<table:table/>"));
  test::writeZip(dir / "renamed.dat",
                 {{"_rels/.rels", rels("xl/workbook.xml")}, {"xl/workbook.xml", "<workbook/>"}});
  test::writeZip(dir / "root.zip",
                 {{"_rels/.rels", rels("/workbook.xml")}, {"workbook.xml", "<workbook/>"}});
  test::writeZip(dir / "binary.xlsx", {{"_rels/.rels", rels("xl/workbook.bin")},
                                       {"xl/workbook.bin", std::string("\x83\x01\x00", 3)}});
  writeText(dir / "data.CSV", "PK,1\n");
  writeText(dir / "bare.xls", std::string("\x09\x04\x06\x00\x00\x00\x10\x00", 8));

  EXPECT_EQ(probeWorkbookFormat((dir / "sheet.bin").string()), WorkbookFormat::Ods);
  EXPECT_EQ(probeWorkbookFormat((dir / "renamed.dat").string()), WorkbookFormat::Xlsx);
  EXPECT_EQ(probeWorkbookFormat((dir / "root.zip").string()), WorkbookFormat::Xlsx);
  EXPECT_EQ(probeWorkbookFormat((dir / "binary.xlsx").string()), WorkbookFormat::Xlsb);
  EXPECT_EQ(probeWorkbookFormat((dir / "data.CSV").string()), WorkbookFormat::Csv);
  EXPECT_EQ(probeWorkbookFormat((dir / "bare.xls").string()), WorkbookFormat::Xls);
}

TEST(WorkbookFile, RefusesWhatIsNoWorkbookInOneLine) {
  test::TemporaryFolder folder;
  const fs::path& dir = folder.path();
  writeText(dir / "text.xlsx", "just some text\n");
  writeText(dir / "empty.xlsx", "");
  writeText(dir / "table.txt", "a,b\n");
  test::writeZip(dir / "letter.docx", {{"_rels/.rels", rels("word/document.xml")},
                                       {"word/document.xml", "<document/>"}});
  writeText(dir / "truncated.xlsx", std::string("PK\x03\x04", 4) + std::string(40, '\0'));
  test::writeZip(dir / "binary.xlsx",
                 {{"_rels/.rels", rels("xl/workbook.bin")}, {"xl/workbook.bin", "x"}});

  expectRefused(dir / "text.xlsx", "is not a workbook");
  expectRefused(dir / "empty.xlsx", "the file is empty");
  expectRefused(dir / "table.txt", "is not a workbook");
  expectRefused(dir / "letter.docx", "without a workbook part");
  expectRefused(dir / "truncated.xlsx", "cannot be read");
  expectRefused(dir / "missing.ods", "does not exist");
  expectRefused(dir, "it is a folder");
  expectRefused(dir / "binary.xlsx", "cannot be read: the part \"xl/workbook.bin\"");
}

TEST(WorkbookFile, OpensAnXlsxWhateverItsName) {
  const fs::path original = kCrossData / "numbers_and_text.xlsx";
  test::TemporaryFolder folder;
  const fs::path renamed = folder.path() / "numbers.dat";
  fs::copy_file(original, renamed);
  EXPECT_EQ(test::cellListing(*readWorkbookFile(renamed.string())),
            test::cellListing(*readWorkbookFile(original.string())));
}

// The directory library would lose the memory of the root's siblings; such a file is refused
// before it sees the directory.
TEST(WorkbookFile, RefusesACompoundDocumentWhoseRootHasSiblings) {
  expectRefused(
      fs::path(QUILLMERE_TEST_DATA) / "fuzz" / "xlsb" / "compound-root-entry-with-siblings.xlsb",
      "the root entry has siblings");
}

TEST(WorkbookFile, CorpusProtectedWorkbooksGiveClearErrors) {
  SKIP_WITHOUT_CORPUS();
  expectRefused(kCorpus / "calamine" / "pass_protected.xlsb", "password-protected");
  expectRefused(kCorpus / "calamine" / "pass_protected.xlsx", "password-protected");
  expectRefused(kCorpus / "calamine" / "pass_protected.ods", "password-protected");
}

// Sets the inflated size of every entry, in the local headers and the central directory.
void claimInflatedSize(const fs::path& path, std::uint32_t size) {
  std::string bytes = test::readFile(path);
  auto patch = [&](const char* signature, std::size_t offset) {
    for (std::size_t at = bytes.find(signature); at != std::string::npos;
         at = bytes.find(signature, at + 4))
      std::memcpy(bytes.data() + at + offset, &size, 4);
  };
  patch("PK\x03\x04", 22);
  patch("PK\x01\x02", 24);
  writeText(path, bytes);
}

TEST(ZipLimits, AStreamedPartIsNotRefusedForItsSizeButAPartHeldWholeIs) {
  test::TemporaryFolder folder;
  const std::string content = test::odsContent(
      "<table:table table:name=\"T\"><table:table-row><table:table-cell "
      "office:value-type=\"string\"><text:p>big</text:p></table:table-cell>"
      "</table:table-row></table:table>");
  const fs::path big = folder.path() / "big.ods";
  test::writeZip(big, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", ZIP_CM_STORE},
                       {"content.xml", content, ZIP_CM_DEFLATE}});
  // The sheet part announces 3.75 GiB: streamed, only what it really holds is kept.
  claimInflatedSize(big, 0xF0000000u);
  ZipArchive archive(big.string());
  std::string streamed;
  try {
    archive.read("content.xml", [&](std::string_view chunk) { streamed.append(chunk); });
  } catch (const WorkbookError& e) {
    EXPECT_EQ(std::string(e.what()).find("GiB"), std::string::npos) << e.what();
  }
  EXPECT_EQ(streamed, content);
  // A part read whole is refused by its announced size, before anything is read.
  EXPECT_THROW(archive.readAll("mimetype", 1 << 20), WorkbookError);
}

TEST(ZipLimits, PartsReachingHugeRatiosAreRefusedBeforeTheyFillMemory) {
  test::TemporaryFolder folder;

  if (!zip_compression_method_supported(ZIP_CM_BZIP2, 1))
    GTEST_SKIP() << "this libzip cannot write bzip2, which the ratio bomb needs";
  const fs::path bomb = folder.path() / "bomb.ods";
  test::writeZip(bomb,
                 {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", ZIP_CM_STORE},
                  {"content.xml", std::string(std::size_t(64) << 20, ' '), ZIP_CM_BZIP2}});
  expectRefused(bomb, "inflates more than 1000 times");

  ZipArchive archive(bomb.string());
  std::uint64_t delivered = 0;
  EXPECT_THROW(
      archive.read("content.xml", [&](std::string_view chunk) { delivered += chunk.size(); }),
      WorkbookError);
  EXPECT_GE(delivered, ZipArchive::kRatioFreeBytes);
  EXPECT_LT(delivered, std::uint64_t(2) << 20);
}

TEST(ZipLimits, ModestRatiosWithinTheFirstMegabytePass) {
  test::TemporaryFolder folder;
  const fs::path sparse = folder.path() / "sparse.ods";
  std::string rows;
  for (int i = 0; i < 20000; ++i) rows += "<table:table-row><table:table-cell/></table:table-row>";
  test::writeOds(sparse,
                 test::odsContent("<table:table table:name=\"Blank\">" + rows + "</table:table>"));
  EXPECT_EQ(readError(sparse), "");
}

}  // namespace
}  // namespace quill
