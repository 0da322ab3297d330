#include "formats/xlsx/xlsx_package.h"

#include <algorithm>
#include <cctype>

#include "base/ascii_case.h"
#include "formats/package/plain_xml_scanner.h"

namespace quill::xlsx {

namespace {

std::string_view folderOf(std::string_view part) {
  const std::size_t slash = part.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
}

// Collects the Relationship elements of a relationships part.
class RelationshipsHandler final : public XmlHandler {
 public:
  explicit RelationshipsHandler(std::string_view sourcePart) : sourcePart_(sourcePart) {}

  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view) override {}
  void characters(std::string_view) override {}

  std::vector<Relationship> relationships;

 private:
  std::string_view sourcePart_;
};

void RelationshipsHandler::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (name != "Relationship") return;
  const char* id = attributes.find("Id");
  const char* type = attributes.find("Type");
  const char* target = attributes.find("Target");
  if (id == nullptr || type == nullptr || target == nullptr) return;
  const char* mode = attributes.find("TargetMode");
  Relationship relationship{id, type, {}, mode != nullptr && std::string_view(mode) == "External"};
  if (!relationship.external) relationship.target = resolvePartName(sourcePart_, target);
  relationships.push_back(std::move(relationship));
}

}  // namespace

bool Relationship::isOfKind(std::string_view kind) const {
  return type.size() > kind.size() && type[type.size() - kind.size() - 1] == '/' &&
         endsWithIgnoringCase(type, kind);
}

std::string resolvePartName(std::string_view sourcePart, std::string_view target) {
  std::string path;
  if (target.empty() || (target.front() != '/' && target.front() != '\\'))
    path.assign(folderOf(sourcePart));
  path.append(target);
  std::replace(path.begin(), path.end(), '\\', '/');

  std::vector<std::string_view> segments;
  std::string_view rest = path;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view segment = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(segment);
  }
  std::string resolved;
  for (std::string_view segment : segments) {
    if (!resolved.empty()) resolved.push_back('/');
    resolved.append(segment);
  }
  return resolved;
}

std::string relationshipsPartName(std::string_view sourcePart) {
  const std::string_view folder = folderOf(sourcePart);
  std::string name(folder);
  name.append("_rels/");
  name.append(sourcePart.substr(folder.size()));
  name.append(".rels");
  return name;
}

std::vector<Relationship> readRelationships(const ZipArchive& zip, std::string_view sourcePart) {
  RelationshipsHandler handler(sourcePart);
  parsePart(zip, relationshipsPartName(sourcePart), handler);
  return std::move(handler.relationships);
}

const Relationship* findRelationship(const std::vector<Relationship>& relationships,
                                     std::string_view kind) {
  for (const Relationship& relationship : relationships)
    if (!relationship.external && relationship.isOfKind(kind)) return &relationship;
  return nullptr;
}

std::string storedPartName(const ZipArchive& zip, std::string_view part) {
  if (zip.contains(part)) return std::string(part);
  // Some writers separate the folders of entry names with backslashes.
  std::string backslashed(part);
  std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
  return zip.contains(backslashed) ? backslashed : std::string(part);
}

bool hasPart(const ZipArchive& zip, std::string_view part) {
  return zip.contains(storedPartName(zip, part));
}

void parsePart(const ZipArchive& zip, std::string_view part, XmlHandler& handler) {
  XmlStream stream(handler,
                   "\"" + zip.path() + "\" cannot be read: the part \"" + std::string(part) + "\"");
  zip.read(storedPartName(zip, part), [&](std::string_view chunk) { stream.feed(chunk); });
  stream.finish();
}

void parseLargePart(const ZipArchive& zip, std::string_view part,
                    const std::function<XmlHandler&()>& freshHandler) {
  try {
    PlainXmlScanner scanner(freshHandler());
    zip.read(storedPartName(zip, part), [&](std::string_view chunk) { scanner.feed(chunk); });
    scanner.finish();
    return;
  } catch (const PlainXmlScanner::OutsidePlainXml&) {
    // Read again below, where the general parser handles the part or says what is wrong.
  }
  parsePart(zip, part, freshHandler());
}

WorkbookError partError(const ZipArchive& zip, std::string_view part, std::string_view reason) {
  return WorkbookError("\"" + zip.path() + "\" cannot be read: the part \"" + std::string(part) +
                       "\" " + std::string(reason));
}

}  // namespace quill::xlsx
