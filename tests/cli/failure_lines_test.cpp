// A failed comparison on the command line says in one line what failed, naming the file,
// without the windows' box text (program location, request for a screenshot) and without
// the staging folder that the user never named.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "cli/stream_error_box.h"
#include "support/temporary_folder.h"

namespace quill::cli {
namespace {

const std::string kData = QUILLMERE_TEST_DATA;

TEST(FailureLines, AFileThatCannotBeOpenedGivesOneLineNamingIt) {
  test::TemporaryFolder folder;
  const std::string damaged = kData + "/xlsx/not_a_zip.xlsx";
  const std::string good = kData + "/keyed/keyed1.xlsx";
  for (const auto& [file1, file2] : {std::pair{damaged, good}, std::pair{good, damaged}}) {
    std::ostringstream out, err;
    EXPECT_EQ(run({"compare", file1, file2, "--out", folder.path().string()}, out, err), 2);
    const std::string text = err.str();
    EXPECT_TRUE(text.starts_with("quillmere-cli compare: \"" + damaged + "\"")) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_TRUE(text.ends_with("\n")) << text;
    for (const char* windowOnly : {"\r", " at line ", "screenshot", ".quillmere-"})
      EXPECT_EQ(text.find(windowOnly), std::string::npos) << windowOnly << " in " << text;
  }
}

TEST(FailureLines, EachFailureTakesOneLineWithoutTheWindowsText) {
  std::ostringstream err;
  StreamErrorBox box(err, "quillmere-cli compare: ");
  box.showFailure("Cannot write \"/out/report.htm\": No space left on device",
                  "box text\r\nin Somewhere at line 1");
  box.show("A box text\r\nin Somewhere at line 3\r\rPlease email");
  EXPECT_EQ(err.str(),
            "quillmere-cli compare: Cannot write \"/out/report.htm\": No space left on device\n"
            "quillmere-cli compare: A box text\n");
  EXPECT_EQ(box.count(), 2);
}

}  // namespace
}  // namespace quill::cli
