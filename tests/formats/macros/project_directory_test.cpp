#include "formats/macros/project_directory.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/macros/macro_project_error.h"

namespace quill {
namespace {

std::string le(std::uint32_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out.push_back(char(value >> (8 * i) & 0xFF));
  return out;
}

std::string record(std::uint16_t id, const std::string& data) {
  return le(id, 2) + le(std::uint32_t(data.size()), 4) + data;
}

std::string utf16(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) out += le(unit, 2);
  return out;
}

// The records a project writes before its modules, with its code page.
std::string projectHead(std::uint16_t codePage) {
  return record(0x0001, le(1, 4)) + record(0x0003, le(codePage, 2)) + record(0x0004, "VBAProject") +
         le(0x0009, 2) + le(4, 4) + le(0x65BE0257, 4) + le(0x11, 2) + record(0x000F, le(2, 2)) +
         record(0x0013, le(0xFFFF, 2));
}

std::string module(const std::string& name, const std::string& stream, std::uint32_t offset,
                   const std::string& unicodeName = "") {
  std::string records = record(0x0019, name);
  if (!unicodeName.empty()) records += record(0x0047, unicodeName);
  records += record(0x001A, stream);
  if (!unicodeName.empty()) records += record(0x0032, unicodeName);
  return records + record(0x0031, le(offset, 4)) + record(0x0021, "") + record(0x002B, "");
}

const std::string kEnd = record(0x0010, "");

TEST(MacroProjectDirectory, ModulesComeInOrderWithTheirStreamsAndOffsets) {
  const ProjectDirectory directory =
      readProjectDirectory(projectHead(1252) + module("Module1", "Module1", 812) +
                           module("Sheet1", "Sheet1", 0x4D3) + kEnd);
  EXPECT_EQ(directory.codePage, 1252);
  ASSERT_EQ(directory.modules.size(), 2u);
  EXPECT_EQ(directory.modules[0].name, "Module1");
  EXPECT_EQ(directory.modules[0].textOffset, 812u);
  EXPECT_EQ(directory.modules[1].streamName, "Sheet1");
  EXPECT_EQ(directory.modules[1].textOffset, 0x4D3u);
}

TEST(MacroProjectDirectory, NamesAreReadInUnicodeOrElseThroughTheCodePage) {
  const std::string cyrillic = "\xCB\xE8\xF1\xF2";  // "Лист" in Windows-1251
  const ProjectDirectory directory =
      readProjectDirectory(projectHead(1251) + module(cyrillic + "1", cyrillic + "1", 10) +
                           module(cyrillic + "2", cyrillic + "2", 20, utf16(u"Лист2")) + kEnd);
  EXPECT_EQ(directory.codePage, 1251);
  ASSERT_EQ(directory.modules.size(), 2u);
  EXPECT_EQ(directory.modules[0].name, "Лист1");
  EXPECT_EQ(directory.modules[0].streamName, "Лист1");
  EXPECT_EQ(directory.modules[1].name, "Лист2");
  EXPECT_EQ(directory.modules[1].streamName, "Лист2");
}

TEST(MacroProjectDirectory, DamagedDirectoriesNameWhatIsWrong) {
  const std::string noOffset = record(0x0019, "M") + record(0x001A, "M") + record(0x002B, "");
  const struct {
    const char* name;
    std::string records;
    const char* reason;
  } cases[] = {
      {"record past the end", projectHead(1252) + le(0x0019, 2) + le(1000, 4) + "M",
       "stops in the middle of a record"},
      {"module without offset", projectHead(1252) + noOffset + kEnd, "no text offset"},
      {"module without end", projectHead(1252) + record(0x0019, "M"), "stops inside module 1"},
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
