// Notes, defined names, hidden and merged areas and formats of .xlsx packages, checked
// against openpyxl's reading of the same file and on hand-made parts openpyxl cannot write.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "formats/ods/ods_test_support.h"
#include "formats/xlsx/xlsx_reader.h"
#include "support/cli_runner.h"
#include "support/contents_listing.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const std::string kContentsData = std::string(QUILLMERE_TEST_DATA) + "/contents";

bool openpyxlPresent() {
  return test::runCommandLine("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null").exitCode == 0;
}

ReadOptions withContents() {
  ReadOptions options;
  options.contents = ContentsToRead::all();
  return options;
}

// The oracle's listing of a file, or a failure line when it could not read it.
std::string oracleListing(const fs::path& file) {
  const auto run = test::runCommandLine("/usr/bin/python3 '" + kContentsData +
                                        "/contents_oracle.py' '" + file.string() + "' 2>&1");
  return run.exitCode == 0 ? run.output : "oracle failed: " + run.output;
}

TEST(XlsxContents, AgreesWithOpenpyxlOnEveryKind) {
  if (!openpyxlPresent()) GTEST_SKIP() << "python3-openpyxl is missing";
  test::TemporaryFolder folder;
  const fs::path file = folder.path() / "contents.xlsx";
  ASSERT_EQ(test::runCommandLine("/usr/bin/python3 '" + kContentsData +
                                 "/write_contents_xlsx.py' '" + file.string() + "'")
                .exitCode,
            0);
  const auto workbook = readXlsxWorkbook(file.string(), withContents());
  const std::string listing = test::contentsListing(*workbook);
  EXPECT_EQ(listing, oracleListing(file));
  // The oracle must have seen each kind, or agreeing proves little.
  for (const char* kind :
       {"note\t", "name\tHidden\t", "rows\t", "columns\t", "merged\t", "sheet\tVery\tveryHidden",
        "format\t", "format\tData!A10\tGeneral\t100", "format\tData!G2\tGeneral\t010",
        "format\tData!G10\tGeneral\t100", "format\tData!H10\tGeneral\t001"})
    EXPECT_NE(listing.find(kind), std::string::npos) << kind;
}

TEST(XlsxContents, NothingIsReadUnlessAsked) {
  if (!openpyxlPresent()) GTEST_SKIP() << "python3-openpyxl is missing";
  test::TemporaryFolder folder;
  const fs::path file = folder.path() / "contents.xlsx";
  ASSERT_EQ(test::runCommandLine("/usr/bin/python3 '" + kContentsData +
                                 "/write_contents_xlsx.py' '" + file.string() + "'")
                .exitCode,
            0);
  const auto plain = readXlsxWorkbook(file.string());
  EXPECT_FALSE(plain->contents().read.any());
  EXPECT_TRUE(plain->contents().names.empty());
  EXPECT_TRUE(plain->contents().formats.empty());
  for (std::size_t i = 1; i <= plain->sheetCount(); ++i) {
    const SheetContents& sheet = plain->sheet(i).contents();
    EXPECT_EQ(sheet.visibility, SheetVisibility::Visible);
    EXPECT_TRUE(sheet.notes.empty() && sheet.hiddenRows.empty() && sheet.hiddenColumns.empty() &&
                sheet.merged.empty() && sheet.formats.empty());
  }
  ReadOptions onlyNames;
  onlyNames.contents.names = true;
  const auto named = readXlsxWorkbook(file.string(), onlyNames);
  EXPECT_EQ(named->contents().names.size(), 3u);
  EXPECT_TRUE(named->sheet(1).contents().notes.empty());
  EXPECT_TRUE(named->contents().read.names && !named->contents().read.notes);
}
constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kMsRel = "http://schemas.microsoft.com/office/2017/10/relationships";

std::string relationships(const std::vector<std::array<std::string, 3>>& list) {
  std::string xml =
      R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
  for (const auto& [id, type, target] : list)
    xml += "<Relationship Id=\"" + id + "\" Type=\"" + type + "\" Target=\"" + target + "\"/>";
  return xml + "</Relationships>";
}

