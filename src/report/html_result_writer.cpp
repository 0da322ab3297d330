#include "report/html_result_writer.h"

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "report/document_saving.h"
#include "report/documents.h"
#include "report/pending_file.h"

namespace quill {

namespace fs = std::filesystem;

HtmlResultWriter::HtmlResultWriter(fs::path folder, DocumentIndex* index)
    : folder_(std::move(folder)),
      index_(index),
      marker_(index ? std::make_unique<DocumentMarker>() : nullptr) {}

HtmlResultWriter::~HtmlResultWriter() = default;

template <class Step>
void HtmlResultWriter::write(Step&& step) {
  if (failure_) return;
  try {
    step();
  } catch (...) {
    failure_ = std::current_exception();
  }
}

void HtmlResultWriter::begin(const ResultHeading& heading) {
  write([&] {
    path1_ = heading.path1;
    path2_ = heading.path2;
    openDocuments();
    const DocumentTitle title{path1_, path2_, std::string(heading.now),
                              std::string(heading.caption), heading.contents};
    report_->text().append(reportDocumentHead(title));
    grid_->text().append(gridDocumentHead(title));
    if (marker_) marker_->headsWritten(report_->offset(), grid_->offset());
  });
}

void HtmlResultWriter::beginTable(const TableStart& table) {
  write([&] {
    if (!report_) throw std::logic_error("A table of the result came before its heading");
    ListedAnchors listed;
    if (marker_)
      listed = [marker = marker_.get()](std::string_view anchor) { marker->listed(anchor); };
    table_ = std::make_unique<HtmlTable>(table, FilePaths{path1_, path2_}, std::move(listed));
    if (marker_) marker_->tableBegun(grid_->offset(), table_->title());
    table_->begin(report_->text(), grid_->text());
    flush();
  });
}

void HtmlResultWriter::line(const Line& line) {
  write([&] {
    if (marker_)
      marker_->lineBegun(report_->offset(), grid_->offset(), HtmlTable::gridRowsOf(line.kind));
    table().line(line, report_->text(), grid_->text());
    flush();
  });
}

void HtmlResultWriter::contents(std::span<const ContentItem> items) {
  write([&] {
    if (!report_) throw std::logic_error("Contents of the result came before its heading");
    for (const ContentItem& item : items)
      appendContentRow(report_->text(), item, table_ ? table_->contentAnchor(item) : "");
    // The whole workbooks' differences have no place in a grid table; the grid lists them
    // after its tables.
    if (!table_) appendWorkbookContents(grid_->text(), items);
    flush();
  });
}

void HtmlResultWriter::endTable() {
  write([&] {
    const std::uint64_t gridEnd = grid_->offset();
    table().end(report_->text(), grid_->text());
    if (marker_) marker_->tableEnded(gridEnd, grid_->offset());
    table_.reset();
    flush();
  });
}

void HtmlResultWriter::finish() {
  if (failure_) std::rethrow_exception(failure_);
  if (!report_) throw std::logic_error("The documents were finished before they were begun");
  DocumentIndex recorded;
  if (marker_) recorded = marker_->finish(report_->offset());
  report_->finish(reportDocumentTail());
  grid_->finish(gridDocumentTail());
  report_->commit();
  grid_->commit();
  publishDocumentPair(*staging_, folder_);
  if (index_) *index_ = std::move(recorded);
  report_.reset();
  grid_.reset();
  staging_.reset();
}

void HtmlResultWriter::openDocuments() {
  std::error_code error;
  fs::create_directories(folder_, error);
  if (error) failWriting(folder_, error.value());
  staging_ = std::make_unique<StagingFolder>(folder_);
  report_ = std::make_unique<DocumentStream>(staging_->path() / kReportFileName,
                                             folder_ / kReportFileName);
  grid_ =
      std::make_unique<DocumentStream>(staging_->path() / kGridFileName, folder_ / kGridFileName);
}

void HtmlResultWriter::flush() {
  report_->flush();
  grid_->flush();
}

HtmlTable& HtmlResultWriter::table() {
  if (!table_) throw std::logic_error("A line of the result came outside a table");
  return *table_;
}

}  // namespace quill
