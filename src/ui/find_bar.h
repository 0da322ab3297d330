#pragma once

#include <QFrame>
#include <QPointer>
#include <QWebEngineView>
#include <functional>

class QLabel;
class QLineEdit;

namespace quill {

// A small search box laid over the top right corner of a document view: typing or Enter
// finds the next match of its text, Shift+Enter the previous one, Escape closes it and
// clears the highlighting. Past the last match of a view's page (or the first, backwards),
// or without a match there, the search goes on in the next page that holds the text.
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
  // Loads the page after (or before, backwards) the one a view shows that holds a text;
  // false when no page there holds it.
  using PageTurner = std::function<bool(QWebEngineView& view, const QString& text, bool backwards)>;
  void setPageTurner(PageTurner turner) { turnPage_ = std::move(turner); }
  // To be told whenever a view shows another page, loaded or put in place of the one
  // before: searches there start afresh, and a search that turned the page goes on in it.
  void pageShown(QWebEngineView* view);

 signals:
  // A search has finished with that many matches (0 when the text is not there).
  void searched(int matches);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void find(bool backwards);
  void closeBar();
  // Whether a search has run past the page's matches, which turns the page.
  bool ranPastThePage(const QString& text, int active, int matches, bool backwards) const;
  void findOnTurnedPage(bool backwards);

  QLineEdit* text_ = nullptr;
  QLabel* count_ = nullptr;
  QPointer<QWebEngineView> target_;
  PageTurner turnPage_;
  QString lastText_;  // the text of the last search on the page shown, and its answer
  int lastActive_ = 0;
  int lastMatches_ = 0;
  int searches_ = 0;                // how many searches were started
  bool findsOnTurnedPage_ = false;  // a search turned the page and waits for it
  bool findsBackwards_ = false;
};

}  // namespace quill
