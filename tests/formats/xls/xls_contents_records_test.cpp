// The .xls reader's contents on record streams built byte by byte: notes split across
// records, and records whose counts or sizes run past their ends, which are damaged files.
#include <gtest/gtest.h>

#include "formats/xls/byte_source.h"
#include "formats/xls/xls_reader.h"
#include "formats/xls/xls_test_support.h"

namespace quill::xls::test {
namespace {

constexpr std::uint16_t kName = 0x0018;
constexpr std::uint16_t kPalette = 0x0092;
constexpr std::uint16_t kMergedCells = 0x00E5;
constexpr std::uint16_t kNote = 0x001C;
constexpr std::uint16_t kObject = 0x005D;
constexpr std::uint16_t kTextObject = 0x01B6;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kMulBlank = 0x00BE;

std::unique_ptr<StoredWorkbook> readWith(const std::string& globals, const std::string& sheet) {
  ReadOptions options;
  options.contents = ContentsToRead::all();
  options.contents.macros = false;
  const std::string stream = workbookStream(globals, {{"Sheet1", sheet}});
  MemorySource source(stream);
  return readXlsStream(source, StreamKind::Workbook, "Bare", options);
}

// A note object (OBJ of kind 0x19) and its TXO, the text in the CONTINUE that follows.
std::string noteObject(std::uint16_t id, const std::string& text) {
  const std::string common = Bytes().u16(0x15).u16(0x12).u16(0x19).u16(id).raw(std::string(14, 0));
  return record(kObject, common + Bytes().u16(0).u16(0).str()) +
         record(kTextObject, Bytes()
                                 .u16(0)
                                 .u16(0)
                                 .raw(std::string(6, 0))
                                 .u16(unsigned(text.size()))
                                 .u16(16)
                                 .u16(0)
                                 .u32(0)) +
         record(kContinue, Bytes().u8(0).raw(text)) + record(kContinue, std::string(16, 0));
}

std::string note(unsigned row, unsigned column, std::uint16_t id, const std::string& author) {
  return record(kNote, Bytes().u16(row).u16(column).u16(0).u16(id).compressed(author).u8(0));
}

TEST(XlsContentsRecords, NotesTakeTheirTextFromTheirObjectsWhateverTheOrder) {
  const auto workbook = readWith("", noteObject(2, "second") + noteObject(1, "first") +
                                         note(4, 2, 1, "Ada") + note(0, 0, 2, "Grace"));
  const auto& notes = workbook->storedSheet(1).contents().notes;
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].text, "second");
  EXPECT_EQ(notes[0].author, "Grace");
  EXPECT_EQ(notes[1].text, "first");
  EXPECT_EQ((std::pair{notes[1].row, notes[1].column}), (std::pair{5L, 3L}));
}

TEST(XlsContentsRecords, AdjacentHiddenRowsJoinIntoOneSpan) {
  std::string rows;
  for (unsigned row : {1u, 2u, 3u, 7u})
    rows += record(kRow, Bytes().u16(row).u16(0).u16(1).u16(300).u16(0).u16(0).u16(0x20).u16(15));
  const auto workbook = readWith("", rows);
  EXPECT_EQ(workbook->storedSheet(1).contents().hiddenRows,
            (std::vector<LineSpan>{{2, 4}, {8, 8}}));
}

TEST(XlsContentsRecords, CountsAndSizesBeyondTheirRecordsAreDamagedFiles) {
  struct Case {
    const char* name;
    std::string globals;
    std::string sheet;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"merged ranges", "", record(kMergedCells, Bytes().u16(500).u16(0).u16(1).u16(0).u16(1)),
       "merged ranges"},
      {"palette", record(kPalette, Bytes().u16(56).u32(0x00FF0000)), "", "palette"},
      {"name formula",
       record(kName, Bytes().u16(0).u8(0).u8(4).u16(900).u16(0).u16(0).u32(0).u8(0).raw("Rate")),
       "", "formula longer"},
      {"blank cells", "", record(kMulBlank, Bytes().u16(0).u16(0).u16(15).u8(1)), "damaged length"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      readWith(c.globals, c.sheet);
      ADD_FAILURE() << "read as if whole";
    } catch (const WorkbookError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace quill::xls::test
