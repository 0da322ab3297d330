#pragma once

#include <string>

#include "engine/content_items.h"

namespace quill {

// A row of report.htm's difference list for a difference in what the workbooks hold besides
// cell texts: its kind, where it lies (in each file where the places differ) or what it is
// about, and what each file has; a changed macro module's lines in a preformatted block.
void appendContentRow(std::string& body, const ContentItem& item);

}  // namespace quill
