#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/package/xml_stream.h"
#include "formats/package/zip_archive.h"
#include "sheet/workbook.h"

namespace quill::xlsx {

// One relationship of a package part: where it points and what kind of part that is.
struct Relationship {
  std::string id;
  std::string type;
  std::string target;  // the resolved part name, without a leading "/"
  bool external = false;

  // Whether the type names the given kind ("worksheet", "officeDocument"), in either the
  // transitional or the strict namespace.
  bool isOfKind(std::string_view kind) const;
};

// The part name a relationship target stands for: absolute ("/xl/a.xml") or relative to
// the folder of the source part, with "." and ".." segments folded.
std::string resolvePartName(std::string_view sourcePart, std::string_view target);

// The relationships part of a part: "xl/workbook.xml" has "xl/_rels/workbook.xml.rels",
// the package itself ("") has "_rels/.rels".
std::string relationshipsPartName(std::string_view sourcePart);

// Reads the relationships of a part; throws WorkbookError when the part is missing.
std::vector<Relationship> readRelationships(const ZipArchive& zip, std::string_view sourcePart);

// The first relationship of a kind, or nullptr.
const Relationship* findRelationship(const std::vector<Relationship>& relationships,
                                     std::string_view kind);

// The entry name under which the zip holds a part: the part name itself, or the same with
// backslashes between its folders; the part name when neither is present.
std::string storedPartName(const ZipArchive& zip, std::string_view part);
bool hasPart(const ZipArchive& zip, std::string_view part);

// Streams a part of the package through an XML handler, chunk by chunk.
void parsePart(const ZipArchive& zip, std::string_view part, XmlHandler& handler);

// Streams a large part (a worksheet, the shared strings) through a handler with the plain
// XML scanner, which is several times faster; where the part leaves plain XML, parses it
// again from its start with the general parser. Each attempt takes a handler from
// freshHandler, which must forget what an earlier attempt gave it.
void parseLargePart(const ZipArchive& zip, std::string_view part,
                    const std::function<XmlHandler&()>& freshHandler);

// A one-line error about a part: "file" cannot be read: the part "x" <reason>.
WorkbookError partError(const ZipArchive& zip, std::string_view part, std::string_view reason);

}  // namespace quill::xlsx
