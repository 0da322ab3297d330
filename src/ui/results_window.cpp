#include "ui/results_window.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "base/file_utils.h"
#include "base/mapped_file.h"
#include "report/document_saving.h"
#include "report/documents.h"
#include "report/root_markup.h"
#include "shell/app_title.h"
#include "shell/desktop.h"
#include "shell/look.h"
#include "shell/settings_store.h"
#include "shell/shell_dialogs.h"
#include "ui/document_page.h"
#include "ui/document_scheme.h"
#include "ui/find_bar.h"
#include "ui/program_context.h"
#include "ui/program_icon.h"
#include "ui/program_windows.h"
#include "ui/window_placement.h"

namespace quill {

namespace {

constexpr QSize kClientTwips(8040, 10245);
constexpr int kTimerMilliseconds = 2000;
// About 4,000 grid cells, 200 rows of 20 columns: the renderer lays out such a page in a
// tenth or two of a second, so that the first page shows soon and a link to a cell on
// another page is followed at once, while whole grids of a million cells exhaust its memory.
constexpr std::size_t kGridPageBytes = 200'000;
// About 300 listed differences, for the same reason.
constexpr std::size_t kListPageBytes = 100'000;
// How many grid pages have their rows counted at a time while the window waits for input:
// some 13 MB, a hundredth of a second or two.
constexpr std::size_t kRowCountingPages = 64;
// The line labels of Form_Load.
enum class LoadLine { Look = 100, Caption = 102, Icon = 104, HandCursor = 106, OutputFolder = 108 };

// The line labels of Timer1, which removes the documents the views have read.
enum class CleanUpLine { DeleteReport = 100, DeleteGrid = 102, StopTimer = 104 };

// The niceness of the thread that cuts the grid's pages (of this thread alone, on Linux).
constexpr int kWorkerNiceness = 10;

// The line labels of the grid's pages being taken from the worker thread.
enum class GridLayoutLine { TakePages = 100 };

// Replaces the line above the grid page shown.
constexpr const char* kLineScript = R"((function (id, line) {
  var part = document.getElementById(id);
  if (part && part.firstElementChild) part.firstElementChild.outerHTML = line;
})(%1[0], %1[1]))";

// The line labels of PushButton6_Click.
enum class SaveLine { FolderExists = 100, SaveBoth = 102, Done = 106 };

// The line labels of PushButton7_Click.
enum class BrowseFolderLine {
  LastFolder = 100,
  PickFolder = 102,
  Cancelled = 104,
  RememberFolder = 106,
  ShowFolder = 108,
};

// The line labels of PushButton8_Click.
enum class BackLine { ShowCaller = 100, HideWindow = 102 };

const QString kReportName = QString::fromLatin1(kReportFileName.data(), kReportFileName.size());
const QString kGridName = QString::fromLatin1(kGridFileName.data(), kGridFileName.size());
// An empty page the views load when the window is made, which starts their renderers before
// the first documents are there.
const QString kBlankName = "blank.htm";

// Finds the grid's anchor of that name, scrolls it into view and focuses it, which marks
// its cell's border; answers whether it was there.
constexpr const char* kShowCellScript = R"((function (name) {
  var anchor = document.getElementsByName(name)[0];
  if (!anchor) return false;
  anchor.scrollIntoView({block: 'center', inline: 'center'});
  anchor.focus();
  return true;
})(%1[0]))";

QString scriptArguments(const QJsonArray& arguments) {
  return QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact));
}

// Puts the body of another page in place of the part of the page shown that changes from
// page to page, and scrolls to the top; answers false when the page has no such part.
constexpr const char* kSwapScript = R"((function (id, body) {
  var part = document.getElementById(id);
  if (!part) return false;
  part.innerHTML = body;
  window.quillmereChosen = null;
  window.scrollTo(0, 0);
  return true;
})(%1[0], %1[1]))";

