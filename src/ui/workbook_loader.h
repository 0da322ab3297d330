#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/session.h"
#include "shell/look.h"
#include "ui/program_context.h"

class QProgressBar;
class QThread;

namespace quill {

// Reads the two workbooks of a window on a worker thread while the window stays
// responsive: the busy pointer shows and the window's progress bar runs without an end
// until the read has ended. The boxes the read reports are shown on the window once it has
// ended. A read that is given up (another one started, the window gone) is asked to stop,
// which its readers do within a chunk of their file, and is dropped when it ends; the
// loader waits for its thread when destroyed.
class WorkbookLoader final : public QObject {
  Q_OBJECT
 public:
  // The failures of the opening are reported under procedure at that line label.
  WorkbookLoader(QWidget& owner, ProgramContext& context, QProgressBar& progress,
                 std::string procedure, int label);
  // Waits for the threads of every read still running; destroy it before the window's
  // controls.
  ~WorkbookLoader() override;

  // Starts reading the two files, giving up a read still running.
  void start(const std::string& path1, const std::string& path2);
  bool isReading() const { return running_ != nullptr; }
  // Gives up a running read: its readers are asked to stop, what it read is dropped when it
  // ends, and the window's pointer and progress bar are freed at once.
  void giveUp();
  // The session the last finished read opened; empty once taken.
  SpreadsheetSession takeSession();

 signals:
  // A read has ended and was not given up; its boxes have been shown.
  void finished();

 private:
  struct Read;
  void readEnded(const std::shared_ptr<Read>& read);
  void showIdle();

  QWidget& owner_;
  ProgramContext& context_;
  QProgressBar& progress_;
  std::string procedure_;
  int label_;
  std::shared_ptr<Read> running_;
  std::vector<QPointer<QThread>> threads_;  // every thread started and not yet ended
  std::optional<BusyCursor> busy_;
  SpreadsheetSession session_;
};

}  // namespace quill
