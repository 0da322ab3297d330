#include "engine/cell_comparison.h"

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
  std::filesystem::create_directories(context.outputFolder);
  const DocumentTitle reportTitle{context.request.path1, context.request.path2,
                                  context.now ? context.now() : currentLocalTime(), caption};
  DocumentTitle gridTitle = reportTitle;
  gridTitle.now = context.now ? context.now() : currentLocalTime();
  writeDocumentPair(context.outputFolder, reportTitle, bodies.report, gridTitle, bodies.grid);
}

}  // namespace quill
