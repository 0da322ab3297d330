// The results window's ways through a long result: stepping through the listed differences
// with F8 and Shift+F8 or the two buttons under the list, finding text in either view with
// Ctrl+F, and opening a compared workbook from a listed difference's context menu.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
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

  // The views' own menus (back, reload, save page, view source) have nothing to do here.
  for (QWebEngineView* view : {WebBrowser1, WebBrowser2}) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& position) { showViewMenu(*view, position); });
  }
}

void ResultsWindow::stepDifference(int step) {
  // A step taken while a page of the list loads is taken on that page.
  if (listPager_->isLoading()) {
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
        const std::size_t pages = listPageCount();
        const std::size_t shown = shownListPage();
        const bool turns = step > 0 ? shown + 1 < pages : shown > 0 && pages > 0;
        if (!turns) return;
        pendingStep_ = step;
        listPager_->showPage(step > 0 ? shown + 1 : shown - 1);
      });
}

bool ResultsWindow::turnToPageHolding(QWebEngineView& view, const QString& text, bool backwards) {
  DocumentPager& pager = &view == WebBrowser2 ? *listPager_ : *gridPager_;
  const std::string wanted = text.toStdString();
  const std::string_view document = pager.bytes();
  const std::vector<PageCut>& pages = pager.paged().pages;
  std::size_t page = pager.shownPage();
  while (backwards ? page-- > 0 : ++page < pages.size()) {
    const PageCut& candidate = pages[page];
    if (candidate.rowsEnd > document.size()) return false;
    const std::string_view rows =
        document.substr(candidate.rowsStart, candidate.rowsEnd - candidate.rowsStart);
    if (!shownTextContains(rows, wanted)) continue;
    if (&pager == gridPager_)
      showGridPage(page);
    else
      pager.showPage(page);
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

void ResultsWindow::showViewMenu(QWebEngineView& view, const QPoint& position) {
  const QWebEngineContextMenuRequest* request = view.lastContextMenuRequest();
  const bool onDifference = &view == WebBrowser2 && request && isDifferenceLink(request->linkUrl());
  QMenu* menu = onDifference ? differenceMenu(request->linkText()) : new QMenu(this);
  if (!onDifference) menu->setObjectName("ViewMenu");
  QAction* copy = menu->addAction("Copy");
  copy->setObjectName("Copy");
  const QString linkText = request ? request->linkText() : QString();
  copy->setEnabled(view.hasSelection() || !linkText.isEmpty());
  connect(copy, &QAction::triggered, this, [this, &view, linkText] {
    if (view.hasSelection())
      copyFrom(view);
    else
      QGuiApplication::clipboard()->setText(linkText);
  });
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(view.mapToGlobal(position));
}

void ResultsWindow::copyFrom(QWebEngineView& view) {
  view.page()->triggerAction(QWebEnginePage::Copy);
}

QMenu* ResultsWindow::differenceMenu(const QString& linkText) {
  auto* menu = new QMenu(this);
  menu->setObjectName("DifferenceMenu");
  menu->setToolTip(linkText);
  for (qsizetype i = 0; i < comparedFiles_.size(); ++i) {
    const QString path = comparedFiles_[i];
    QAction* action =
        menu->addAction(QString("Open File #%1 (%2)").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setObjectName(QString("OpenFile%1").arg(i + 1));
    connect(action, &QAction::triggered, this, [this, path] { openWorkbook(path); });
  }
  menu->addSeparator();
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
