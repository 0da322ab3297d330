#include "formats/macros/ovba_compression.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/macros/macro_project_error.h"

namespace quill {
namespace {

std::string bytes(std::initializer_list<unsigned> values) {
  std::string out;
  for (unsigned value : values) out.push_back(char(value));
  return out;
}

// A compressed chunk header for a chunk of size bytes in all (header included).
std::string header(std::size_t size) {
  return bytes({unsigned(size - 3) & 0xFF, 0xB0 | unsigned(size - 3) >> 8});
}

TEST(MacroDecompression, ContainersDecompressToTheirText) {
  const std::string raw(4096, 'r');
  const struct {
    const char* name;
    std::string container;
    std::string text;
  } cases[] = {
      // The worked example of the format's documentation: back-references of several lengths
      // and distances, one overlapping what it repeats.
      {"documented example",
       bytes({0x01, 0x2F, 0xB0, 0x00, 0x23, 0x61, 0x61, 0x61, 0x62, 0x63, 0x64, 0x65, 0x82,
              0x66, 0x00, 0x70, 0x61, 0x67, 0x68, 0x69, 0x6A, 0x01, 0x38, 0x08, 0x61, 0x6B,
              0x6C, 0x00, 0x30, 0x6D, 0x6E, 0x6F, 0x70, 0x06, 0x71, 0x02, 0x70, 0x04, 0x10,
              0x72, 0x73, 0x74, 0x75, 0x76, 0x10, 0x77, 0x78, 0x79, 0x7A, 0x00, 0x3C}),
       "#aaabcdefaaaaghijaaaaaklaaamnopqaaaaaaaaaaaarstuvwxyzaaa"},
      {"raw chunk, then a compressed one",
       bytes({0x01, 0xFF, 0x3F}) + raw + header(6) + bytes({0x00, 'a', 'b', 'c'}), raw + "abc"},
      {"last chunk cut short", bytes({0x01}) + header(12) + bytes({0x00, 'a', 'b'}), "ab"},
  };
  for (const auto& good : cases) {
    SCOPED_TRACE(good.name);
    EXPECT_EQ(decompressMacroContainer(good.container), good.text);
  }
}

TEST(MacroDecompression, DamagedContainersAreRefusedWithTheirReason) {
  // One literal, then back-references of 18 bytes each until the chunk passes 4096 bytes.
  std::string body = bytes({0xFE, 'x'});
  for (int i = 0; i < 7; ++i) body += bytes({0x0F, 0x00});
  for (int group = 0; group < 28; ++group) {
    body += bytes({0xFF});
    for (int i = 0; i < 8; ++i) body += bytes({0x0F, 0x00});
  }
  const std::string twoRawChunks = bytes({0x01, 0xFF, 0x3F}) + std::string(4096, 'r') +
                                   bytes({0xFF, 0x3F}) + std::string(4096, 'r');
  const struct {
    const char* name;
    std::string container;
    std::size_t limit;
    const char* reason;
  } cases[] = {
      {"empty", "", 100, "no signature byte"},
      {"wrong signature", bytes({0x02, 0x03, 0xB0, 0x00, 'a'}), 100, "no signature byte"},
      {"wrong chunk signature", bytes({0x01, 0x03, 0x40, 0x00, 'a'}), 100, "chunk header"},
      {"reference before any byte", bytes({0x01, 0x04, 0xB0, 0x01, 0x00, 0x00}), 100,
       "reaching before its chunk"},
      {"reference into the chunk before",
       bytes({0x01}) + header(6) + bytes({0x00, 'a', 'b', 'c'}) + header(6) +
           bytes({0x01, 0x00, 0x00}),
       100, "reaching before its chunk"},
      {"reference cut off", bytes({0x01, 0x04, 0xB0, 0x02, 'a', 0x00}), 100, "cut off"},
      {"chunk past 4096 bytes", bytes({0x01}) + header(body.size() + 2) + body, 8192,
       "longer than 4096"},
      {"past the limit", twoRawChunks, 8191, "decompresses to more than 8191 bytes"},
  };
  for (const auto& damaged : cases) {
    SCOPED_TRACE(damaged.name);
    try {
      decompressMacroContainer(damaged.container, damaged.limit);
      ADD_FAILURE() << "read without complaint";
    } catch (const MacroProjectError& error) {
      EXPECT_NE(std::string(error.what()).find(damaged.reason), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(decompressMacroContainer(twoRawChunks, 8192).size(), 8192u);
}

}  // namespace
}  // namespace quill
