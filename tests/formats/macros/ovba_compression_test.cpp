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
std::string compressedHeader(std::size_t size) {
  const unsigned header = 0xB000 | unsigned(size - 3);
  return bytes({header & 0xFF, header >> 8});
}

// The worked example of the format's documentation: literals and back-references of several
// lengths and distances, one of them overlapping what it repeats.
TEST(MacroDecompression, DocumentedExampleDecompressesToItsText) {
  const std::string container =
      bytes({0x01, 0x2F, 0xB0, 0x00, 0x23, 0x61, 0x61, 0x61, 0x62, 0x63, 0x64, 0x65, 0x82,
             0x66, 0x00, 0x70, 0x61, 0x67, 0x68, 0x69, 0x6A, 0x01, 0x38, 0x08, 0x61, 0x6B,
             0x6C, 0x00, 0x30, 0x6D, 0x6E, 0x6F, 0x70, 0x06, 0x71, 0x02, 0x70, 0x04, 0x10,
             0x72, 0x73, 0x74, 0x75, 0x76, 0x10, 0x77, 0x78, 0x79, 0x7A, 0x00, 0x3C});
  EXPECT_EQ(decompressMacroContainer(container),
            "#aaabcdefaaaaghijaaaaaklaaamnopqaaaaaaaaaaaarstuvwxyzaaa");
}

TEST(MacroDecompression, RawChunkIsCopiedAndFollowedByTheNextChunk) {
  const std::string raw(4096, 'r');
  const std::string container =
      bytes({0x01, 0xFF, 0x3F}) + raw + compressedHeader(6) + bytes({0x00, 'a', 'b', 'c'});
  EXPECT_EQ(decompressMacroContainer(container), raw + "abc");
}

TEST(MacroDecompression, ChunkRepeatsOnlyItsOwnBytes) {
  // A back-reference at the start of a second chunk finds no byte of its own chunk.
  const std::string container = bytes({0x01}) + compressedHeader(6) + bytes({0x00, 'a', 'b', 'c'}) +
                                compressedHeader(6) + bytes({0x01, 0x00, 0x00});
  EXPECT_THROW(decompressMacroContainer(container), MacroProjectError);
}

struct DamagedContainer {
  const char* name;
  std::string container;
  const char* reason;
};

TEST(MacroDecompression, DamagedContainersAreRefusedWithTheirReason) {
  // One literal, then back-references of 18 bytes each until the chunk passes 4096 bytes.
  std::string tokens = bytes({0xFE, 'x'});
  for (int i = 0; i < 7; ++i) tokens += bytes({0x0F, 0x00});
  for (int group = 0; group < 28; ++group) {
    tokens += bytes({0xFF});
    for (int i = 0; i < 8; ++i) tokens += bytes({0x0F, 0x00});
  }
  const std::string overlong = bytes({0x01}) + compressedHeader(tokens.size() + 2) + tokens;
  const DamagedContainer cases[] = {
      {"empty", "", "no signature byte"},
      {"wrong signature", bytes({0x02, 0x03, 0xB0, 0x00, 'a'}), "no signature byte"},
      {"wrong chunk signature", bytes({0x01, 0x03, 0x40, 0x00, 'a'}), "chunk header"},
      {"reference before any byte", bytes({0x01, 0x04, 0xB0, 0x01, 0x00, 0x00}),
       "reaching before its chunk"},
      {"reference cut off", bytes({0x01, 0x04, 0xB0, 0x02, 'a', 0x00}), "cut off"},
      {"chunk past 4096 bytes", overlong, "longer than 4096"},
  };
  for (const DamagedContainer& damaged : cases) {
    SCOPED_TRACE(damaged.name);
    try {
      decompressMacroContainer(damaged.container);
      ADD_FAILURE() << "read without complaint";
    } catch (const MacroProjectError& error) {
      EXPECT_NE(std::string(error.what()).find(damaged.reason), std::string::npos) << error.what();
    }
  }
}

TEST(MacroDecompression, OutputPastTheLimitIsRefusedBeforeItIsWritten) {
  const std::string container = bytes({0x01, 0xFF, 0x3F}) + std::string(4096, 'r');
  EXPECT_EQ(decompressMacroContainer(container, 4096).size(), 4096u);
  EXPECT_THROW(decompressMacroContainer(container, 4095), MacroProjectError);
}

TEST(MacroDecompression, LastChunkCutShortEndsTheText) {
  const std::string container = bytes({0x01}) + compressedHeader(12) + bytes({0x00, 'a', 'b'});
  EXPECT_EQ(decompressMacroContainer(container), "ab");
}

}  // namespace
}  // namespace quill
