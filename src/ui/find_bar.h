#pragma once

#include <QFrame>
#include <QPointer>
#include <QWebEngineView>

class QLabel;
class QLineEdit;

namespace quill {

// A small search box laid over the top right corner of a document view: typing or Enter
// finds the next match of its text, Shift+Enter the previous one, Escape closes it and
// clears the highlighting.
class FindBar final : public QFrame {
  Q_OBJECT
 public:
  explicit FindBar(QWidget& window);

  // Shows the box over that view, selects its text and takes the keyboard.
  void openOver(QWebEngineView& view);
  // The view searched; null while the box was never opened or its view is gone.
  QWebEngineView* target() const { return target_; }
  // Moves the box back over its view's corner, after the window was resized.
  void keepOverTarget();

 signals:
  // A search has finished with that many matches (0 when the text is not there).
  void searched(int matches);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void find(bool backwards);
  void closeBar();

  QLineEdit* text_ = nullptr;
  QLabel* count_ = nullptr;
  QPointer<QWebEngineView> target_;
};

}  // namespace quill