// What a swap with its cell to show answers.
enum SwapOutcome { kNoPart = 0, kSwapped = 1, kCellFound = 2, kCellMissing = 3 };

// Swaps the page and, when a cell is named, shows it in the same step.
QString swapScript(const QString& swapArguments, const QString& anchor) {
  const QString swap = QString(kSwapScript).arg(swapArguments);
  if (anchor.isEmpty()) return QString("(%1) ? 1 : 0").arg(swap);
  const QString show = QString(kShowCellScript).arg(scriptArguments(QJsonArray{anchor}));
  return QString("(%1) ? ((%2) ? 2 : 3) : 0").arg(swap, show);
}

QByteArray copyOf(std::string_view bytes) {
  return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

std::string_view bytesOf(const std::shared_ptr<const MappedFile>& file) {
  return file ? file->bytes() : std::string_view();
}

// Saves the inner markup of both documents into the folder, both or neither.
void saveInnerMarkups(const QString& folder, std::string_view report, std::string_view grid) {
  saveDocumentPair(std::filesystem::path(folder.toStdString()), innerRootMarkup(report),
                   innerRootMarkup(grid), {});
}

}  // namespace

ResultsWindow::ResultsWindow(ProgramContext& context, ProgramWindows& windows)
    : ProgramWindowBase(context, windows, "Form3", kClientTwips),
      gridPageBytes_(kGridPageBytes),
      listPageBytes_(kListPageBytes) {
  profile_ = new QWebEngineProfile(this);
  documents_ = new DocumentSchemeHandler(this);
  profile_->installUrlSchemeHandler(kDocumentScheme, documents_);
  profile_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  createControls();
  createNavigation();
  resize(layout_.designedSize());
  timer1_.setParent(this);
  timer1_.setObjectName("Timer1");
  timer1_.setSingleShot(true);
  connect(&timer1_, &QTimer::timeout, this, &ResultsWindow::deleteTemporaryDocuments);
  rowCounter_.setParent(this);
  connect(&rowCounter_, &QTimer::timeout, this, &ResultsWindow::countRowsWhenIdle);
  load();
  documents_->hold(kBlankName, "<html><body></body></html>");
  WebBrowser1->setUrl(documentUrl(kBlankName));
  WebBrowser2->setUrl(documentUrl(kBlankName));
  prepareViews();
  new WindowPlacement(*this, context_.settings, "Results Window Placement");
}

// The pages must go before the profile they were made with.
ResultsWindow::~ResultsWindow() {
  if (gridLayout_.valid()) gridLayout_.wait();
  delete WebBrowser1;
  delete WebBrowser2;
}

void ResultsWindow::prepareViews() {
  // Shown once off the screen, the views set up their drawing before the first documents
  // come, and the window shows them sooner then.
  setAttribute(Qt::WA_DontShowOnScreen, true);
  show();
  hide();
  setAttribute(Qt::WA_DontShowOnScreen, false);
}

QWebEngineView* ResultsWindow::addView(const char* name, const QString& fileName, QRect twips,
                                       Stretch stretch,
                                       void (ResultsWindow::*showPage)(const QString&)) {
  auto* view = new QWebEngineView(this);
  view->setObjectName(name);
  auto* page = new DocumentPage(profile_, fileName, view);
  view->setPage(page);
  connect(page, &DocumentPage::cellLinkClicked, this, &ResultsWindow::showCell);
  connect(page, &DocumentPage::pageLinkClicked, this, showPage);
  // Only the loads of the view's document that the window started count: not the blank
  // page's, nor the failure a refused link reports.
  connect(page, &QWebEnginePage::loadingChanged, this,
          [this, view, fileName](const QWebEngineLoadingInfo& info) {
            if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) return;
            if (info.url().path().section('/', -1) != fileName) return;
            bool& expected = view == WebBrowser1 ? gridLoadExpected_ : listLoadExpected_;
            if (!expected) return;
            expected = false;
            documentLoaded(*view, info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
          });
  layout_.place(*view, twips, stretch);
  return view;
}

