#include <QApplication>

#include "shell/look.h"
#include "shell/program_paths.h"
#include "shell/settings_store.h"
#include "shell/shell_dialogs.h"
#include "ui/document_scheme.h"
#include "ui/main_window.h"
#include "ui/program_context.h"
#include "ui/program_windows.h"
#include "ui/screenshot_driver.h"

int main(int argc, char* argv[]) {
  quill::registerDocumentScheme();
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Marrowfen");
  QApplication::setApplicationName("Quillmere");
  quill::applyLook(application);

  quill::QtDialogs dialogs;
  quill::SettingsStore settings;
  const QString folder = quill::programFolder();
  quill::ProgramContext context{dialogs, settings, folder, quill::temporaryDocumentsFolder(folder)};
  quill::ProgramWindows windows(context);
  QObject::connect(&windows, &quill::ProgramWindows::programEnding, &application,
                   &QApplication::quit, Qt::QueuedConnection);
  if (!windows.mainWindow().load()) return 1;
  windows.mainWindow().show();

  // Set by scripts/screenshots: no one clicks under a virtual display.
  const QString screenshots = qEnvironmentVariable("QUILLMERE_SCREENSHOTS");
  if (!screenshots.isEmpty()) quill::driveScreenshots(windows, screenshots);
  return application.exec();
}
