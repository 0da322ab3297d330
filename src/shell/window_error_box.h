#pragma once

#include <QPointer>
#include <QWidget>
#include <atomic>
#include <memory>

#include "base/error_trap.h"

namespace quill {

class ShellDialogs;

// Shows "Application Error" boxes on a window. On the window's own thread the box is shown
// at once; from a worker thread it is handed to the window's thread and the worker waits
// for OK, or gives up by throwing ComparisonCancelled once its work is cancelled.
class WindowErrorBox final : public ErrorBox {
 public:
  WindowErrorBox(QWidget& owner, ShellDialogs& dialogs,
                 std::shared_ptr<const std::atomic<bool>> cancelled = nullptr);
  void show(const std::string& text) override;

 private:
  bool isCancelled() const { return cancelled_ && cancelled_->load(); }
  void showFromWorker(const QString& text);

  QPointer<QWidget> owner_;
  ShellDialogs& dialogs_;
  std::shared_ptr<const std::atomic<bool>> cancelled_;
};

}  // namespace quill
