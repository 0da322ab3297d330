#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "shell/shell_dialogs.h"

namespace quill::test {

// Answers the windows' dialogs in place of the user and keeps what they showed.
class RecordingDialogs final : public ShellDialogs {
 public:
  void message(QWidget*, const QString& title, const QString& text) override {
    titles << title;
    messages << text;
  }
  void applicationError(QWidget*, const QString& text) override {
    errors << text;
    if (onError) onError();
  }
  QString openFile(QWidget*, const QString& title, const QString& filters) override {
    openFileTitle = title;
    openFileFilters = filters;
    return fileAnswer;
  }
  QString pickFolder(QWidget*, const QString& title, const QString& start) override {
    pickFolderTitle = title;
    pickFolderStart = start;
    return folderAnswer;
  }
  bool openWebPage(const QString& address) override {
    webPages << address;
    return browserOpens;
  }
  bool openWithDesktop(const QString& path) override {
    openedFiles << path;
    return desktopOpens;
  }

  std::optional<QString> password(QWidget*, const QString& title, const QString& prompt) override {
    passwordPrompts << title + ": " + prompt;
    if (passwordAnswers.isEmpty()) return std::nullopt;
    return passwordAnswers.takeFirst();
  }

  QStringList titles;
  QStringList messages;
  QStringList errors;
  QStringList webPages;
  QStringList openedFiles;   // handed to the desktop's associated program
  bool desktopOpens = true;  // whether the desktop had a program for them
  bool browserOpens = true;  // whether a web browser took the pages
  QString openFileTitle, openFileFilters, pickFolderTitle, pickFolderStart;
  QString fileAnswer;             // what the file dialog returns; "" is a cancel
  QString folderAnswer;           // what the folder picker returns; "" is a cancel
  std::function<void()> onError;  // runs while an error box is "open"
  QStringList passwordPrompts;    // the password boxes' titles and texts
  QStringList passwordAnswers;    // typed into the next password boxes; none left: cancel
};

}  // namespace quill::test
