#pragma once

#include <QIcon>

namespace quill {

// The program's icon: two overlapping sheets, the upper one with a marked cell.
QIcon programIcon();

}  // namespace quill
