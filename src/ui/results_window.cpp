#include "ui/results_window.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "base/file_utils.h"
#include "base/mapped_file.h"
#include "report/document_saving.h"
#include "report/documents.h"
#include "report/page_links.h"
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
// The line labels of Form_Load.
enum class LoadLine { Look = 100, Caption = 102, Icon = 104, HandCursor = 106, OutputFolder = 108 };

// The line labels of Timer1, which removes the documents the views have read.
enum class CleanUpLine { DeleteReport = 100, DeleteGrid = 102, StopTimer = 104 };

// Keeps the grid's column letters and row numbers in view while it scrolls: the header row's
// cells stick to the top, each row's number to the left, on every page the view shows.
constexpr const char* kStickyHeadersScript = R"((function () {
  var style = document.createElement('style');
  style.textContent =
    'table tr:first-child > td.header { position: sticky; top: 0; z-index: 2; }' +
    'table tr > td.header:first-child { position: sticky; left: 0; z-index: 1;' +
    ' white-space: nowrap; min-width: 7ch; }' +
    'table tr:first-child > td.header:first-child { z-index: 3; }';
  document.head.appendChild(style);
})();)";

// What a view's renderer process ending other than normally means to the user.
QString rendererFailure(QWebEnginePage::RenderProcessTerminationStatus status) {
  const char* how = status == QWebEnginePage::KilledTerminationStatus ? "was killed"
                    : status == QWebEnginePage::CrashedTerminationStatus
                        ? "crashed"
                        : "could not start or ended abnormally";
  return QString(
             "The results cannot be shown: the web view's renderer process %1. \"Save Results\" "
             "still saves the documents.")
      .arg(how);
}

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
  load();
  documents_->hold(kBlankName, "<html><body></body></html>");
  WebBrowser1->setUrl(documentUrl(kBlankName));
  WebBrowser2->setUrl(documentUrl(kBlankName));
  prepareViews();
  new WindowPlacement(*this, context_.settings, "Results Window Placement");
}

// The pages must go before the profile they were made with.
ResultsWindow::~ResultsWindow() {
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
                                       Stretch stretch, DocumentPager*& pager) {
  auto* view = new QWebEngineView(this);
  view->setObjectName(name);
  auto* page = new DocumentPage(profile_, fileName, view);
  view->setPage(page);
  pager = new DocumentPager(*view, *documents_, fileName);
  connect(page, &DocumentPage::cellLinkClicked, this, &ResultsWindow::showCell);
  // Only the loads of the view's document that the pager started count: not the blank
  // page's, nor the failure a refused link reports.
  connect(page, &QWebEnginePage::loadingChanged, this,
          [this, pager, fileName](const QWebEngineLoadingInfo& info) {
            if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) return;
            if (info.url().path().section('/', -1) != fileName) return;
            if (!pager->takeLoad()) return;
            documentLoaded(*pager, info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
          });
  connect(page, &QWebEnginePage::renderProcessTerminated, this,
          [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            if (status != QWebEnginePage::NormalTerminationStatus) rendererFailed(status);
          });
  layout_.place(*view, twips, stretch);
  return view;
}

