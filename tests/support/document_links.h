#pragma once

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace quill::test {

// The text of a URL fragment with every %XX replaced by its byte.
inline std::string percentDecoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out.push_back(char(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

// The text of an attribute with the entities the documents write replaced.
inline std::string entitiesDecoded(std::string text) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities)
    for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
      text.replace(at, std::string(entity).size(), plain), at += std::string(plain).size();
  return text;
}

// Each link of the report into the grid whose anchor the grid does not hold exactly once,
// with how often it holds it.
inline std::vector<std::string> linksThatDoNotLand(const std::string& report,
                                                   const std::string& grid) {
  std::map<std::string, int> names;
  const std::regex name(R"re(name="([^"]*)")re");
  for (std::sregex_iterator it(grid.begin(), grid.end(), name), end; it != end; ++it)
    ++names[entitiesDecoded((*it)[1])];
  std::vector<std::string> lost;
  const std::regex link(R"re(href="visualized\.htm#([^"]*)")re");
  for (std::sregex_iterator it(report.begin(), report.end(), link), end; it != end; ++it) {
    const std::string target = percentDecoded(entitiesDecoded((*it)[1]));
    const auto found = names.find(target);
    const int count = found == names.end() ? 0 : found->second;
    if (count != 1) lost.push_back(target + " (" + std::to_string(count) + " anchors)");
  }
  return lost;
}

}  // namespace quill::test
