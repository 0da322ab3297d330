#include "shell/program_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace quill {

namespace {

bool canWriteInto(const QString& folder) {
  if (!QDir().mkpath(folder)) return false;
  QTemporaryFile probe(folder + "/.probe-XXXXXX");
  return probe.open();
}

bool hasSamples(const QString& folder) {
  return QFileInfo(folder + "/Samples").isDir();
}

}  // namespace

QString programFolder() {
  return QCoreApplication::applicationDirPath();
}

QString userDataFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

ProgramFolders locateProgramFolders(const QString& binaryFolder, const QString& userDataFolder) {
  const QString userTemporary = userDataFolder + "/temp";
  if (hasSamples(binaryFolder)) {
    const QString besideProgram = binaryFolder + "/temp";
    return {binaryFolder, canWriteInto(besideProgram) ? besideProgram : userTemporary};
  }
  const QString installedData = QDir::cleanPath(binaryFolder + "/../share/quillmere");
  if (hasSamples(installedData)) return {installedData, userTemporary};
  return {binaryFolder, userTemporary};
}

}  // namespace quill
