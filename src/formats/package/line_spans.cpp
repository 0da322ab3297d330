#include "formats/package/line_spans.h"

#include <algorithm>

namespace quill {

void joinSpans(std::vector<LineSpan>& spans) {
  std::sort(spans.begin(), spans.end(),
            [](const LineSpan& a, const LineSpan& b) { return a.first < b.first; });
  std::vector<LineSpan> joined;
  for (const LineSpan& span : spans) {
    if (!joined.empty() && span.first <= joined.back().last + 1)
      joined.back().last = std::max(joined.back().last, span.last);
    else
      joined.push_back(span);
  }
  spans = std::move(joined);
}

}  // namespace quill
