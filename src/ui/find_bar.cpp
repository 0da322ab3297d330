#include "ui/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

namespace quill {

namespace {

QString countText(const QWebEngineFindTextResult& result) {
  if (result.numberOfMatches() == 0) return "No match";
  return QString("%1 of %2").arg(result.activeMatch()).arg(result.numberOfMatches());
}

}  // namespace

FindBar::FindBar(QWidget& window) : QFrame(&window) {
  setObjectName("FindBar");
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  text_ = new QLineEdit(this);
  text_->setObjectName("FindText");
  text_->setPlaceholderText("Find");
  text_->setClearButtonEnabled(true);
  count_ = new QLabel(this);
  count_->setObjectName("FindCount");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 4, 4, 4);
  row->addWidget(text_);
  row->addWidget(count_);
  text_->installEventFilter(this);
  connect(text_, &QLineEdit::textEdited, this, [this] { find(false); });
  hide();
}

void FindBar::openOver(QWebEngineView& view) {
  if (target_ && target_ != &view) target_->page()->findText({});
  if (target_ != &view) {
    lastText_.clear();
    findsOnTurnedPage_ = false;
  }
  target_ = &view;
  count_->clear();
  keepOverTarget();
  show();
  raise();
  text_->setFocus();
  text_->selectAll();
  if (!text_->text().isEmpty()) find(false);
}

void FindBar::keepOverTarget() {
  if (!target_) return;
  const int width = qMin(320, target_->width());
  resize(width, sizeHint().height());
  const QPoint corner = target_->mapTo(parentWidget(), QPoint(target_->width() - width, 0));
  move(corner);
}

void FindBar::find(bool backwards) {
  if (!target_) return;
  QWebEnginePage::FindFlags flags;
  if (backwards) flags |= QWebEnginePage::FindBackward;
  const QString text = text_->text();
  QPointer<FindBar> self(this);
  const int search = ++searches_;
  target_->page()->findText(
      text, flags, [self, text, backwards, search](const QWebEngineFindTextResult& result) {
        // A search overtaken by a newer one answers no matches; only the newest counts.
        if (!self || search != self->searches_) return;
        const int active = result.activeMatch();
        const int matches = result.numberOfMatches();
        const bool turn = self->ranPastThePage(text, active, matches, backwards);
        self->lastText_ = text;
        self->lastActive_ = active;
        self->lastMatches_ = matches;
        if (turn && self->target_ && self->turnPage_ &&
            self->turnPage_(*self->target_, text, backwards)) {
          self->findOnTurnedPage(backwards);
          return;
        }
        self->count_->setText(text.isEmpty() ? QString() : countText(result));
        emit self->searched(matches);
      });
}

bool FindBar::ranPastThePage(const QString& text, int active, int matches, bool backwards) const {
  if (text.isEmpty()) return false;
  if (matches == 0) return true;
  // The same text again, from the page's last match to its first (or backwards, from the
  // first to the last), has wrapped around.
  if (text != lastText_ || lastMatches_ != matches) return false;
  return backwards ? lastActive_ == 1 && active == matches : lastActive_ == matches && active == 1;
}

void FindBar::findOnTurnedPage(bool backwards) {
  findsOnTurnedPage_ = true;
  findsBackwards_ = backwards;
}

void FindBar::pageShown(QWebEngineView* view) {
  if (!target_ || view != target_) return;
  lastText_.clear();
  // The matches found on the page before are gone with it.
  target_->page()->findText({});
  if (!findsOnTurnedPage_) return;
  findsOnTurnedPage_ = false;
  find(findsBackwards_);
}

void FindBar::closeBar() {
  if (target_) {
    target_->page()->findText({});
    target_->setFocus();
  }
  hide();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      find(key->modifiers() & Qt::ShiftModifier);
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      closeBar();
      return true;
    }
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace quill
