#include "shell/shell_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

#include "shell/desktop.h"

namespace quill {

void QtDialogs::message(QWidget* owner, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
  box.exec();
}

std::optional<QString> QtDialogs::password(QWidget* owner, const QString& title,
                                           const QString& prompt) {
  bool ok = false;
  const QString typed =
      QInputDialog::getText(owner, title, prompt, QLineEdit::Password, QString(), &ok);
  if (!ok) return std::nullopt;
  return typed;
}

void QtDialogs::applicationError(QWidget* owner, const QString& text) {
  // The text breaks its lines with a lone carriage return too; the box wants line feeds.
  QString shown = text;
  shown.replace("\r\n", "\n").replace('\r', '\n');
  QMessageBox::warning(owner, "Application Error", shown, QMessageBox::Ok);
}

QString QtDialogs::openFile(QWidget* owner, const QString& title, const QString& filters) {
  return QFileDialog::getOpenFileName(owner, title, QString(), filters);
}

QString QtDialogs::pickFolder(QWidget* owner, const QString& title, const QString& start) {
  return QFileDialog::getExistingDirectory(owner, title, start);
}

bool QtDialogs::openWebPage(const QString& address) {
  return quill::openWebPage(QUrl(address));
}

bool QtDialogs::openWithDesktop(const QString& path) {
  return openWithAssociatedProgram(path);
}

}  // namespace quill