void ResultsWindow::createControls() {
  Label3 = addLabel(this, "Label3", "Report Results:", QRect(120, 120, 1455, 255));
  WebBrowser2 = addView("WebBrowser2", kReportName, QRect(120, 360, 7800, 3975), {0, 0, 1, 0.5},
                        &ResultsWindow::showListPage);
  Label2 =
      addLabel(this, "Label2", "Visualized Results:", QRect(120, 4560, 1605, 225), {0, 0.5, 0, 0});
  WebBrowser1 = addView("WebBrowser1", kGridName, QRect(120, 4800, 7800, 3975), {0, 0.5, 1, 0.5},
                        &ResultsWindow::showGridPage);
  Frame1 = new QGroupBox("Save Results To This Folder", this);
  Frame1->setObjectName("Frame1");
  layout_.place(*Frame1, QRect(120, 8820, 7800, 795), {0, 1, 1, 0});
  Text1 = addBox(Frame1, "Text1", QRect(240, 300, 6660, 345), {0, 0, 1, 0});
  PushButton7 = addButton(Frame1, "PushButton7", "...", QRect(6960, 300, 600, 345), {1, 0, 0, 0});
  PushButton8 =
      addButton(this, "PushButton8", "< Back", QRect(120, 9720, 3720, 405), {0, 1, 0.5, 0});
  PushButton6 = addButton(this, "PushButton6", "Save Results", QRect(3960, 9720, 3960, 405),
                          {0.5, 1, 0.5, 0});

  connect(PushButton6, &QPushButton::clicked, this, &ResultsWindow::saveResults);
  connect(PushButton7, &QPushButton::clicked, this, &ResultsWindow::browseOutputFolder);
  connect(PushButton8, &QPushButton::clicked, this, &ResultsWindow::goBack);
}

void ResultsWindow::load() {
  ErrorTrap trap("Form3", "Form_Load", errorBox_);
  trap.at(LoadLine::Look, [&] { applyButtonFaceColours(*this); });
  trap.at(LoadLine::Caption, [&] { setWindowTitle(kProductName); });
  trap.at(LoadLine::Icon, [&] { setWindowIcon(programIcon()); });
  trap.at(LoadLine::HandCursor, [&] { useHandCursor(); });
  trap.at(LoadLine::OutputFolder,
          [&] { Text1->setText(context_.settings.get(kOutputFolderKey, desktopFolder())); });
  connect(Text1, &QLineEdit::textChanged, this, &ResultsWindow::rememberOutputFolder);
}

void ResultsWindow::showDocuments(const QString& folder) {
  auto report = std::make_shared<const MappedFile>((folder + "/" + kReportName).toStdString());
  auto grid = std::make_shared<const MappedFile>((folder + "/" + kGridName).toStdString());
  if (!cleanUpStarted_) {
    cleanUpStarted_ = true;
    timer1_.start(kTimerMilliseconds);
  }
  rowCounter_.stop();
  listFile_ = std::move(report);
  gridFile_ = std::move(grid);
  pendingAnchor_.clear();
  pendingStep_ = 0;
  gridPageLoading_ = listPageLoading_ = false;
  gridSwaps_ = listSwaps_ = false;
  gridLineOutdated_ = false;
  gridPaging_ = {};
  listPaging_ = {};
  shownListPage_ = 0;
  shownPage_ = 0;
  gridAnchors_ = {};
  ++gridGeneration_;
  // The pages of a grid shown before are no longer wanted (waits for their thread to end).
  gridLayout_ = {};
  // The first two pages are cut at once: the first to be shown, the second to know there is
  // more than one.
  if (gridBytes().size() > gridPageBytes_)
    gridPaging_ = cutGridPages(gridBytes(), gridPageBytes_, 2);
  if (!gridPaging_.complete)
    startGridLayout();
  else if (gridPaging_.pages.size() < 2)
    gridPaging_ = {};
  else
    gridAnchors_ = AnchorIndex(gridBytes());
  if (listBytes().size() > listPageBytes_)
    listPaging_ = splitListPages(listBytes(), listPageBytes_);
  if (listPaging_.pages.size() < 2) listPaging_ = {};
  // A document shown whole is served from a copy; pages are made from the mapped bytes.
  documents_->hold(kReportName, listPaging_.pages.empty() ? copyOf(listBytes()) : QByteArray());
  documents_->hold(kGridName, gridPaging_.pages.empty() ? copyOf(gridBytes()) : QByteArray());
  viewsLoading_ = 2;
  listLoadExpected_ = gridLoadExpected_ = true;
  if (listPaging_.pages.empty())
    WebBrowser2->setUrl(documentUrl(kReportName));
  else
    loadListPage(0);
  if (gridPaging_.pages.empty())
    WebBrowser1->setUrl(documentUrl(kGridName));
  else
    loadGridPage(0);
}

