#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/command_line.h"
#include "shell/look.h"
#include "shell/program_paths.h"
#include "shell/settings_store.h"
#include "shell/shell_dialogs.h"
#include "ui/document_scheme.h"
#include "ui/main_window.h"
#include "ui/program_context.h"
#include "ui/program_windows.h"
#include "ui/screenshot_driver.h"

namespace {

std::vector<std::string> argumentsAfterProgram(const QStringList& arguments) {
  std::vector<std::string> result;
  for (qsizetype i = 1; i < arguments.size(); ++i) result.push_back(arguments[i].toStdString());
  return result;
}

// Answers --help and --version, or refuses a bad command line; -1 when the window program
// should start.
int answerWithoutWindow(const quill::StartRequest& request) {
  switch (request.action) {
    case quill::StartRequest::Action::PrintHelp:
      std::fputs(quill::startUsage().c_str(), stdout);
      return 0;
    case quill::StartRequest::Action::PrintVersion:
      std::fputs(quill::versionText().c_str(), stdout);
      return 0;
    case quill::StartRequest::Action::Fail:
      std::fprintf(stderr, "quillmere: %s\nTry 'quillmere --help'.\n", request.error.c_str());
      return 2;
    case quill::StartRequest::Action::OpenWindow:
      break;
  }
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Help and version need no display, so they are answered before Qt starts.
  const std::vector<std::string> raw(argv + std::min(argc, 1), argv + argc);
  if (quill::asksForTextOnly(raw)) return answerWithoutWindow(quill::parseStartArguments(raw));

  quill::registerDocumentScheme();
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Marrowfen");
  QApplication::setApplicationName("Quillmere");
  // Qt has taken its own options (-platform and the like) out of the arguments by now.
  const quill::StartRequest start =
      quill::parseStartArguments(argumentsAfterProgram(QApplication::arguments()));
  if (const int code = answerWithoutWindow(start); code >= 0) return code;
  quill::applyLook(application);

  quill::QtDialogs dialogs;
  quill::SettingsStore settings;
  const quill::ProgramFolders folders =
      quill::locateProgramFolders(quill::programFolder(), quill::userDataFolder());
  quill::ProgramContext context{dialogs, settings, folders.files, folders.temporary};
  quill::ProgramWindows windows(context);
  QObject::connect(&windows, &quill::ProgramWindows::programEnding, &application,
                   &QApplication::quit, Qt::QueuedConnection);
  if (!windows.mainWindow().load()) return 1;
  windows.mainWindow().show();
  if (!start.paths.empty()) {
    QStringList paths;
    for (const std::string& path : start.paths) paths << QString::fromStdString(path);
    // Once the window is up, so that a message about a missing file has it as owner.
    QTimer::singleShot(0, &windows.mainWindow(),
                       [&windows, paths] { windows.mainWindow().openFiles(paths); });
  }

  // Set by scripts/screenshots: no one clicks under a virtual display.
  const QString screenshots = qEnvironmentVariable("QUILLMERE_SCREENSHOTS");
  if (!screenshots.isEmpty()) quill::driveScreenshots(windows, screenshots);
  return application.exec();
}
