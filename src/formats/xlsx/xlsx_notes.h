#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formats/package/zip_archive.h"
#include "sheet/workbook_contents.h"

namespace quill::xlsx {

// The display names of the authors of threaded comments, by their person ids.
using Persons = std::unordered_map<std::string, std::string>;

// Reads the persons part of a workbook.
Persons readPersons(const ZipArchive& zip, std::string_view part);

// The notes of a worksheet part in row-major order: its comments with their authors, and
// its threaded comments, each thread as one note holding its comments' texts line by line.
// A comment kept for older programs in place of a threaded one gives no second note.
std::vector<CellNote> readWorksheetNotes(const ZipArchive& zip, std::string_view worksheetPart,
                                         const Persons& persons);

}  // namespace quill::xlsx
