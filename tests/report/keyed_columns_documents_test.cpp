// The grid of a comparison of columns: a column whose value changed in the key is drawn in two
// cells from then on, and only that column.
#include <gtest/gtest.h>

#include "document_run.h"
#include "engine/columns_comparison.h"

namespace quill::test {
namespace {

void askColumns(ComparisonRequest& request, const std::string& rows, const std::string& start,
                const std::string& identifying, const std::string& ignore) {
  request.sheet1 = 1;
  request.mode = Mode::Columns;
  request.range1 = rows;
  request.startColumn = start;
  request.identifying = identifying;
  request.ignored = ignore;
}

TEST(KeyedColumnsDocuments, PairingColumnTwelveLeavesColumnsOneAndTwoSingle) {
  std::vector<std::pair<std::string, std::string>> cells1, cells2;
  for (const char* column : {"A", "B", "L"}) {
    for (const char* row : {"1", "3"}) {
      cells1.push_back({std::string(column) + row, "same"});
      cells2.push_back({std::string(column) + row, "same"});
    }
  }
  cells1.push_back({"L2", "old"});
  cells2.push_back({"L2", "new"});
  DocumentRun run({{"S", cells1}}, {{"S", cells2}});
  askColumns(run.request, "$1:$3", "A", "1 2 3", "");
  const WrittenDocuments docs = run.run(compareColumns);

  // Row 3: only column L (12) is drawn in its paired form.
  std::string row3 = "<tr>" + header("3");
  for (int column = 1; column <= 12; ++column)
    row3 += column == 12 ? data("same") + "<td>&nbsp</td>" : data(column <= 2 ? "same" : "");
  EXPECT_TRUE(docs.grid.ends_with(row3 + "</table>")) << docs.grid;
}

}  // namespace
}  // namespace quill::test
