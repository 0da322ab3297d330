#pragma once

#include <string>
#include <vector>

#include "formats/package/zip_archive.h"
#include "review/package_edits.h"

namespace quill {

// What the workbook part of a package says of its sheets, read to add the listing.
struct WorkbookSheets {
  std::string workbookPart;
  std::vector<std::string> names;  // every sheet, chart and dialog sheets included
  long lastSheetId = 0;
  bool strict = false;  // written with the strict namespaces, which the added parts do not use
};

WorkbookSheets readWorkbookSheets(const ZipArchive& zip, const std::string& workbookPart);

// Adds the listing worksheet to the package as its first sheet, named `name`: the part
// (given by its name) to the workbook part, its relationships and the content types. The
// sheets' positions that defined names and the workbook's view give move one on.
void addListingSheet(const ZipArchive& zip, const WorkbookSheets& sheets, const std::string& name,
                     const std::string& listingPart, PackageEdits& edits);

// The content type the package gives one of its parts (named without the leading "/"), or
// empty when it gives none.
std::string contentTypeOf(const ZipArchive& zip, const std::string& part);

// The content types part with the edits' new parts added.
std::string withContentTypes(const ZipArchive& zip, const PackageEdits& edits);

}  // namespace quill
