#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "formats/macros/macro_modules.h"
#include "formats/macros/project_fixtures.h"

namespace quill {
namespace {

using test::compoundFileBytes;
using test::kDirectoryEnd;
using test::literalContainer;
using test::moduleRecords;
using test::projectHead;

using Streams = std::vector<std::pair<std::string, std::string>>;

// Compiled code stands before a module's source; the directory says where the source starts.
const std::string kCompiled(300, '\xCC');

// A project of two modules whose sources follow compiled code in their streams.
Streams twoModules() {
  const std::string directory = projectHead(1252) +
                                moduleRecords("Second", "Second", std::uint32_t(kCompiled.size())) +
                                moduleRecords("First", "first", 0) + kDirectoryEnd;
  return {{"VBA/dir", literalContainer(directory)},
          {"VBA/Second", kCompiled + literalContainer("Sub B()\r\nEnd Sub\r\n")},
          {"VBA/first", literalContainer("Attribute VB_Name = \"First\"\r\nSub A()\r\n")},
          {"PROJECT", "ID=\"{0}\"\r\n"}};
}

std::string failureOf(const Streams& streams) {
  try {
    readMacroProject(compoundFileBytes(streams), ReadOptions{});
  } catch (const MacroProjectError& error) {
    return error.what();
  }
  return "";
}

TEST(SyntheticMacroProject, ModulesComeInTheDirectorysOrderWithNewlineLines) {
  const auto modules = readMacroProject(compoundFileBytes(twoModules()), ReadOptions{});
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0].name, "Second");
  EXPECT_EQ(modules[0].source, "Sub B()\nEnd Sub\n");
  EXPECT_EQ(modules[1].name, "First");
  EXPECT_EQ(modules[1].source, "Attribute VB_Name = \"First\"\nSub A()\n");
}

TEST(SyntheticMacroProject, LongSourceSpansSeveralChunks) {
  std::string source;
  for (int line = 0; source.size() < 20000; ++line)
    source += "' line " + std::to_string(line) + "\n";
  source.resize(20000);  // four whole chunks and a part
  const std::string directory =
      projectHead(1252) + moduleRecords("Long", "Long", 0) + kDirectoryEnd;
  const auto modules = readMacroProject(compoundFileBytes({{"VBA/dir", literalContainer(directory)},
                                                           {"VBA/Long", literalContainer(source)}}),
                                        ReadOptions{});
  ASSERT_EQ(modules.size(), 1u);
  EXPECT_EQ(modules[0].source, source);
}

// A container of chunks that each hold one byte repeated 4096 times by one back-reference.
std::string repeatingContainer(std::size_t chunks) {
  std::string container = "\x01";
  for (std::size_t i = 0; i < chunks; ++i)
    container += std::string(
        "\x03\xB0\x02"
        "a"
        "\xFC\x0F",
        6);
  return container;
}

TEST(SyntheticMacroProject, SourcesPastTheLimitsAreRefusedBeforeTheyAreHeld) {
  std::string listedNineTimes = projectHead(1252);
  for (int i = 1; i <= 9; ++i) listedNineTimes += moduleRecords("M" + std::to_string(i), "Big", 0);
  EXPECT_EQ(failureOf({{"VBA/dir", literalContainer(listedNineTimes + kDirectoryEnd)},
                       {"VBA/Big", repeatingContainer(2048)}}),
            "its modules hold more than 64 MiB of source");
  EXPECT_EQ(failureOf({{"VBA/dir", literalContainer(projectHead(1252) +
                                                    moduleRecords("M", "Big", 0) + kDirectoryEnd)},
                       {"VBA/Big", repeatingContainer(2049)}}),
            "module \"M\": it decompresses to more than 8 MiB");
}

TEST(SyntheticMacroProject, DamagedProjectsNameWhatCannotBeRead) {
  const auto without = [](std::string name) {
    Streams streams = twoModules();
    std::erase_if(streams, [&](const auto& stream) { return stream.first == name; });
    return streams;
  };
  Streams shortened = twoModules();
  shortened[1].second = kCompiled.substr(0, 100);
  Streams uncompressed = twoModules();
  uncompressed[0].second = projectHead(1252);
  const auto withDirectory = [](const std::string& records) {
    Streams streams = twoModules();
    streams[0].second = literalContainer(records);
    return streams;
  };
  const std::string noOffset = test::directoryRecord(0x0019, "M") +
                               test::directoryRecord(0x001A, "M") +
                               test::directoryRecord(0x002B, "");
  const struct {
    const char* name;
    Streams streams;
    const char* reason;
  } cases[] = {
      {"no VBA storage", {{"PROJECT", "x"}}, "it has no VBA storage"},
      {"no directory", without("VBA/dir"), "its directory: its stream VBA/dir is missing"},
      {"directory not compressed", uncompressed, "its directory: compressed data is damaged"},
      {"directory record past its end",
       withDirectory(projectHead(1252) + test::littleEndian(0x0019, 2) +
                     test::littleEndian(1000, 4) + "M"),
       "its directory: a record runs past its end"},
      {"module without text offset", withDirectory(projectHead(1252) + noOffset + kDirectoryEnd),
       "its directory: module 1 has no text offset"},
      {"module without its end",
       withDirectory(projectHead(1252) + test::directoryRecord(0x0019, "M")),
       "its directory: it ends inside module 1"},
      {"module stream missing", without("VBA/first"),
       "module \"First\": its stream VBA/first is missing"},
      {"text offset past the stream", shortened,
       "module \"Second\": its text offset lies past the end of its stream"},
  };
  for (const auto& damaged : cases) {
    SCOPED_TRACE(damaged.name);
    const std::string failure = failureOf(damaged.streams);
    EXPECT_TRUE(failure.starts_with(damaged.reason)) << failure;
  }
  EXPECT_THROW(readMacroProject("not a compound file", ReadOptions{}), MacroProjectError);
}

}  // namespace
}  // namespace quill
