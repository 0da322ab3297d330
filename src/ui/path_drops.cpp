#include "ui/path_drops.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace quill {

PathDrops::PathDrops(QWidget& window, QLineEdit& first, QLineEdit& second)
    : QObject(&window), first_(first), second_(second) {
  window.setAcceptDrops(true);
  for (QWidget* target : {&window, static_cast<QWidget*>(&first), static_cast<QWidget*>(&second)})
    target->installEventFilter(this);
}

QStringList PathDrops::droppedFiles(const QMimeData& data) {
  if (!data.hasUrls()) return {};
  QStringList files;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) return {};
    files << url.toLocalFile();
  }
  return files.size() <= 2 ? files : QStringList();
}

bool PathDrops::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (droppedFiles(*drag->mimeData()).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList files = droppedFiles(*drop->mimeData());
      if (files.isEmpty()) return false;
      fill(watched, files);
      drop->acceptProposedAction();
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

void PathDrops::fill(QObject* target, const QStringList& files) {
  if (files.size() == 2) {
    first_.setText(files[0]);
    second_.setText(files[1]);
  } else if (target == &second_) {
    second_.setText(files[0]);
  } else {
    first_.setText(files[0]);
  }
}

}  // namespace quill