void ResultsWindow::createControls() {
  Label3 = addLabel(this, "Label3", "Report Results:", QRect(120, 120, 1455, 255));
  WebBrowser2 =
      addView("WebBrowser2", kReportName, QRect(120, 360, 7800, 3975), {0, 0, 1, 0.5}, listPager_);
  Label2 =
      addLabel(this, "Label2", "Visualized Results:", QRect(120, 4560, 1605, 225), {0, 0.5, 0, 0});
  WebBrowser1 =
      addView("WebBrowser1", kGridName, QRect(120, 4800, 7800, 3975), {0, 0.5, 1, 0.5}, gridPager_);
  QWebEngineScript sticky;
  sticky.setName("StickyHeaders");
  sticky.setSourceCode(kStickyHeadersScript);
  sticky.setInjectionPoint(QWebEngineScript::DocumentReady);
  sticky.setWorldId(QWebEngineScript::ApplicationWorld);
  WebBrowser1->page()->scripts().insert(sticky);
  auto* listPage = static_cast<DocumentPage*>(WebBrowser2->page());
  auto* gridPage = static_cast<DocumentPage*>(WebBrowser1->page());
  connect(listPage, &DocumentPage::pageLinkClicked, this,
          [this](const QString& query) { listPager_->showQuery(query); });
  connect(gridPage, &DocumentPage::pageLinkClicked, this, [this](const QString& query) {
    if (const auto page = pageOfQuery(query.toStdString(), gridPageCount())) showGridPage(*page);
  });
  connect(listPager_, &DocumentPager::pageShown, this, &ResultsWindow::listPageShown);
  connect(gridPager_, &DocumentPager::pageShown, this, &ResultsWindow::gridPageShown);
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

void ResultsWindow::showDocuments(const QString& folder,
                                  std::shared_ptr<const DocumentIndex> index) {
  auto report = std::make_shared<const MappedFile>((folder + "/" + kReportName).toStdString());
  auto grid = std::make_shared<const MappedFile>((folder + "/" + kGridName).toStdString());
  if (!cleanUpStarted_) {
    cleanUpStarted_ = true;
    firstReport_ = fileIdentity((folder + "/" + kReportName).toStdString());
    firstGrid_ = fileIdentity((folder + "/" + kGridName).toStdString());
    timer1_.start(kTimerMilliseconds);
  }
  index_ = index ? std::move(index) : std::make_shared<const DocumentIndex>();
  rendererFailureTold_ = false;
  pendingAnchor_.clear();
  pendingStep_ = 0;
  // Documents that fit in a page are shown whole.
  const auto pagesOf = [](const MappedFile& file, const MarkedDocument& marked,
                          std::size_t pageBytes, PageNaming naming) {
    return file.bytes().size() > pageBytes ? cutPages(marked, pageBytes, naming) : PagedDocument{};
  };
  PagedDocument listPages =
      pagesOf(*report, index_->list, listPageBytes_, PageNaming::ListedDifferences);
  PagedDocument gridPages = pagesOf(*grid, index_->grid, gridPageBytes_, PageNaming::GridRows);
  viewsLoading_ = 2;
  listPager_->show(std::move(report), std::move(listPages));
  gridPager_->show(std::move(grid), std::move(gridPages));
}

std::string_view ResultsWindow::gridBytes() const {
  return gridPager_->bytes();
}

std::string_view ResultsWindow::listBytes() const {
  return listPager_->bytes();
}

void ResultsWindow::showGridPage(std::size_t page) {
  // The cell waiting for the page is shown with it.
  const QString anchor = std::exchange(pendingAnchor_, QString());
  if (!anchor.isEmpty()) WebBrowser1->setFocus();
  gridPager_->showPage(page, anchor);
}

void ResultsWindow::listPageShown() {
  emit pageShown(WebBrowser2);
  if (pendingStep_ == 0) return;
  const int step = std::exchange(pendingStep_, 0);
  stepDifference(step);
}

void ResultsWindow::gridPageShown(const QString& anchor, PageOutcome outcome) {
  emit pageShown(WebBrowser1);
  if (outcome == PageOutcome::CellFound || outcome == PageOutcome::CellMissing) {
    // The same link reported again while the page was swapped is shown already.
    if (pendingAnchor_ == anchor) pendingAnchor_.clear();
    emit cellShown(anchor, outcome == PageOutcome::CellFound);
  } else if (!anchor.isEmpty() && pendingAnchor_.isEmpty()) {
    pendingAnchor_ = anchor;
  }
  if (pendingAnchor_.isEmpty()) return;
  focusCell(std::exchange(pendingAnchor_, QString()));
}

void ResultsWindow::documentLoaded(DocumentPager& pager, bool ok) {
  pager.loaded(ok);
  if (viewsLoading_ > 0 && --viewsLoading_ == 0) emit documentsLoaded();
}

void ResultsWindow::showCell(const QString& anchor) {
  // A link may be reported twice (the click and the window it opens); while a page loads,
  // its cell waits for it.
  if (gridPager_->isLoading()) {
    pendingAnchor_ = anchor;
    return;
  }
  if (gridPageCount() > 0) {
    const auto offset = index_->anchorOffset(anchor.toStdString());
    const auto page = offset ? pageHolding(gridPager_->paged(), *offset) : std::nullopt;
    if (page && *page != shownGridPage()) {
      pendingAnchor_ = anchor;
      showGridPage(*page);
      return;
    }
  }
  focusCell(anchor);
}

void ResultsWindow::focusCell(const QString& anchor) {
  WebBrowser1->setFocus();
  WebBrowser1->page()->runJavaScript(showCellScript(anchor), [this, anchor](const QVariant& found) {
    emit cellShown(anchor, found.toBool());
  });
}

void ResultsWindow::rendererFailed(QWebEnginePage::RenderProcessTerminationStatus status) {
  // Both views' renderers usually go together; one message says it for both.
  if (rendererFailureTold_) return;
  rendererFailureTold_ = true;
  tell(rendererFailure(status));
}

void ResultsWindow::deleteTemporaryDocuments() {
  ErrorTrap trap("Form3", "Timer1", errorBox_);
  // A comparison that ended before the timer did has written its documents over the first
  // ones; they are its own, and stay.
  const auto deleteFirst = [&](const QString& name, const std::optional<FileIdentity>& identity) {
    if (identity)
      deleteFileIfSame((context_.temporaryFolder + "/" + name).toStdString(), *identity);
  };
  trap.at(CleanUpLine::DeleteReport, [&] { deleteFirst(kReportName, firstReport_); });
  trap.at(CleanUpLine::DeleteGrid, [&] { deleteFirst(kGridName, firstGrid_); });
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
