#include "report/content_marks.h"

namespace quill {

namespace {

// Each style's class, colour and words in the legend, in the order of MarkStyle.
struct MarkLook {
  std::string_view cssClass;
  std::string_view colour;
  std::string_view legend;
};

constexpr MarkLook kLooks[] = {
    {"note", "#FFCC66", "different note"},
    {"format", "#CC99FF", "different format"},
    {"merged", "#99CC66", "merged range added or removed"},
    {"hiddenline", "#BBBBBB", "row or column hidden"},
    {"shownline", "#66CCCC", "row or column shown"},
};

const MarkLook& lookOf(MarkStyle style) {
  return kLooks[static_cast<int>(style)];
}

}  // namespace

std::optional<MarkStyle> markStyleOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::DifferentNote:
      return MarkStyle::Note;
    case ItemKind::DifferentFormat:
      return MarkStyle::Format;
    case ItemKind::MergedAdded:
    case ItemKind::MergedRemoved:
      return MarkStyle::Merged;
    case ItemKind::RowHidden:
    case ItemKind::ColumnHidden:
      return MarkStyle::Hidden;
    case ItemKind::RowShown:
    case ItemKind::ColumnShown:
      return MarkStyle::Shown;
    default:
      return std::nullopt;
  }
}

std::string_view markClass(MarkStyle style) {
  return lookOf(style).cssClass;
}

void appendMarkStyles(std::string& head) {
  for (const MarkLook& look : kLooks) {
    head.append(" td.");
    head.append(look.cssClass);
    head.append(" {background-color:");
    head.append(look.colour);
    head.append(";border:0.2mm solid white}");
  }
}

void appendMarkLegend(std::string& head) {
  head.append("<p>(");
  bool first = true;
  for (const MarkLook& look : kLooks) {
    if (!first) head.append("&nbsp;&nbsp;&nbsp;");
    first = false;
    head.append("<span style='background-color:");
    head.append(look.colour);
    head.append("'>&nbsp;&nbsp;</span>&nbsp; - ");
    head.append(look.legend);
  }
  head.append(")</p>");
}

}  // namespace quill
