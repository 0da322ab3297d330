#include "ui/program_start.h"

#include <QApplication>

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

int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& afterStart) {
  registerDocumentScheme();
  QApplication application(argc, argv);
  QApplication::setOrganizationName(kMakerName);
  QApplication::setApplicationName(kProductName);
  applyLook(application);

  QtDialogs dialogs;
  SettingsStore settings;
  const QString folder = programFolder();
  ProgramContext context{dialogs, settings, folder, temporaryDocumentsFolder(folder)};
  ProgramWindows windows(context);
  QObject::connect(&windows, &ProgramWindows::programEnding, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  windows.mainWindow().load();
  windows.mainWindow().show();
  if (afterStart) afterStart(windows);
  return application.exec();
}

}  // namespace quill
