#pragma once

#include <string>
#include <string_view>

#include "report/script_renderer.h"

namespace quill {

// Renders a result as CSV (RFC 4180, UTF-8, CRLF line ends): a record for each listed
// difference and each sheet that is not paired as it stands, then a "sheet pair" record for
// each pair and a "total" record with the counts. The header row comes from csvHeader(), so
// that the records of several comparisons can follow one header.
class CsvRenderer final : public ScriptRenderer {
 public:
  CsvRenderer(ByteSink& out, RenderOptions options);

  void begin(const ResultHeading& heading) override;
  void finish() override;

 private:
  void tableBegun(const TableStart& table, bool newPair) override;
  void writeItem(const DifferenceItem& item) override;
  void writeSheetRecords();
  // The fields every record starts with: the two files and, unless empty, the two sheets.
  void startRecord(std::string_view sheet1, std::string_view sheet2);
  // The subject and detail fields: 2 with contents compared, else none.
  int contentFields() const;

  std::string file1_;
  std::string file2_;
  std::string sheet1_;  // the current table's sheets; empty where its file lacks it
  std::string sheet2_;
};

// The header row, CRLF included.
// contents: the comparison compared contents (notes, names, ...), whose records and counts
// take columns of their own here and below.
std::string csvHeader(bool contents = false);

// A record that is not a comparison's: a pair of a folder comparison that failed ("failed",
// its reason as text1) or a workbook in one tree only ("workbook only in FILE1" ...).
std::string csvPathRecord(std::string_view file1, std::string_view file2, std::string_view kind,
                          std::string_view text1, bool contents = false);

// A record of counts alone, such as the overall total of a folder comparison: the kind, a
// text and the counts.
std::string csvTotalRecord(std::string_view kind, const DifferenceCounts& counts,
                           std::string_view text1, bool contents = false);

}  // namespace quill
