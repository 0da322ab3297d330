#include "ui/window_passwords.h"

#include <QApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>

#include "shell/shell_dialogs.h"

namespace quill {

std::optional<std::string> WindowPasswords::password(int fileNumber, const std::string& path,
                                                     int attempt) {
  std::lock_guard lock(mutex_);
  if (attempt == 1)
    if (auto known = known_.find(path); known != known_.end()) return known->second;
  known_.erase(path);
  std::optional<std::string> typed;
  // The box belongs to the windows' thread; a reader on a worker waits for the answer.
  auto askOnWindowThread = [&] { typed = ask(fileNumber, path, attempt); };
  if (QThread::currentThread() == qApp->thread())
    askOnWindowThread();
  else
    QMetaObject::invokeMethod(qApp, askOnWindowThread, Qt::BlockingQueuedConnection);
  if (typed) known_[path] = *typed;
  return typed;
}

std::optional<std::string> WindowPasswords::ask(int fileNumber, const std::string& path,
                                                int attempt) {
  const QString name = QFileInfo(QString::fromStdString(path)).fileName();
  const QString file = QString("Excel File #%1").arg(fileNumber);
  const QString prompt =
      attempt > 1 ? QString("The password for %1 (%2) is wrong. Try again:").arg(file, name)
                  : QString("%1 (%2) is protected with a password. Password:").arg(file, name);
  const std::optional<QString> typed =
      dialogs_.password(QApplication::activeWindow(), "Password for " + file, prompt);
  if (!typed) return std::nullopt;
  return typed->toStdString();
}

}  // namespace quill
