#include "ui/twips_layout.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quill {

namespace {
constexpr double kTwipsPerPixelAt96Dpi = 15.0;
constexpr double kDesignDpi = 96.0;
}  // namespace

TwipsLayout::TwipsLayout(QWidget& window, QSize clientTwips)
    : window_(window),
      clientTwips_(clientTwips),
      pixelsPerTwip_(window.logicalDpiX() / kDesignDpi / kTwipsPerPixelAt96Dpi) {}

QRect TwipsLayout::toPixels(QRect twips) const {
  auto px = [&](int t) { return int(std::lround(t * pixelsPerTwip_)); };
  return QRect(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height()));
}

void TwipsLayout::place(QWidget& control, QRect twips, Stretch stretch) {
  placements_.push_back({&control, twips, stretch});
  control.setGeometry(toPixels(twips));
}

void TwipsLayout::apply() {
  const QSize designed = designedSize();
  const int dx = std::max(0, window_.width() - designed.width());
  const int dy = std::max(0, window_.height() - designed.height());
  for (const Placement& p : placements_) {
    QRect r = toPixels(p.twips);
    r.translate(int(dx * p.stretch.moveX), int(dy * p.stretch.moveY));
    r.setSize(r.size() + QSize(int(dx * p.stretch.growX), int(dy * p.stretch.growY)));
    p.control->setGeometry(r);
  }
}

}  // namespace quill
