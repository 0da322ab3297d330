#include "formats/csv/separator_guess.h"

#include <array>
#include <vector>

namespace quill::csv {

namespace {

constexpr std::array<char, 3> kCandidates = {',', ';', '\t'};
constexpr std::size_t kLinesLooked = 20;

using Counts = std::array<long, kCandidates.size()>;

// How often each candidate occurs outside quotes in each whole line of the text; a last line
// without its line end is left out unless it is the only one.
std::vector<Counts> countPerLine(std::string_view text) {
  std::vector<Counts> lines;
  Counts counts{};
  bool quoted = false;
  bool lineHasText = false;
  for (char ch : text) {
    if (ch == '"') quoted = !quoted;
    if (quoted) continue;
    if (ch == '\n' || ch == '\r') {
      if (lineHasText) lines.push_back(counts);
      counts = {};
      lineHasText = false;
      if (lines.size() == kLinesLooked) return lines;
      continue;
    }
    lineHasText = true;
    for (std::size_t i = 0; i < kCandidates.size(); ++i)
      if (ch == kCandidates[i]) ++counts[i];
  }
  if (lines.empty() && lineHasText) lines.push_back(counts);
  return lines;
}

}  // namespace

char guessSeparator(std::string_view firstText) {
  const std::vector<Counts> lines = countPerLine(firstText);
  if (lines.empty()) return ',';
  std::size_t best = 0;
  long bestCount = 0;
  for (std::size_t i = 0; i < kCandidates.size(); ++i) {
    const long count = lines.front()[i];
    bool steady = count > 0;
    for (const Counts& line : lines) steady = steady && line[i] == count;
    if (steady && count > bestCount) {
      best = i;
      bestCount = count;
    }
  }
  return kCandidates[best];
}

}  // namespace quill::csv
