#pragma once

#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/comparison_result.h"
#include "report/content_markup.h"
#include "report/document_index.h"
#include "report/document_marker.h"
#include "report/document_stream.h"
#include "report/html_table.h"
#include "report/staging_folder.h"

namespace quill {

// Renders a comparison's result as report.htm and visualized.htm in a folder, made when
// missing. Both are written as the result arrives, through buffers, into a staging folder
// there, and replace the folder's old pair together at finish(); a writer dropped before
// finishing removes what it wrote and leaves the old pair as it was. A failure to write stops
// the writing and is held until finish(), which throws it, so that it is reported once, where
// the documents are completed. Given an index, the writer records into it, when it finishes,
// where the documents' rows and the list's anchors lie (see document_index.h).
class HtmlResultWriter final : public ResultSink {
 public:
  explicit HtmlResultWriter(std::filesystem::path folder, DocumentIndex* index = nullptr);
  ~HtmlResultWriter() override;
  HtmlResultWriter(const HtmlResultWriter&) = delete;
  HtmlResultWriter& operator=(const HtmlResultWriter&) = delete;

  void begin(const ResultHeading& heading) override;
  void beginTable(const TableStart& table) override;
  void line(const Line& line) override;
  void contents(std::span<const ContentItem> items) override;
  void endTable() override;
  void finish() override;

 private:
  // Runs a writing step unless an earlier one failed; holds the failure of this one.
  template <class Step>
  void write(Step&& step);
  void openDocuments();
  void flush();
  HtmlTable& table();

  std::filesystem::path folder_;
  // Declared before the documents, so that their pending files go before their folder.
  std::unique_ptr<StagingFolder> staging_;
  std::unique_ptr<DocumentStream> report_;
  std::unique_ptr<DocumentStream> grid_;
  std::unique_ptr<HtmlTable> table_;
  std::string path1_, path2_;
  DocumentIndex* index_;
  std::unique_ptr<DocumentMarker> marker_;  // while an index is being recorded
  std::exception_ptr failure_;
};

}  // namespace quill
