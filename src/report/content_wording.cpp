#include "report/content_wording.h"

#include "report/difference_items.h"
#include "sheet/address.h"

namespace quill {

std::string contentPlace(const ContentItem& item, bool first) {
  const long row = first ? item.row1 : item.row2;
  const long column = first ? item.column1 : item.column2;
  const std::string place = itemPlace(row, column);
  if (place.empty() || item.count <= 1 || (row > 0 && column > 0)) return place;
  const std::string last =
      row > 0 ? std::to_string(row + item.count - 1) : columnLetters(column + item.count - 1);
  return place + ":" + last;
}

ContentSides contentSides(const ContentItem& item) {
  switch (item.kind) {
    case ItemKind::MergedAdded:
      return {"", item.subject};
    case ItemKind::MergedRemoved:
      return {item.subject, ""};
    case ItemKind::RowHidden:
    case ItemKind::ColumnHidden:
      return {"shown", "hidden"};
    case ItemKind::RowShown:
    case ItemKind::ColumnShown:
      return {"hidden", "shown"};
    default:
      return {item.text1, item.text2};
  }
}

}  // namespace quill
