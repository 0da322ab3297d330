#include "shell/program_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace quill {

namespace {

bool canWriteInto(const QString& folder) {
  if (!QDir().mkpath(folder)) return false;
  QTemporaryFile probe(folder + "/.probe-XXXXXX");
  return probe.open();
}

}  // namespace

QString programFolder() {
  return QCoreApplication::applicationDirPath();
}

QString temporaryDocumentsFolder(const QString& programFolder) {
  const QString besideProgram = programFolder + "/temp";
  if (canWriteInto(besideProgram)) return besideProgram;
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/temp";
}

}  // namespace quill
