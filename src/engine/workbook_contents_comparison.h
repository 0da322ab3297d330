#pragma once

#include <vector>

#include "engine/content_items.h"
#include "sheet/workbook_contents.h"

namespace quill {

// The differences of two workbooks in what belongs to neither sheet in `compared`: defined
// names by scope and name, then macro modules by name (a changed one with its changed lines
// as a unified diff), then a line for each file whose macro project could not be read.
std::vector<ContentItem> compareWorkbookContents(const WorkbookContents& book1,
                                                 const WorkbookContents& book2,
                                                 const ContentsToRead& compared);

}  // namespace quill
