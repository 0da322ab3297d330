#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

#include "engine/comparison.h"
#include "report/document_index.h"
#include "shell/look.h"

class QProgressBar;
class QThread;
class QWidget;

namespace quill {

struct ProgramContext;

// One of the comparisons of the engine, run on an open session.
using Comparison = std::function<ComparisonOutcome(ComparisonContext&)>;

// Runs a whole-workbook comparison for a window on a worker thread: the window's progress
// bar follows it row by row, its error boxes are shown on the window while the worker waits
// for OK, and it can be stopped cleanly when the window closes.
class ComparisonRunner final : public QObject {
  Q_OBJECT
 public:
  ComparisonRunner(QWidget& owner, ProgramContext& context, QProgressBar& progress);
  ~ComparisonRunner() override;

  // Opens the request's two files and runs the comparison (the whole-workbook one unless
  // told otherwise) into the context's temporary folder; failures that escape it are
  // reported under the given procedure of the owner window, at the line label 104
  // (opening) or 106 (comparing).
  void start(const ComparisonRequest& request, const QString& windowName, const QString& procedure,
             Comparison comparison = {});
  bool isRunning() const { return thread_ != nullptr; }
  // Runs the last comparison started again on the calling thread, opening its files anew,
  // its result told to the sink made for the open session; failures are reported in the box.
  using SinkMaker = std::function<ResultSink&(const SpreadsheetSession&)>;
  ComparisonOutcome repeatInto(const SinkMaker& sink, ErrorBox& box);
  const ComparisonRequest& request() const { return request_; }
  // Stops a running comparison and waits until its thread has ended.
  void cancelAndWait();
  // Asks a running comparison to stop; finished() follows, cancelled, once its thread ends.
  void stop();

 signals:
  // A comparison has started on its thread.
  void started();
  // The comparison has ended; cancelled when it was stopped before its end.
  void finished(const quill::ComparisonOutcome& outcome, bool cancelled);

 private:
  class Progress;
  void work(const QString& windowName, const QString& procedure, const Comparison& comparison);
  void showProgress();
  void threadEnded();

  QWidget& owner_;
  ProgramContext& context_;
  QProgressBar& progressBar_;
  std::unique_ptr<Progress> progress_;
  std::shared_ptr<std::atomic<bool>> cancelled_;
  std::stop_source readStop_;  // stops the readers of a cancelled run within a chunk
  QTimer progressTimer_;
  QThread* thread_ = nullptr;
  std::optional<BusyCursor> busy_;
  ComparisonRequest request_;
  Comparison comparison_;
  ComparisonOutcome outcome_;
  DocumentIndex index_;  // recorded by the writer of the documents, on the worker thread
  bool wasCancelled_ = false;
};

}  // namespace quill
