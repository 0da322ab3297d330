#pragma once

#include <QIcon>
#include <QImage>

namespace quill {

// The program's icon: two overlapping sheets, the upper one with a marked cell.
QIcon programIcon();

// The icon drawn as a square image of that many pixels a side; needs no application object,
// so the build can write the installed icon files from it.
QImage programIconImage(int side);

}  // namespace quill
