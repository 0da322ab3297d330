#pragma once

#include <string>
#include <string_view>

#include "report/script_renderer.h"

namespace quill {

// Renders a result as one comparison object of the "quillmere-diff" JSON document (version
// 1, described in the README): the files, the caption, each sheet pair with its listed
// differences and its counts, and the total. jsonDocumentStart() and jsonDocumentEnd() wrap
// one or more such objects, separated by jsonSeparator, into the document.
class JsonRenderer final : public ScriptRenderer {
 public:
  JsonRenderer(ByteSink& out, RenderOptions options);

  void begin(const ResultHeading& heading) override;
  void finish() override;

 private:
  void tableBegun(const TableStart& table, bool newPair) override;
  void writeItem(const DifferenceItem& item) override;
  void openPair(const SheetPairSummary& pair);
  void closePair(const SheetPairSummary& pair);
  void writeContentMembers(const ContentItem& item);
  // Closes the sheet pairs, once, before the whole workbook's differences or the total.
  void closePairs();

  bool inFirst_ = true;  // whether the current table's files have its sheet
  bool inSecond_ = true;
  bool firstItem_ = true;
  bool pairsClosed_ = false;
  bool workbookItems_ = false;  // the whole workbook's list of differences is open
};

inline constexpr std::string_view kJsonFormat = "quillmere-diff";
inline constexpr int kJsonVersion = 1;
inline constexpr std::string_view kJsonSeparator = ",\n";

// The document's opening, up to the first comparison object.
std::string jsonDocumentStart();

// The document's end after the last comparison object: the total of all of them. Members
// are added to the total as they stand ("\"pairsFailed\":1", already JSON).
// contents: contents were compared, and the total gives their counts too.
std::string jsonDocumentEnd(const ResultTotal& total, std::string_view extraMembers = {},
                            bool contents = false);

// The object that stands for a pair of a folder comparison that has no result: "failed",
// with the failure, or "added" or "removed", a workbook in one tree only.
std::string jsonPathObject(std::string_view path, std::string_view state, std::string_view file1,
                           std::string_view file2, std::string_view failure);

}  // namespace quill
