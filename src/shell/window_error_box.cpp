#include "shell/window_error_box.h"

#include <QMetaObject>
#include <QSemaphore>
#include <QThread>
#include <memory>

#include "shell/look.h"
#include "shell/shell_dialogs.h"

namespace quill {

namespace {
constexpr int kCancelPollMilliseconds = 50;
}

WindowErrorBox::WindowErrorBox(QWidget& owner, ShellDialogs& dialogs,
                               std::shared_ptr<const std::atomic<bool>> cancelled)
    : owner_(&owner), dialogs_(dialogs), cancelled_(std::move(cancelled)) {}

void WindowErrorBox::show(const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (owner_ && QThread::currentThread() != owner_->thread()) {
    showFromWorker(shown);
    return;
  }
  const NormalCursorWhileShown normal;
  dialogs_.applicationError(owner_, shown);
}

void WindowErrorBox::showFromWorker(const QString& text) {
  if (isCancelled()) throw ComparisonCancelled{};
  // The semaphore outlives this call: the box may still be open when the worker gives up.
  auto closed = std::make_shared<QSemaphore>();
  ShellDialogs* dialogs = &dialogs_;
  std::shared_ptr<const std::atomic<bool>> cancelled = cancelled_;
  QPointer<QWidget> owner = owner_;
  QMetaObject::invokeMethod(
      owner_.data(),
      [dialogs, owner, text, closed, cancelled] {
        if (!cancelled || !cancelled->load()) {
          const NormalCursorWhileShown normal;
          dialogs->applicationError(owner, text);
        }
        closed->release();
      },
      Qt::QueuedConnection);
  while (!closed->tryAcquire(1, kCancelPollMilliseconds)) {
    if (isCancelled()) throw ComparisonCancelled{};
  }
}

}  // namespace quill
