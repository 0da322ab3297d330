#include "review/sheet_names.h"

#include <set>

#include "base/ascii_case.h"
#include "base/utf8.h"
#include "review/written_text.h"

namespace quill {

namespace {

constexpr std::size_t kMaxNameCharacters = 31;

// The text with ASCII letters in lower case, for comparing names as a workbook does.
std::string folded(const std::string& name) {
  return asciiLowered(name);
}

// The first characters of a well-formed UTF-8 text, at most count of them.
std::string firstCharacters(const std::string& text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t n = 0; end < text.size() && n < count; ++n) {
    const Utf8Lead lead = utf8Lead(std::uint8_t(text[end]));
    end += lead.length == 0 ? 1 : lead.length;
  }
  return text.substr(0, std::min(end, text.size()));
}

// The name, or the name with " (n)" added, that no name taken holds yet; then taken.
std::string uniqueName(const std::string& name, std::set<std::string>& taken) {
  std::string candidate = name;
  for (int n = 2; taken.contains(folded(candidate)); ++n) {
    const std::string suffix = " (" + std::to_string(n) + ")";
    candidate = firstCharacters(name, kMaxNameCharacters - suffix.size()) + suffix;
  }
  taken.insert(folded(candidate));
  return candidate;
}

}  // namespace

std::string acceptedSheetName(const std::string& name) {
  std::string text = wellFormedText(name);
  for (char& c : text)
    if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos ||
        (std::uint8_t(c) < 0x20) || c == 0x7F)
      c = '_';
  while (text.starts_with('\'')) text.erase(0, 1);
  text = firstCharacters(text, kMaxNameCharacters);
  while (text.ends_with('\'')) text.pop_back();
  return text.empty() ? "Sheet" : text;
}

std::vector<std::string> reviewSheetNames(const std::vector<std::string>& secondNames) {
  std::set<std::string> taken;
  std::vector<std::string> accepted;
  for (const std::string& name : secondNames) accepted.push_back(acceptedSheetName(name));
  for (const std::string& name : accepted) taken.insert(folded(name));
  std::vector<std::string> names{uniqueName("Differences", taken)};
  taken.clear();
  taken.insert(folded(names.front()));
  for (const std::string& name : accepted) names.push_back(uniqueName(name, taken));
  return names;
}

}  // namespace quill
