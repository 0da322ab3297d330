#pragma once

#include <QCursor>
#include <QString>

class QApplication;
class QWidget;

namespace quill {

// Gives the whole program one platform style and the font Arial, or the closest
// sans-serif font installed when Arial is missing.
void applyLook(QApplication& application);

// Gives a window, and its frames, labels, option buttons and check boxes, the button-face
// background colour.
void applyButtonFaceColours(QWidget& window);

// The pointer shown over push buttons: the hand of HAND-M.CUR in the program folder when
// that file is present and readable, else the platform's pointing hand.
QCursor handCursor(const QString& programFolder);

// Shows the ordinary pointer while a box is open over a busy cursor, so that the box does not
// look busy itself; the busy cursor returns when the box has closed.
class NormalCursorWhileShown {
 public:
  NormalCursorWhileShown();
  ~NormalCursorWhileShown();
  NormalCursorWhileShown(const NormalCursorWhileShown&) = delete;
  NormalCursorWhileShown& operator=(const NormalCursorWhileShown&) = delete;

 private:
  bool overridden_ = false;
};

// Shows the busy pointer over every window while it lives; hovering cannot replace it.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace quill
