#pragma once

#include <vector>

#include "engine/content_items.h"
#include "engine/line_map.h"
#include "sheet/workbook_contents.h"

namespace quill {

// What a paired worksheet of each file holds besides its cells' texts, with its workbook's
// table of formats, and how the two sheets' rows and columns pair.
struct SheetContentsPair {
  const SheetContents& sheet1;
  const SheetContents& sheet2;
  const WorkbookContents& book1;
  const WorkbookContents& book2;
  const LineMap& rows;
  const LineMap& columns;
};

// The differences of two paired worksheets in what `compared` names: the sheet hidden or
// shown, then notes, hidden rows and columns, merged ranges and formats, each in row-major
// order. What lies in a row or column that only one file has is left out: that line is the
// difference already.
std::vector<ContentItem> compareSheetContents(const SheetContentsPair& pair,
                                              const ContentsToRead& compared);

// The notes and the formats of the paired cells that differ.
void compareNotes(const SheetContentsPair& pair, std::vector<ContentItem>& items);
void compareFormats(const SheetContentsPair& pair, std::vector<ContentItem>& items);

// The rows and columns hidden in one file and not the other, one item for each run of them.
void compareHiddenLines(const SheetContentsPair& pair, std::vector<ContentItem>& items);

// The merged ranges of one file that the other lacks.
void compareMerged(const SheetContentsPair& pair, std::vector<ContentItem>& items);

// How a format differs from another: the names of the properties that differ ("number format,
// bold"), and each format's values of those ("number format 0.00; bold"); "" when none does.
struct FormatChange {
  std::string properties;
  std::string text1;
  std::string text2;
};
FormatChange formatChange(const CellFormat& format1, const CellFormat& format2);

}  // namespace quill
