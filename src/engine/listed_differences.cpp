#include "engine/listed_differences.h"

namespace quill {

ItemKind cellItemKind(DifferenceKind difference) {
  switch (difference) {
    case DifferenceKind::MissingInFirst:
      return ItemKind::MissingInFirst;
    case DifferenceKind::MissingInSecond:
      return ItemKind::MissingInSecond;
    case DifferenceKind::DifferentFormula:
      return ItemKind::DifferentFormula;
    default:
      return ItemKind::DifferentValue;
  }
}

}  // namespace quill
