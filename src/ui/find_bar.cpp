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
  target_->page()->findText(text, flags, [self, text](const QWebEngineFindTextResult& result) {
    if (!self) return;
    self->count_->setText(text.isEmpty() ? QString() : countText(result));
    emit self->searched(result.numberOfMatches());
  });
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
