#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace quill {

// How much of the window's growth beyond its designed size a control follows: moveX and
// moveY shift it, growX and growY stretch it (1 = all of it, 0.5 = half).
struct Stretch {
  double moveX = 0;
  double moveY = 0;
  double growX = 0;
  double growY = 0;
};

// Places the controls of a window by their designed position and size in twips (15 to a
// pixel at 96 dpi, scaled with the screen) and keeps them placed as the window is resized.
class TwipsLayout {
 public:
  TwipsLayout(QWidget& window, QSize clientTwips);

  // Places a control; its rectangle is in twips relative to its parent.
  void place(QWidget& control, QRect twips, Stretch stretch = {});
  // The window's designed client size in pixels.
  QSize designedSize() const { return toPixels(QRect(QPoint(), clientTwips_)).size(); }
  // Moves every control to fit the window's present size; called on every resize.
  void apply();

 private:
  struct Placement {
    QWidget* control;
    QRect twips;
    Stretch stretch;
  };
  QRect toPixels(QRect twips) const;

  QWidget& window_;
  QSize clientTwips_;
  double pixelsPerTwip_;
  std::vector<Placement> placements_;
};

}  // namespace quill
