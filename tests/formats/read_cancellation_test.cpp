// A read asked to stop gives up with ComparisonCancelled, whatever the format, and reports
// nothing; a token that is never stopped changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stop_token>

#include "formats/ods/ods_test_support.h"
#include "formats/package/zip_archive.h"
#include "formats/session.h"
#include "formats/workbook_file.h"
#include "formats/xls/record_reader.h"
#include "support/collecting_error_box.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

const std::filesystem::path kData = QUILLMERE_TEST_DATA;

struct FormatCase {
  const char* name;
  std::filesystem::path path;
};

class ReadCancellation : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(folder_.path() / "plain.csv") << "a,b\n1,2\n";
    cases_ = {
        {"xlsx", kData / "xlsx" / "texts.xlsx"},
        {"xlsb", kData / "xlsb" / "kinds.xlsb"},
        {"ods", kData / "formulas" / "formulas.ods"},
        {"xls BIFF8", kData / "xls" / "kinds.xls"},
        {"xls BIFF5", kData / "xls" / "kinds_biff5.xls"},
        {"csv", folder_.path() / "plain.csv"},
    };
  }

  static ReadOptions stoppedOptions(bool formulas) {
    std::stop_source source;
    source.request_stop();
    return ReadOptions{.formulas = formulas, .stop = source.get_token()};
  }

  test::TemporaryFolder folder_;
  std::vector<FormatCase> cases_;
};

TEST_F(ReadCancellation, EveryReaderStopsWhenAskedBeforeItStarts) {
  for (const FormatCase& format : cases_)
    for (const bool formulas : {false, true})
      EXPECT_THROW(readWorkbookFile(format.path.string(), stoppedOptions(formulas)),
                   ComparisonCancelled)
          << format.name << (formulas ? " with formulas" : "");
}

TEST_F(ReadCancellation, ATokenNeverStoppedReadsAsWithout) {
  for (const FormatCase& format : cases_) {
    std::stop_source source;
    const auto withToken =
        readWorkbookFile(format.path.string(), ReadOptions{.stop = source.get_token()});
    const auto without = readWorkbookFile(format.path.string());
    ASSERT_EQ(withToken->sheetCount(), without->sheetCount()) << format.name;
    for (std::size_t sheet = 1; sheet <= without->sheetCount(); ++sheet)
      EXPECT_EQ(withToken->storedSheet(sheet).cellCount(), without->storedSheet(sheet).cellCount())
          << format.name;
    EXPECT_GT(without->storedSheet(1).cellCount(), 0u) << format.name;
  }
}

// A stop requested while a part is inflated ends the read before the next chunk.
TEST_F(ReadCancellation, AZipPartStopsBetweenChunks) {
  const auto path = folder_.path() / "big.zip";
  test::writeZip(path, {{"part.xml", std::string(std::size_t(1) << 20, 'x')}});
  std::stop_source source;
  const ZipArchive zip(path.string(), source.get_token());
  int chunks = 0;
  EXPECT_THROW(zip.read("part.xml",
                        [&](std::string_view) {
                          ++chunks;
                          source.request_stop();
                        }),
               ComparisonCancelled);
  EXPECT_EQ(chunks, 1);
}

// The .xls record reader checks once in every few thousand records, not only at the start.
TEST_F(ReadCancellation, AnXlsStreamStopsWithinAFewThousandRecords) {
  constexpr int kRecords = 20000;
  std::string stream;
  for (int i = 0; i < kRecords; ++i) stream += std::string("\x01\x02\x00\x00", 4);
  xls::MemorySource bytes(stream);
  std::stop_source source;
  xls::RecordReader reader(bytes, source.get_token());
  xls::Record record;
  int read = 0;
  try {
    while (reader.next(record)) {
      if (++read == 100) source.request_stop();
    }
  } catch (const ComparisonCancelled&) {
    EXPECT_GT(read, 100);
    EXPECT_LT(read, 100 + 5000) << "checks too seldom";
    return;
  }
  ADD_FAILURE() << "read all " << read << " records without stopping";
}

// The opening of a session lets the cancellation pass its trap, so that no box reports it.
TEST_F(ReadCancellation, AStoppedSessionOpeningReportsNothing) {
  const std::string path = cases_.front().path.string();
  SpreadsheetSession session;
  test::CollectingErrorBox box;
  EXPECT_THROW(openWorkbookPair(session, path, path, box, stoppedOptions(false)),
               ComparisonCancelled);
  EXPECT_TRUE(box.texts.empty()) << box.texts.front();
  EXPECT_FALSE(session.isOpen());
}

}  // namespace
}  // namespace quill
