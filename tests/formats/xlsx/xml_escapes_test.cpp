#include "formats/xlsx/xml_escapes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quill::xlsx {
namespace {

TEST(XmlEscapes, Decoding) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"plain", "plain"},
      {"_x000D_", "\r"},
      {"a_x0041_b", "aAb"},
      {"_x005F_x000D_", "_x000D_"},
      {"_x00e9_", "\xC3\xA9"},
      {"_xD83D__xDE00_", "\xF0\x9F\x98\x80"},
      {"_xD83D_ alone", "\xEF\xBF\xBD alone"},
      {"_xZZZZ_", "_xZZZZ_"},
      {"_x00D_", "_x00D_"},
      {"x000D_", "x000D_"},
      {"end_x000A", "end_x000A"},
  };
  for (const auto& [stored, text] : cases) EXPECT_EQ(decodeXmlEscapes(stored), text) << stored;
}

}  // namespace
}  // namespace quill::xlsx