// A package of one worksheet with a threaded comment, the comment kept for older programs
// in its place, a plain comment, and styles that openpyxl cannot write: property elements
// switched off, a custom palette and an unknown built-in format.
void writeHandMadePackage(const fs::path& file) {
  const std::string ns = R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
  test::writeZip(
      file,
      {{"_rels/.rels",
        relationships({{"rId1", std::string(kRel) + "/officeDocument", "xl/workbook.xml"}})},
       {"xl/workbook.xml", "<workbook" + ns + R"( xmlns:r=")" + kRel +
                               R"("><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets>)"
                               R"(<definedNames><definedName name="b">S!$A$1</definedName>)"
                               R"(<definedName name="a" localSheetId="0">=1+1</definedName>)"
                               R"(<definedName name="a">S!$B$2</definedName></definedNames>)"
                               "</workbook>"},
       {"xl/_rels/workbook.xml.rels",
        relationships({{"rId1", std::string(kRel) + "/worksheet", "worksheets/sheet1.xml"},
                       {"rId2", std::string(kRel) + "/styles", "styles.xml"},
                       {"rId3", std::string(kMsRel) + "/person", "persons/person.xml"}})},
       {"xl/worksheets/sheet1.xml",
        "<worksheet" + ns +
            R"(><sheetData><row r="1"><c r="A1" s="1"/><c r="B1" s="2"/><c r="C1" s="3"/>)"
            R"(<c r="D1" s="4"/><c r="E1" s="9"/></row></sheetData></worksheet>)"},
       {"xl/worksheets/_rels/sheet1.xml.rels",
        relationships({{"rId1", std::string(kRel) + "/comments", "../comments1.xml"},
                       {"rId2", std::string(kMsRel) + "/threadedComment",
                        "../threadedComments/threadedComment1.xml"}})},
       {"xl/comments1.xml",
        "<comments" + ns +
            R"(><authors><author>tc={T1}</author><author>Cy</author></authors><commentList>)"
            R"(<comment ref="A1" authorId="0"><text><t>[Threaded comment] older copy</t></text>)"
            R"(</comment><comment ref="B2" authorId="1"><text><r><t>rich </t></r><r><t>text</t>)"
            R"(</r></text></comment></commentList></comments>)"},
       {"xl/threadedComments/threadedComment1.xml",
        R"(<ThreadedComments xmlns="http://schemas.microsoft.com/office/spreadsheetml/2018/threadedcomments">)"
        R"(<threadedComment ref="A1" personId="{P1}" id="{T1}"><text>Is this right?</text>)"
        R"(</threadedComment><threadedComment ref="A1" personId="{P2}" id="{T2}" parentId="{T1}">)"
        R"(<text>Yes.</text></threadedComment></ThreadedComments>)"},
       {"xl/persons/person.xml",
        R"(<personList xmlns="http://schemas.microsoft.com/office/spreadsheetml/2018/threadedcomments">)"
        R"(<person displayName="Dee" id="{P1}"/><person displayName="Eve" id="{P2}"/></personList>)"},
       {"xl/styles.xml",
        "<styleSheet" + ns +
            R"(><numFmts count="1"><numFmt numFmtId="14" formatCode="yyyy-mm-dd"/></numFmts>)"
            R"(<fonts><font/><font><b val="0"/><i val="1"/><u val="none"/></font>)"
            R"(<font><u/><color indexed="8"/></font></fonts>)"
            R"(<fills><fill><patternFill patternType="none"/></fill>)"
            R"(<fill><patternFill patternType="solid"><fgColor indexed="2"/></patternFill></fill>)"
            R"(</fills><cellXfs><xf/><xf fontId="1"/><xf fontId="2" fillId="1"/>)"
            R"(<xf numFmtId="14"/><xf numFmtId="30"/></cellXfs>)"
            R"(<colors><indexedColors><rgbColor rgb="FF111111"/><rgbColor rgb="FF222222"/>)"
            R"(<rgbColor rgb="FF333333"/></indexedColors></colors></styleSheet>)"}});
}

