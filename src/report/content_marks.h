#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/difference_kinds.h"

namespace quill {

// How the grid marks a difference in what the workbooks hold besides cell texts.
enum class MarkStyle : char { Note, Format, Merged, Hidden, Shown };

// The style of the kind's mark; none for a kind the grid has no place for (a sheet's
// visibility, names, macro modules).
std::optional<MarkStyle> markStyleOf(ItemKind kind);

// The class of a grid cell marked in the style.
std::string_view markClass(MarkStyle style);

// The style sheet's rules for the marked cells, each in its legend colour.
void appendMarkStyles(std::string& head);

// The line under the grid's title that names each mark's colour.
void appendMarkLegend(std::string& head);

}  // namespace quill
