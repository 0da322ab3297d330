#pragma once

#include <QObject>
#include <QStringList>

class QLineEdit;
class QMimeData;
class QWidget;

namespace quill {

// Lets files dropped on a window fill its two path boxes: two files fill both in the order
// given; one file fills the box it was dropped on, or the first box when dropped anywhere
// else on the window. Anything but one or two local files is refused.
class PathDrops final : public QObject {
  Q_OBJECT
 public:
  PathDrops(QWidget& window, QLineEdit& first, QLineEdit& second);

  // The local files a drag carries; empty unless there are one or two.
  static QStringList droppedFiles(const QMimeData& data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fill(QObject* target, const QStringList& files);

  QLineEdit& first_;
  QLineEdit& second_;
};

}  // namespace quill
