#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "shell/look.h"
#include "ui/document_scheme.h"

// One application object for every window test: the web engine starts only once.
int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (geteuid() == 0 && !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains("no-sandbox"))
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox " + qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
  testing::InitGoogleTest(&argc, argv);
  quill::registerDocumentScheme();
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Marrowfen");
  QApplication::setApplicationName("Quillmere");
  QApplication::setQuitOnLastWindowClosed(false);
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settingsFolder;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
  quill::applyLook(application);
  return RUN_ALL_TESTS();
}
