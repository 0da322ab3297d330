#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/content_items.h"

namespace quill {

// A row of report.htm's difference list for a difference in what the workbooks hold besides
// cell texts: its kind, where it lies (in each file where the places differ) or what it is
// about, and what each file has; a changed macro module's lines in a preformatted block.
// Given an anchor, the place links to it in the grid.
void appendContentRow(std::string& body, const ContentItem& item, std::string_view anchor = {});

// A table of such rows: the list under a grid table's heading, or the whole workbooks'
// differences (names, macro modules) under a heading of their own after the grid's tables.
void appendContentTable(std::string& body, std::span<const ContentItem> items);
void appendWorkbookContents(std::string& grid, std::span<const ContentItem> items);

}  // namespace quill