TEST(XlsxContents, ThreadedCommentsStylesAndNamesOfHandMadeParts) {
  test::TemporaryFolder folder;
  const fs::path file = folder.path() / "hand.xlsx";
  writeHandMadePackage(file);
  const auto workbook = readXlsxWorkbook(file.string(), withContents());
  EXPECT_EQ(test::contentsListing(*workbook),
            // The threaded comment's replies join its text; the older copy gives no note.
            "format\tS!A1\tGeneral\t010\t\t\n"
            // A custom palette replaces the standard one where it has the index.
            "format\tS!B1\tGeneral\t001\t000000\t333333\n"
            "format\tS!C1\tyyyy-mm-dd\t000\t\t\n"
            "name\t\ta\t=S!$B$2\n"
            "name\t\tb\t=S!$A$1\n"
            "name\tS\ta\t=1+1\n"
            "note\tS!A1\tDee\tIs this right?\\nYes.\n"
            "note\tS!B2\tCy\trich text\n"
            "sheet\tS\tvisible\n");
  // Names come sorted by scope, then name; the formats table holds no duplicates, and the
  // unknown built-in id and the style past the table read as the default.
  const auto& names = workbook->contents().names;
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0].name + names[1].name + names[2].scopeSheet, "abS");
  EXPECT_EQ(workbook->contents().formats.size(), 4u);
}

// A note past the longest kept, or a merged range that names no cells, ends the read in one
// line naming the file and the part, instead of holding the part or guessing.
TEST(XlsxContents, DamagedContentsEndInOneLine) {
  const std::string ns = R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
  const std::string longNote = "<comments" + ns +
                               "><authors><author>A</author></authors><commentList>"
                               R"(<comment ref="A1" authorId="0"><text><t>)" +
                               std::string(std::size_t(1) << 21, 'x') +
                               "</t></text></comment></commentList></comments>";
  const std::string badMerge = "<worksheet" + ns +
                               R"(><sheetData/><mergeCells><mergeCell ref="A1:"/></mergeCells>)" +
                               "</worksheet>";
  for (const auto& [sheet, comments, reason] :
       {std::tuple{"<worksheet" + ns + "><sheetData/></worksheet>", longNote,
                   std::string("xl/comments1.xml\" has a note longer than")},
        std::tuple{badMerge, std::string(), std::string("malformed merged range \"A1:\"")}}) {
    test::TemporaryFolder folder;
    const fs::path file = folder.path() / "damaged.xlsx";
    std::vector<test::ZipPart> parts = {
        {"_rels/.rels",
         relationships({{"rId1", std::string(kRel) + "/officeDocument", "xl/workbook.xml"}})},
        {"xl/workbook.xml", "<workbook" + ns + R"( xmlns:r=")" + kRel +
                                R"("><sheets><sheet name="S" sheetId="1" r:id="rId1"/>)"
                                "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         relationships({{"rId1", std::string(kRel) + "/worksheet", "worksheets/sheet1.xml"}})},
        {"xl/worksheets/sheet1.xml", sheet}};
    if (!comments.empty()) {
      parts.push_back(
          {"xl/worksheets/_rels/sheet1.xml.rels",
           relationships({{"rId1", std::string(kRel) + "/comments", "../comments1.xml"}})});
      parts.push_back({"xl/comments1.xml", comments});
    }
    test::writeZip(file, parts);
    EXPECT_NO_THROW(readXlsxWorkbook(file.string()));  // not read unless asked for
    try {
      readXlsxWorkbook(file.string(), withContents());
      ADD_FAILURE() << "read " << reason;
    } catch (const WorkbookError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(file.string()), std::string::npos) << message;
      EXPECT_NE(message.find(reason), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace quill
