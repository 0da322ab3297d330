#pragma once

#include <QCursor>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "formats/session.h"
#include "report/document_index.h"
#include "sheet/password_source.h"
#include "shell/app_title.h"

namespace quill {

class ErrorBox;
class SettingsStore;
class ShellDialogs;

// Opens the two files of a comparison into the session, reading what the options ask for
// besides the values, and reporting failures in the box.
using SessionOpener =
    std::function<void(SpreadsheetSession&, const std::string& text1, const std::string& text2,
                       ErrorBox& box, const ReadOptions& options)>;

// What the windows share for the whole run of the program.
struct ProgramContext {
  ProgramContext(ShellDialogs& shellDialogs, SettingsStore& store, QString folder,
                 QString documentsFolder);

  ShellDialogs& dialogs;
  SettingsStore& settings;
  QString programFolder;
  QString temporaryFolder;  // receives the documents of every comparison
  // Where the documents in temporaryFolder hold their rows and anchors, as written.
  std::shared_ptr<const DocumentIndex> documentIndex;
  QString applicationTitle = kProductName;
  QCursor handCursor = QCursor(Qt::PointingHandCursor);
  SpreadsheetSession session;
  std::string callerWindow;  // "Form1" or "Form2": the window "< Back" returns to
  SessionOpener openSession = openWorkbookPair;
  // The passwords of encrypted workbooks, asked for in a box and kept for the run alone.
  std::shared_ptr<PasswordSource> passwords;
  // Shows the smaller-area window; empty while the program has none.
  std::function<void()> showSmallerArea;
};

}  // namespace quill
