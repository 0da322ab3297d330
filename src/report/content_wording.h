#pragma once

#include <string>

#include "engine/content_items.h"

namespace quill {

// Where a content item lies in one file, as the outputs name it: a cell "C3", a row "5" or
// a run of rows "5:9", a column "D" or "D:F"; "" where it has no place in that file.
std::string contentPlace(const ContentItem& item, bool first);

// What a content item is about when it has no place in a sheet: a defined name, a macro
// module, the file whose macro project could not be read, or a merged range.
inline const std::string& contentSubject(const ContentItem& item) {
  return item.subject;
}

// The two sides of a content item as an output lists them: what each file has (a note, a
// formula, a visibility, format properties); a merged range added or removed on the side
// that has it.
struct ContentSides {
  std::string text1;
  std::string text2;
};
ContentSides contentSides(const ContentItem& item);

}  // namespace quill
