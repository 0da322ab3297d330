#include "ui/window_placement.h"

#include <QEvent>
#include <QWidget>

#include "shell/settings_store.h"

namespace quill {

WindowPlacement::WindowPlacement(QWidget& window, SettingsStore& settings, QString key)
    : QObject(&window), window_(window), settings_(settings), key_(std::move(key)) {
  restore();
  window_.installEventFilter(this);
}

void WindowPlacement::restore() {
  const QByteArray stored = QByteArray::fromBase64(settings_.get(key_, "").toLatin1());
  // A missing or damaged value leaves the designed size; restoreGeometry also pulls a
  // window back onto the screen when the stored place lies off every screen now attached.
  if (!stored.isEmpty()) window_.restoreGeometry(stored);
}

void WindowPlacement::store() {
  settings_.save(key_, QString::fromLatin1(window_.saveGeometry().toBase64()));
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close))
    store();
  return QObject::eventFilter(watched, event);
}

}  // namespace quill
