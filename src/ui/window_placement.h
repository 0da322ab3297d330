#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace quill {

class SettingsStore;

// Keeps a window's size and position between runs: puts back what the settings store holds
// under its key at once, and stores the window's geometry whenever it is hidden or closed.
class WindowPlacement final : public QObject {
  Q_OBJECT
 public:
  WindowPlacement(QWidget& window, SettingsStore& settings, QString key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void restore();
  void store();

  QWidget& window_;
  SettingsStore& settings_;
  QString key_;
};

}  // namespace quill