std::string_view ResultsWindow::gridBytes() const {
  return bytesOf(gridFile_);
}

std::string_view ResultsWindow::listBytes() const {
  return bytesOf(listFile_);
}

void ResultsWindow::startGridLayout() {
  const int generation = gridGeneration_;
  gridLayout_ = std::async(
      std::launch::async, [this, generation, file = gridFile_, pageBytes = gridPageBytes_] {
        // The renderers showing the first pages come first.
        ::setpriority(PRIO_PROCESS, ::gettid(), kWorkerNiceness);
        GridLayout layout{cutGridPages(file->bytes(), pageBytes), AnchorIndex(file->bytes())};
        // The window waits for this thread before it goes, so that it is there to be told.
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
              if (generation == gridGeneration_) takeGridLayout();
            },
            Qt::QueuedConnection);
        return layout;
      });
}

void ResultsWindow::takeGridLayout() {
  if (!gridLayout_.valid()) return;
  ErrorTrap trap("Form3", "takeGridLayout", errorBox_);
  trap.at(GridLayoutLine::TakePages, [&] {
    GridLayout layout = gridLayout_.get();
    gridPaging_ = std::move(layout.paging);
    gridAnchors_ = std::move(layout.anchors);
  });
  countGridRows(gridBytes(), gridPaging_, shownPage_);
  if (gridPaging_.complete) rowCounter_.start(0);
  refreshGridLine();
}

void ResultsWindow::refreshGridLine() {
  if (!gridLineOutdated_ || gridPageLoading_ || !gridPaging_.complete ||
      shownPage_ >= gridPaging_.pages.size())
    return;
  gridLineOutdated_ = false;
  const std::string line = gridPageLine(gridPaging_, shownPage_, kGridFileName);
  const QJsonArray arguments{QString::fromLatin1(kSwappedPartId.data(), kSwappedPartId.size()),
                             QString::fromUtf8(line.data(), qsizetype(line.size()))};
  WebBrowser1->page()->runJavaScript(QString(kLineScript).arg(scriptArguments(arguments)));
}

std::size_t ResultsWindow::gridPageCount() {
  takeGridLayout();
  return gridPaging_.pages.size();
}

void ResultsWindow::swapPart(QWebEngineView& view, const std::string& body, const QString& anchor,
                             std::function<void(int)> done) {
  const QJsonArray arguments{QString::fromLatin1(kSwappedPartId.data(), kSwappedPartId.size()),
                             QString::fromUtf8(body.data(), qsizetype(body.size()))};
  view.page()->runJavaScript(swapScript(scriptArguments(arguments), anchor),
                             [done](const QVariant& outcome) { done(outcome.toInt()); });
}

