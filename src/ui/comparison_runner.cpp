#include "ui/comparison_runner.h"

#include <QProgressBar>
#include <QThread>

#include "engine/whole_workbook.h"
#include "engine/workbook_reading.h"
#include "report/html_result_writer.h"
#include "shell/window_error_box.h"
#include "ui/program_context.h"

namespace quill {

namespace {

constexpr int kProgressRefreshMilliseconds = 30;

// The line labels of a comparison's run, continuing the numbering of the window's procedure
// that started it.
enum class RunLine { OpenFiles = 104, Compare = 106 };

}  // namespace

// The worker's progress, read by the window's thread on a timer; a cancelled run stops
// at the next row.
class ComparisonRunner::Progress final : public ProgressSink {
 public:
  explicit Progress(std::shared_ptr<std::atomic<bool>> cancelled)
      : cancelled_(std::move(cancelled)) {}

  void setMaximum(long rows) override {
    maximum_ = rows;
    value_ = 0;
  }
  void setValue(long row) override {
    value_ = row;
    if (cancelled_->load()) throw ComparisonCancelled{};
  }
  long maximum() const { return maximum_; }
  long value() const { return value_; }

 private:
  std::shared_ptr<std::atomic<bool>> cancelled_;
  std::atomic<long> maximum_ = 0;
  std::atomic<long> value_ = 0;
};

ComparisonRunner::ComparisonRunner(QWidget& owner, ProgramContext& context, QProgressBar& progress)
    : QObject(&owner), owner_(owner), context_(context), progressBar_(progress) {
  progressTimer_.setInterval(kProgressRefreshMilliseconds);
  connect(&progressTimer_, &QTimer::timeout, this, &ComparisonRunner::showProgress);
}

ComparisonRunner::~ComparisonRunner() {
  cancelAndWait();
}

void ComparisonRunner::start(const ComparisonRequest& request, const QString& windowName,
                             const QString& procedure, Comparison comparison) {
  if (isRunning()) return;
  if (!comparison) comparison = compareWholeWorkbooks;
  request_ = request;
  comparison_ = comparison;
  outcome_ = ComparisonOutcome{};
  wasCancelled_ = false;
  cancelled_ = std::make_shared<std::atomic<bool>>(false);
  readStop_ = std::stop_source();
  progress_ = std::make_unique<Progress>(cancelled_);
  busy_.emplace();
  // The bar starts empty, not full from the comparison before.
  progressBar_.setValue(progressBar_.minimum());
  thread_ = QThread::create(
      [this, windowName, procedure, comparison] { work(windowName, procedure, comparison); });
  connect(thread_, &QThread::finished, this, &ComparisonRunner::threadEnded);
  progressTimer_.start();
  thread_->start();
  emit started();
}

void ComparisonRunner::work(const QString& windowName, const QString& procedure,
                            const Comparison& comparison) {
  WindowErrorBox box(owner_, context_.dialogs, cancelled_);
  ErrorTrap trap(windowName.toStdString(), procedure.toStdString(), box);
  try {
    ReadOptions readOptions = readOptionsFor(request_.options);
    readOptions.stop = readStop_.get_token();
    readOptions.passwords = context_.passwords.get();
    trap.at(RunLine::OpenFiles, [&] {
      context_.openSession(context_.session, request_.path1, request_.path2, box, readOptions);
    });
    HtmlResultWriter documents(context_.temporaryFolder.toStdString(), &index_);
    ComparisonContext run{request_, context_.session, documents, *progress_, box, {}};
    trap.at(RunLine::Compare, [&] { outcome_ = comparison(run); });
  } catch (const ComparisonCancelled&) {
    wasCancelled_ = true;
  }
}

ComparisonOutcome ComparisonRunner::repeatInto(const SinkMaker& sink, ErrorBox& box) {
  if (isRunning() || !comparison_) return {};
  context_.openSession(context_.session, request_.path1, request_.path2, box,
                       readOptionsFor(request_.options));
  if (context_.session.secondBook() == nullptr) return {};
  NoProgress progress;
  ComparisonContext run{request_, context_.session, sink(context_.session), progress, box, {}};
  return comparison_(run);
}

void ComparisonRunner::showProgress() {
  const long maximum = progress_->maximum();
  if (maximum < 1) return;
  progressBar_.setMaximum(int(std::min<long>(maximum, INT_MAX)));
  progressBar_.setValue(int(std::min(progress_->value(), maximum)));
}

void ComparisonRunner::stop() {
  if (!thread_) return;
  cancelled_->store(true);
  readStop_.request_stop();
}

void ComparisonRunner::cancelAndWait() {
  if (!thread_) return;
  stop();
  thread_->wait();
  threadEnded();
}

void ComparisonRunner::threadEnded() {
  if (!thread_) return;
  progressTimer_.stop();
  showProgress();
  thread_->deleteLater();
  thread_ = nullptr;
  // The writer fills the index when it has written the documents, and only then.
  if (!index_.list.runs.empty())
    context_.documentIndex = std::make_shared<const DocumentIndex>(std::move(index_));
  index_ = {};
  busy_.reset();
  emit finished(outcome_, wasCancelled_);
}

}  // namespace quill
