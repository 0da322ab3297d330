#include "shell/desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quill {

QString desktopFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  folder = QDir::cleanPath(folder);
  if (!folder.endsWith('/')) folder += '/';
  return QDir::toNativeSeparators(folder);
}

bool openWebPage(const QUrl& address) {
  return QDesktopServices::openUrl(address);
}

bool openWithAssociatedProgram(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace quill
