#include "ui/program_start.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "base/command_line.h"
#include "shell/app_title.h"
#include "shell/look.h"
#include "shell/program_paths.h"
#include "shell/settings_store.h"
#include "shell/shell_dialogs.h"
#include "ui/document_scheme.h"
#include "ui/main_window.h"
#include "ui/program_context.h"
#include "ui/program_windows.h"

namespace quill {

namespace {

std::vector<std::string> argumentsAfterProgram(const QStringList& arguments) {
  std::vector<std::string> result;
  for (qsizetype i = 1; i < arguments.size(); ++i) result.push_back(arguments[i].toStdString());
  return result;
}

QStringList pathsOf(const StartRequest& request) {
  QStringList paths;
  for (const std::string& path : request.paths) paths << QString::fromStdString(path);
  return paths;
}

}  // namespace

int answerWithoutWindow(const StartRequest& request) {
  switch (request.action) {
    case StartRequest::Action::PrintHelp:
      std::fputs(startUsage().c_str(), stdout);
      return 0;
    case StartRequest::Action::PrintVersion:
      std::fputs(versionText().c_str(), stdout);
      return 0;
    case StartRequest::Action::Fail:
      std::fprintf(stderr, "quillmere: %s\nTry 'quillmere --help'.\n", request.error.c_str());
      return 2;
    case StartRequest::Action::OpenWindow:
      break;
  }
  return -1;
}

int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& afterStart) {
  registerDocumentScheme();
  QApplication application(argc, argv);
  QApplication::setOrganizationName(kMakerName);
  QApplication::setApplicationName(kProductName);
  // Qt has taken its own options (-platform and the like) out of the arguments by now.
  const StartRequest start = parseStartArguments(argumentsAfterProgram(QApplication::arguments()));
  QtDialogs dialogs;
  if (start.action != StartRequest::Action::OpenWindow) {
    const int code = answerWithoutWindow(start);
    // Started from a menu or a file manager, nobody reads the terminal.
    if (start.action == StartRequest::Action::Fail)
      dialogs.message(nullptr, kProductName, "quillmere: " + QString::fromStdString(start.error));
    return code;
  }
  applyLook(application);

  SettingsStore settings;
  const ProgramFolders folders = locateProgramFolders(programFolder(), userDataFolder());
  ProgramContext context{dialogs, settings, folders.files, folders.temporary};
  ProgramWindows windows(context);
  QObject::connect(&windows, &ProgramWindows::programEnding, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  windows.mainWindow().load();
  windows.mainWindow().show();
  if (const QStringList paths = pathsOf(start); !paths.isEmpty()) {
    // Once the window is up, so that a message about a missing file has it as owner.
    QTimer::singleShot(0, &windows.mainWindow(),
                       [&windows, paths] { windows.mainWindow().openFiles(paths); });
  }
  if (afterStart) afterStart(windows);
  return application.exec();
}

}  // namespace quill
