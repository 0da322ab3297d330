// The results window's ways through a long result: stepping through the listed differences
// with F8 and Shift+F8 or the two buttons under the list, finding text in either view with
// Ctrl+F, and opening a compared workbook from a listed difference's context menu.
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

#include "base/file_utils.h"
#include "report/documents.h"
#include "report/shown_text_search.h"
#include "shell/shell_dialogs.h"
#include "ui/difference_steps.h"
#include "ui/find_bar.h"
#include "ui/program_context.h"
#include "ui/results_window.h"

namespace quill {

namespace {

// The list's links lead into the grid document; other links and the page itself do not.
bool isDifferenceLink(const QUrl& link) {
  const QString gridName =
      QString::fromLatin1(kGridFileName.data(), qsizetype(kGridFileName.size()));
  return link.hasFragment() && link.path().section('/', -1) == gridName;
}

// The line labels of openWorkbook.
enum class OpenWorkbookLine { FileExists = 100, Open = 102 };

}  // namespace

void ResultsWindow::createNavigation() {
  // Under the list, to the right of the grid's label, where the designed layout leaves room.
  previousDifference_ = addButton(this, "PreviousDifference", "Previous difference",
                                  QRect(4740, 4395, 1560, 345), {1, 0.5, 0, 0});
  nextDifference_ = addButton(this, "NextDifference", "Next difference",
                              QRect(6360, 4395, 1560, 345), {1, 0.5, 0, 0});
  previousDifference_->setToolTip("Previous difference (Shift+F8)");
  nextDifference_->setToolTip("Next difference (F8)");
  connect(previousDifference_, &QPushButton::clicked, this, [this] { stepDifference(-1); });
  connect(nextDifference_, &QPushButton::clicked, this, [this] { stepDifference(1); });
  connect(new QShortcut(QKeySequence(Qt::Key_F8), this), &QShortcut::activated, this,
          [this] { stepDifference(1); });
  connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8), this), &QShortcut::activated, this,
          [this] { stepDifference(-1); });

  findBar_ = new FindBar(*this);
  connect(this, &ResultsWindow::pageShown, findBar_, &FindBar::pageShown);
  findBar_->setPageTurner([this](QWebEngineView& view, const QString& text, bool backwards) {
    return turnToPageHolding(view, text, backwards);
  });
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
          &ResultsWindow::openFind);

  createReviewButton();

  WebBrowser2->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(WebBrowser2, &QWidget::customContextMenuRequested, this, &ResultsWindow::showListMenu);
}

void ResultsWindow::stepDifference(int step) {
  // A step taken while a page of the list loads is taken on that page.
  if (listPageLoading_) {
    pendingStep_ = step;
    return;
  }
  WebBrowser2->page()->runJavaScript(
      differenceStepScript(step), [this, step](const QVariant& answer) {
        const QString anchor = anchorOfStep(answer);
        if (!anchor.isEmpty()) {
          showCell(anchor);
          return;
        }
        // Past either end of a page of the list, the step goes on from the page before or after.
        const std::size_t pages = listPaging_.pages.size();
        const bool turns = step > 0 ? shownListPage_ + 1 < pages : shownListPage_ > 0 && pages > 0;
        if (!turns) return;
        pendingStep_ = step;
        loadListPage(step > 0 ? shownListPage_ + 1 : shownListPage_ - 1);
      });
}

bool ResultsWindow::turnToPageHolding(QWebEngineView& view, const QString& text, bool backwards) {
  const bool list = &view == WebBrowser2;
  if (!list) takeGridLayout();
  const std::string wanted = text.toStdString();
  const std::string_view document = list ? listBytes() : gridBytes();
  const std::size_t count = list ? listPaging_.pages.size() : gridPaging_.pages.size();
  if (count == 0) return false;
  const auto holdsText = [&](std::size_t page) {
    const std::size_t start =
        list ? listPaging_.pages[page].rowsStart : gridPaging_.pages[page].rowsStart;
    const std::size_t end =
        list ? listPaging_.pages[page].rowsEnd : gridPaging_.pages[page].rowsEnd;
    return shownTextContains(document.substr(start, end - start), wanted);
  };
  std::size_t page = list ? shownListPage_ : shownPage_;
  while (backwards ? page-- > 0 : ++page < count) {
    if (!holdsText(page)) continue;
    if (list)
      loadListPage(page);
    else
      loadGridPage(page);
    return true;
  }
  return false;
}

void ResultsWindow::openFind() {
  // The view that has the keyboard is searched; the list when neither has it. Ctrl+F in
  // the open box keeps its view.
  QWidget* focused = QApplication::focusWidget();
  QWebEngineView* target = WebBrowser2;
  if (focused && (focused == WebBrowser1 || WebBrowser1->isAncestorOf(focused)))
    target = WebBrowser1;
  else if (focused && findBar_->isAncestorOf(focused) && findBar_->target())
    target = findBar_->target();
  findBar_->openOver(*target);
}

void ResultsWindow::showListMenu(const QPoint& position) {
  const QWebEngineContextMenuRequest* request = WebBrowser2->lastContextMenuRequest();
  const bool onDifference = request && isDifferenceLink(request->linkUrl());
  QMenu* menu = onDifference ? differenceMenu() : WebBrowser2->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(WebBrowser2->mapToGlobal(position));
}

QMenu* ResultsWindow::differenceMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName("DifferenceMenu");
  for (qsizetype i = 0; i < comparedFiles_.size(); ++i) {
    const QString path = comparedFiles_[i];
    QAction* action =
        menu->addAction(QString("Open File #%1 (%2)").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setObjectName(QString("OpenFile%1").arg(i + 1));
    connect(action, &QAction::triggered, this, [this, path] { openWorkbook(path); });
  }
  return menu;
}

void ResultsWindow::openWorkbook(const QString& path) {
  ErrorTrap trap("Form3", "openWorkbook", errorBox_);
  trap.line(OpenWorkbookLine::FileExists);
  if (!fileExists(path.toStdString())) {
    tell("File does not exist.\n\n\"" + path + "\"");
    return;
  }
  trap.line(OpenWorkbookLine::Open);
  if (!context_.dialogs.openWithDesktop(path)) tell("No program is set up to open " + path + ".");
}

}  // namespace quill
