#include "formats/macros/project_directory.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/macros/macro_project_error.h"
#include "formats/macros/project_fixtures.h"

namespace quill {
namespace {

using test::directoryRecord;
using test::kDirectoryEnd;
using test::littleEndian;
using test::moduleRecords;
using test::projectHead;
using test::utf16Bytes;

TEST(MacroProjectDirectory, ModulesComeInOrderWithTheirStreamsAndOffsets) {
  const ProjectDirectory directory =
      readProjectDirectory(projectHead(1252) + moduleRecords("Module1", "Module1", 812) +
                           moduleRecords("Sheet1", "Sheet1", 0x4D3) + kDirectoryEnd);
  EXPECT_EQ(directory.codePage, 1252);
  ASSERT_EQ(directory.modules.size(), 2u);
  EXPECT_EQ(directory.modules[0].name, "Module1");
  EXPECT_EQ(directory.modules[0].textOffset, 812u);
  EXPECT_EQ(directory.modules[1].streamName, "Sheet1");
  EXPECT_EQ(directory.modules[1].textOffset, 0x4D3u);
}

TEST(MacroProjectDirectory, NamesAreReadInUnicodeOrElseThroughTheCodePage) {
  const std::string cyrillic = "\xCB\xE8\xF1\xF2";  // "Лист" in Windows-1251
  const ProjectDirectory directory = readProjectDirectory(
      projectHead(1251) + moduleRecords(cyrillic + "1", cyrillic + "1", 10) +
      moduleRecords(cyrillic + "2", cyrillic + "2", 20, utf16Bytes(u"Лист2")) + kDirectoryEnd);
  EXPECT_EQ(directory.codePage, 1251);
  ASSERT_EQ(directory.modules.size(), 2u);
  EXPECT_EQ(directory.modules[0].name, "Лист1");
  EXPECT_EQ(directory.modules[0].streamName, "Лист1");
  EXPECT_EQ(directory.modules[1].name, "Лист2");
  EXPECT_EQ(directory.modules[1].streamName, "Лист2");
}

TEST(MacroProjectDirectory, DamagedDirectoriesNameWhatIsWrong) {
  const std::string noOffset =
      directoryRecord(0x0019, "M") + directoryRecord(0x001A, "M") + directoryRecord(0x002B, "");
  const struct {
    const char* name;
    std::string records;
    const char* reason;
  } cases[] = {
      {"record past the end",
       projectHead(1252) + littleEndian(0x0019, 2) + littleEndian(1000, 4) + "M",
       "stops in the middle of a record"},
      {"module without offset", projectHead(1252) + noOffset + kDirectoryEnd, "no text offset"},
      {"module without end", projectHead(1252) + directoryRecord(0x0019, "M"),
       "stops inside module 1"},
  };
  for (const auto& damaged : cases) {
    SCOPED_TRACE(damaged.name);
    try {
      readProjectDirectory(damaged.records);
      ADD_FAILURE() << "read without complaint";
    } catch (const MacroProjectError& error) {
      EXPECT_NE(std::string(error.what()).find(damaged.reason), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace quill
