#include "engine/cell_comparison.h"

#include <algorithm>

#include "report/documents.h"
#include "report/templates.h"

namespace quill {

void appendCellComparison(ReportBodies& bodies, const ComparisonRequest& request,
                          std::string_view sheet, long row, long column, std::string_view text1,
                          std::string_view text2) {
  if (text1 == text2) {
    appendDataCell(bodies.grid, text1);
    return;
  }
  const std::string anchor = cellAnchor(sheet, row, column);
  appendDifferenceRow(bodies, request, anchor, text1, text2);
  if (text2.empty())
    appendCommentCell(bodies.grid, request.path2, anchor, text1);
  else if (text1.empty())
    appendCommentCell(bodies.grid, request.path1, anchor, text2);
  else
    appendChangedCell(bodies.grid, anchor, text1, text2);
}

void appendRowComparison(ReportBodies& bodies, const ComparisonRequest& request,
                         std::string_view sheet, long row, long firstColumn,
                         std::span<const std::string_view> texts1,
                         std::span<const std::string_view> texts2) {
  const std::size_t count = texts1.size();
  for (std::size_t c = 0; c < count;) {
    std::size_t end = c;
    if (count > std::size_t(kFoldedColumnsAbove))
      while (end < count && texts1[end].empty() && texts2[end].empty()) ++end;
    if (end - c > std::size_t(kFoldedColumnsAbove)) {
      appendEmptyColumnsCell(bodies.grid, firstColumn + long(c), firstColumn + long(end) - 1);
      c = end;
      continue;
    }
    end = std::max(end, c + 1);  // a short empty stretch, or one cell that is not empty
    for (; c < end; ++c)
      appendCellComparison(bodies, request, sheet, row, firstColumn + long(c), texts1[c],
                           texts2[c]);
  }
}

long nextOffsetInUse(const Worksheet& sheet1, long first1, const Worksheet& sheet2, long first2,
                     long offset, long count) {
  auto next = [&](const Worksheet& sheet, long first) {
    const long row = sheet.firstRowInUseFrom(first + offset);
    return row == 0 ? count : std::min(count, row - first);
  };
  return std::min(next(sheet1, first1), next(sheet2, first2));
}

void appendDifferenceRow(ReportBodies& bodies, const ComparisonRequest& request,
                         std::string_view anchor, std::string_view text1, std::string_view text2) {
  ++bodies.differences;
  if (text2.empty())
    appendMissingValueRow(bodies.report, request.path2, anchor);
  else if (text1.empty())
    appendMissingValueRow(bodies.report, request.path1, anchor);
  else
    appendDifferentValueRow(bodies.report, anchor, text1, text2);
}

void writeDocuments(const ComparisonContext& context, const ReportBodies& bodies,
                    const std::string& caption) {
  context.progress.setWriting();
  std::filesystem::create_directories(context.outputFolder);
  const DocumentTitle reportTitle{context.request.path1, context.request.path2,
                                  context.now ? context.now() : currentLocalTime(), caption};
  DocumentTitle gridTitle = reportTitle;
  gridTitle.now = context.now ? context.now() : currentLocalTime();
  writeDocumentPair(context.outputFolder, reportTitle, bodies.report, gridTitle, bodies.grid);
}

}  // namespace quill
