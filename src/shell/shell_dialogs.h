#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace quill {

// Everything the windows ask of the user or of the desktop, behind one interface so that
// tests can answer in place of the user and read what would have been shown.
class ShellDialogs {
 public:
  virtual ~ShellDialogs() = default;

  // A plain message with an OK button under the given title.
  virtual void message(QWidget* owner, const QString& title, const QString& text) = 0;
  // The warning box titled "Application Error"; returns once the user pressed OK.
  virtual void applicationError(QWidget* owner, const QString& text) = 0;
  // The chosen file's full path, or "" when the user cancelled. filters are ";;"-separated.
  virtual QString openFile(QWidget* owner, const QString& title, const QString& filters) = 0;
  // The chosen folder's full path, or "" when the user cancelled.
  virtual QString pickFolder(QWidget* owner, const QString& title, const QString& start) = 0;
  // Opens a web page in the default browser; false when nothing could take it.
  virtual bool openWebPage(const QString& address) = 0;
  // Opens a file in the program the desktop associates with its type; false when nothing
  // could take it.
  virtual bool openWithDesktop(const QString& path) = 0;
  // A password typed into a box that hides it, or nothing when the user cancelled; a box
  // that cannot ask gives nothing.
  virtual std::optional<QString> password(QWidget* owner, const QString& title,
                                          const QString& prompt) {
    (void)owner, (void)title, (void)prompt;
    return std::nullopt;
  }
};

// The real dialogs: Qt message boxes, file dialogs and the desktop's browser.
class QtDialogs final : public ShellDialogs {
 public:
  void message(QWidget* owner, const QString& title, const QString& text) override;
  void applicationError(QWidget* owner, const QString& text) override;
  QString openFile(QWidget* owner, const QString& title, const QString& filters) override;
  QString pickFolder(QWidget* owner, const QString& title, const QString& start) override;
  bool openWebPage(const QString& address) override;
  bool openWithDesktop(const QString& path) override;
  std::optional<QString> password(QWidget* owner, const QString& title,
                                  const QString& prompt) override;
};

}  // namespace quill