void ResultsWindow::loadListPage(std::size_t page) {
  shownListPage_ = page;
  listPageLoading_ = true;
  if (listSwaps_) {
    swapPart(*WebBrowser2, listPageBody(listBytes(), listPaging_, page, kReportFileName), {},
             [this](int outcome) {
               if (outcome == kNoPart)
                 reloadListPage();
               else
                 listPageShown();
             });
    return;
  }
  const std::string markup = listPageMarkup(listBytes(), listPaging_, page, kReportFileName);
  documents_->serveInstead(kReportName, QByteArray(markup.data(), qsizetype(markup.size())));
  QUrl url = documentUrl(kReportName);
  url.setQuery("page=" + QString::number(page + 1));
  listLoadExpected_ = true;
  WebBrowser2->setUrl(url);
}

void ResultsWindow::reloadListPage() {
  listSwaps_ = false;
  loadListPage(shownListPage_);
}

void ResultsWindow::showListPage(const QString& query) {
  const std::string text = query.toStdString();
  if (const auto page = pageOfQuery(text, listPaging_.pages.size())) loadListPage(*page);
}

void ResultsWindow::listPageShown() {
  listPageLoading_ = false;
  emit pageShown(WebBrowser2);
  if (pendingStep_ == 0) return;
  const int step = pendingStep_;
  pendingStep_ = 0;
  stepDifference(step);
}

void ResultsWindow::loadGridPage(std::size_t page) {
  if (page > 0) takeGridLayout();
  countGridRows(gridBytes(), gridPaging_, page);
  shownPage_ = page;
  gridPageLoading_ = true;
  gridLineOutdated_ = !gridPaging_.complete;
  if (gridSwaps_) {
    // The cell waiting for the page is shown by the same script.
    const QString anchor = std::exchange(pendingAnchor_, QString());
    if (!anchor.isEmpty()) WebBrowser1->setFocus();
    swapPart(*WebBrowser1, gridPageBody(gridBytes(), gridPaging_, page, kGridFileName), anchor,
             [this, anchor](int outcome) {
               if (outcome == kNoPart) {
                 pendingAnchor_ = anchor;
                 reloadGridPage();
                 return;
               }
               // The same link reported again while the page was swapped is shown already.
               if (pendingAnchor_ == anchor) pendingAnchor_.clear();
               if (!anchor.isEmpty()) emit cellShown(anchor, outcome == kCellFound);
               gridPageShown();
             });
    return;
  }
  const std::string markup = gridPageMarkup(gridBytes(), gridPaging_, page, kGridFileName);
  documents_->serveInstead(kGridName, QByteArray(markup.data(), qsizetype(markup.size())));
  QUrl url = documentUrl(kGridName);
  url.setQuery("page=" + QString::number(page + 1));
  gridLoadExpected_ = true;
  WebBrowser1->setUrl(url);
}

void ResultsWindow::reloadGridPage() {
  gridSwaps_ = false;
  loadGridPage(shownPage_);
}

void ResultsWindow::showGridPage(const QString& query) {
  takeGridLayout();
  const std::string text = query.toStdString();
  if (const auto page = pageOfQuery(text, gridPaging_)) loadGridPage(*page);
}

void ResultsWindow::gridPageShown() {
  gridPageLoading_ = false;
  refreshGridLine();
  emit pageShown(WebBrowser1);
  if (pendingAnchor_.isEmpty()) return;
  const QString anchor = pendingAnchor_;
  pendingAnchor_.clear();
  focusCell(anchor);
}

void ResultsWindow::documentLoaded(QWebEngineView& view, bool ok) {
  // Later pages of a document in pages are put in place of the first one loaded.
  if (&view == WebBrowser1) {
    gridSwaps_ = ok && !gridPaging_.pages.empty();
    gridPageShown();
  } else {
    listSwaps_ = ok && !listPaging_.pages.empty();
    listPageShown();
  }
  if (viewsLoading_ > 0 && --viewsLoading_ == 0) {
    emit documentsLoaded();
    if (gridPaging_.complete && gridPaging_.rowsCounted < gridPaging_.pages.size())
      rowCounter_.start(0);
  }
}

