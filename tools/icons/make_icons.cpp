// Writes the program's icon as PNG files in the layout of an icon theme:
// make_icons FOLDER SIDE... writes FOLDER/SIDExSIDE/apps/quillmere.png for each side.
#include <QDir>
#include <QImage>
#include <cstdio>
#include <string>

#include "ui/program_icon.h"

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FOLDER SIDE...\n", argv[0]);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int side = std::stoi(argv[i]);
    const QString folder = root + QString("/%1x%1/apps").arg(side);
    const QString file = folder + "/quillmere.png";
    if (!QDir().mkpath(folder) || !quill::programIconImage(side).save(file, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
      return 1;
    }
  }
  return 0;
}
