#include "ui/workbook_loader.h"

#include <QProgressBar>
#include <QThread>
#include <atomic>
#include <mutex>
#include <stop_token>

#include "shell/window_error_box.h"

namespace quill {

namespace {

// Keeps the texts of the boxes a worker reports, to be shown on the window's thread.
class CollectingErrorBox final : public ErrorBox {
 public:
  void show(const std::string& text) override {
    const std::lock_guard lock(mutex_);
    texts_.push_back(text);
  }
  std::vector<std::string> texts() const {
    const std::lock_guard lock(mutex_);
    return texts_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
};

// The line label a loader was given, as the trap's labels are enumerations.
enum class OpeningLine : int {};

}  // namespace

// What one read works on; the worker holds it as long as the loader, so that a loader gone
// or a read given up leaves the worker nothing it could reach.
struct WorkbookLoader::Read {
  std::string path1;
  std::string path2;
  SessionOpener opener;
  SpreadsheetSession session;
  CollectingErrorBox box;
  std::atomic<bool> givenUp = false;
  std::stop_source stop;  // asks the readers to give up at their next check

  void abandon() {
    givenUp = true;
    stop.request_stop();
  }
};

WorkbookLoader::WorkbookLoader(QWidget& owner, ProgramContext& context, QProgressBar& progress,
                               std::string procedure, int label)
    : owner_(owner),
      context_(context),
      progress_(progress),
      procedure_(std::move(procedure)),
      label_(label) {}

WorkbookLoader::~WorkbookLoader() {
  // The window's controls may be gone already: only the read is given up, and its readers
  // stop at their next check, so that the wait below is short.
  if (running_) running_->abandon();
  for (const QPointer<QThread>& thread : threads_) {
    if (!thread) continue;
    thread->wait();
    delete thread.data();
  }
}

void WorkbookLoader::start(const std::string& path1, const std::string& path2) {
  giveUp();
  auto read = std::make_shared<Read>();
  read->path1 = path1;
  read->path2 = path2;
  read->opener = context_.openSession;
  const std::string window = owner_.objectName().toStdString();
  const std::string procedure = procedure_;
  const int label = label_;
  std::shared_ptr<PasswordSource> passwords = context_.passwords;
  QThread* thread = QThread::create([read, window, procedure, label, passwords] {
    ErrorTrap trap(window, procedure, read->box);
    const ReadOptions options{
        .formulas = false, .stop = read->stop.get_token(), .passwords = passwords.get()};
    try {
      trap.at(OpeningLine(label),
              [&] { read->opener(read->session, read->path1, read->path2, read->box, options); });
    } catch (const ComparisonCancelled&) {
      // The read was given up and its readers stopped; there is nothing to show.
    }
  });
  threads_.push_back(thread);
  connect(thread, &QThread::finished, this, [this, read, thread] {
    std::erase(threads_, QPointer<QThread>(thread));
    thread->deleteLater();
    readEnded(read);
  });
  running_ = read;
  busy_.emplace();
  progress_.setRange(0, 0);
  thread->start();
}

void WorkbookLoader::giveUp() {
  if (!running_) return;
  running_->abandon();
  running_.reset();
  showIdle();
}

void WorkbookLoader::showIdle() {
  busy_.reset();
  progress_.setRange(0, 100);
  progress_.setValue(0);
}

void WorkbookLoader::readEnded(const std::shared_ptr<Read>& read) {
  // A read given up is dropped with its workbooks.
  if (read->givenUp || read != running_) return;
  running_.reset();
  showIdle();
  session_ = std::move(read->session);
  WindowErrorBox box(owner_, context_.dialogs);
  for (const std::string& text : read->box.texts()) box.show(text);
  emit finished();
}

SpreadsheetSession WorkbookLoader::takeSession() {
  return std::move(session_);
}

}  // namespace quill