void ResultsWindow::countRowsWhenIdle() {
  countGridRows(gridBytes(), gridPaging_, gridPaging_.rowsCounted + kRowCountingPages - 1);
  if (gridPaging_.rowsCounted >= gridPaging_.pages.size()) rowCounter_.stop();
}

void ResultsWindow::showCell(const QString& anchor) {
  // A link may be reported twice (the click and the window it opens); while a page loads,
  // its cell waits for it.
  if (gridPageLoading_) {
    pendingAnchor_ = anchor;
    return;
  }
  if (!gridPaging_.pages.empty()) {
    takeGridLayout();
    const std::string name = anchor.toStdString();
    const auto page = gridPaging_.complete ? findAnchorPage(gridAnchors_, gridPaging_, name)
                                           : findAnchorPage(gridBytes(), gridPaging_, name);
    if (page && *page != shownPage_) {
      pendingAnchor_ = anchor;
      loadGridPage(*page);
      return;
    }
  }
  focusCell(anchor);
}

void ResultsWindow::focusCell(const QString& anchor) {
  const QString script = QString(kShowCellScript).arg(scriptArguments(QJsonArray{anchor}));
  WebBrowser1->setFocus();
  WebBrowser1->page()->runJavaScript(
      script, [this, anchor](const QVariant& found) { emit cellShown(anchor, found.toBool()); });
}

void ResultsWindow::deleteTemporaryDocuments() {
  ErrorTrap trap("Form3", "Timer1", errorBox_);
  trap.at(CleanUpLine::DeleteReport,
          [&] { deleteFile((context_.temporaryFolder + "/" + kReportName).toStdString()); });
  trap.at(CleanUpLine::DeleteGrid,
          [&] { deleteFile((context_.temporaryFolder + "/" + kGridName).toStdString()); });
  trap.at(CleanUpLine::StopTimer, [&] { timer1_.stop(); });
}

void ResultsWindow::saveResults() {
  ErrorTrap trap("Form3", "PushButton6_Click", errorBox_);
  const QString folder = Text1->text();
  trap.line(SaveLine::FolderExists);
  if (!isFolder(folder.toStdString())) {
    tell("Folder does not exist. Please select another folder.");
    return;
  }
  const int reportedBefore = trap.reported();
  trap.at(SaveLine::SaveBoth, [&] { saveInnerMarkups(folder, listBytes(), gridBytes()); });
  trap.line(SaveLine::Done);
  if (trap.reported() == reportedBefore) tell("Done.");
}

void ResultsWindow::browseOutputFolder() {
  ErrorTrap trap("Form3", "PushButton7_Click", errorBox_);
  QString lastFolder;
  trap.at(BrowseFolderLine::LastFolder,
          [&] { lastFolder = context_.settings.get(kLastFolderKey, ""); });
  QString chosen;
  trap.at(BrowseFolderLine::PickFolder,
          [&] { chosen = context_.dialogs.pickFolder(this, "Please select folder:", lastFolder); });
  trap.line(BrowseFolderLine::Cancelled);
  if (chosen.isEmpty()) return;
  trap.at(BrowseFolderLine::RememberFolder,
          [&] { context_.settings.save(kLastFolderKey, chosen); });
  trap.at(BrowseFolderLine::ShowFolder,
          [&] { Text1->setText(chosen.endsWith('/') ? chosen : chosen + "/"); });
}

void ResultsWindow::goBack() {
  ErrorTrap trap("Form3", "PushButton8_Click", errorBox_);
  trap.at(BackLine::ShowCaller, [&] {
    if (QWidget* caller = callers_.value(QString::fromStdString(context_.callerWindow)))
      caller->show();
  });
  trap.at(BackLine::HideWindow, [&] { hide(); });
}

void ResultsWindow::rememberOutputFolder() {
  context_.settings.save(kOutputFolderKey, Text1->text());
}

void ResultsWindow::resizeEvent(QResizeEvent* event) {
  ProgramWindowBase::resizeEvent(event);
  if (findBar_->isVisible()) findBar_->keepOverTarget();
}

}  // namespace quill
