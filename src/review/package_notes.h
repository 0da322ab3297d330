#pragma once

#include <string>

#include "formats/package/zip_archive.h"
#include "review/package_edits.h"
#include "review/review_result.h"

namespace quill {

// Gives the marked cells of a worksheet part their notes: File #1's text is added to a note
// the cell has, and a new note (with its shape in the notes drawing, which Excel shows) is
// made for the others; new parts and relationships go into the edits. Returns the
// relationship id of a new notes drawing the worksheet must name, or "" when it needs none.
std::string addNotes(const ZipArchive& zip, const std::string& sheetPart, const SheetMarks& marks,
                     PackageEdits& edits);

}  // namespace quill
