// Where the command line leaves the extent of a comparison open, it covers every cell that
// either file holds, and a start beyond that extent is refused as a typed one is.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "support/temporary_folder.h"

namespace quill::cli {
namespace {

class DefaultExtent : public testing::Test {
 protected:
  std::string write(const char* name, const char* text) {
    const auto path = folder_.path() / name;
    std::ofstream(path) << text;
    return path.string();
  }
  int compare(const std::string& file1, const std::string& file2,
              std::vector<std::string> options) {
    std::vector<std::string> arguments = {"compare", file1, file2, "--out",
                                          (folder_.path() / "out").string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    out.str("");
    err.str("");
    return cli::run(arguments, out, err);
  }
  test::TemporaryFolder folder_;
  std::ostringstream out, err;
};

TEST_F(DefaultExtent, TheSecondFilesExtraRowsAndColumnsAreCompared) {
  const std::string shorter = write("a.csv", "id,v\n1,a\n2,b\n");
  const std::string longer = write("b.csv", "id,v\n1,a\n2,b\n3,c\n");
  const std::string wider = write("c.csv", "id,v,w\n1,a,x\n2,b,\n");
  const struct {
    std::string second;
    std::vector<std::string> options;
  } cases[] = {
      {longer, {"--sheet1", "1"}},
      {longer, {"--sheet1", "1", "--mode", "rows"}},
      {longer, {"--sheet1", "1", "--mode", "rows", "--start", "2"}},
      {wider, {"--sheet1", "1"}},
      {wider, {"--sheet1", "1", "--mode", "columns"}},
      {wider, {"--sheet1", "1", "--mode", "columns", "--start", "B"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(compare(shorter, c.second, c.options), 1) << c.options.back() << err.str();
    EXPECT_EQ(out.str(), "2 differences in 1 of 1 sheet\n") << c.options.back();
  }
}

TEST_F(DefaultExtent, AStartBeyondTheLastUsedRowOrColumnIsRefused) {
  const std::string file = write("a.csv", "id,v\n1,a\n2,b\n");
  EXPECT_EQ(compare(file, file, {"--sheet1", "1", "--mode", "rows", "--start", "30"}), 2);
  EXPECT_EQ(err.str(), "quillmere-cli compare: Start row must not be greater than end row.\n");
  EXPECT_EQ(compare(file, file, {"--sheet1", "1", "--mode", "columns", "--start", "D"}), 2);
  EXPECT_EQ(err.str(),
            "quillmere-cli compare: Start column must not be greater than end column.\n");
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "out" / "report.htm"));
}

}  // namespace
}  // namespace quill::cli
