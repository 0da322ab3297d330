#include "ui/results_window.h"

#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <filesystem>
#include <stdexcept>

#include "base/file_utils.h"
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
// About 8,000 grid cells, 400 rows of 20 columns: the renderer loads such a page in a few
// tenths of a second, so that the first page shows soon and a link to a cell on another
// page is followed at once, while whole grids of a million cells exhaust its memory.
constexpr std::size_t kGridPageBytes = 400'000;
// About 300 listed differences, for the same reason.
constexpr std::size_t kListPageBytes = 100'000;
// The line labels of Form_Load.
enum class LoadLine { Look = 100, Caption = 102, Icon = 104, HandCursor = 106, OutputFolder = 108 };

// The line labels of Timer1, which removes the documents the views have read.
enum class CleanUpLine { DeleteReport = 100, DeleteGrid = 102, StopTimer = 104 };

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

// Finds the grid's anchor of that name, scrolls it into view and focuses it, which marks
// its cell's border; answers whether it was there.
constexpr const char* kShowCellScript = R"((function (name) {
  var anchor = document.getElementsByName(name)[0];
  if (!anchor) return false;
  anchor.scrollIntoView({block: 'center', inline: 'center'});
  anchor.focus();
  return true;
})(%1[0]))";

QByteArray readDocument(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error("\"" + path.toStdString() + "\": " + file.errorString().toStdString());
  return file.readAll();
}

std::string_view bytesOf(const QByteArray& document) {
  return std::string_view(document.constData(), std::size_t(document.size()));
}

// Saves the inner markup of both held documents into the folder, both or neither.
void saveInnerMarkups(const QString& folder, const QByteArray& report, const QByteArray& grid) {
  const auto text = [](const QByteArray& document) {
    return innerRootMarkup(std::string_view(document.constData(), std::size_t(document.size())));
  };
  saveDocumentPair(std::filesystem::path(folder.toStdString()), text(report), text(grid), {});
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
  new WindowPlacement(*this, context_.settings, "Results Window Placement");
  timer1_.setParent(this);
  timer1_.setObjectName("Timer1");
  timer1_.setSingleShot(true);
  connect(&timer1_, &QTimer::timeout, this, &ResultsWindow::deleteTemporaryDocuments);
  timer1_.start(kTimerMilliseconds);
  load();
}

// The pages must go before the profile they were made with.
ResultsWindow::~ResultsWindow() {
  delete WebBrowser1;
  delete WebBrowser2;
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
  connect(view, &QWebEngineView::loadFinished, this, &ResultsWindow::viewLoaded);
  layout_.place(*view, twips, stretch);
  return view;
}

void ResultsWindow::createControls() {
  Label3 = addLabel(this, "Label3", "Report Results:", QRect(120, 120, 1455, 255));
  WebBrowser2 = addView("WebBrowser2", kReportName, QRect(120, 360, 7800, 3975), {0, 0, 1, 0.5},
                        &ResultsWindow::showListPage);
  connect(WebBrowser2, &QWebEngineView::loadFinished, this, &ResultsWindow::listLoaded);
  Label2 =
      addLabel(this, "Label2", "Visualized Results:", QRect(120, 4560, 1605, 225), {0, 0.5, 0, 0});
  WebBrowser1 = addView("WebBrowser1", kGridName, QRect(120, 4800, 7800, 3975), {0, 0.5, 1, 0.5},
                        &ResultsWindow::showGridPage);
  connect(WebBrowser1, &QWebEngineView::loadFinished, this, &ResultsWindow::gridLoaded);
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
  const QByteArray report = readDocument(folder + "/" + kReportName);
  const QByteArray grid = readDocument(folder + "/" + kGridName);
  documents_->hold(kReportName, report);
  documents_->hold(kGridName, grid);
  listDocument_ = report;
  gridDocument_ = grid;
  pendingAnchor_.clear();
  pendingStep_ = 0;
  gridPageLoading_ = false;
  listPageLoading_ = false;
  gridPaging_ = {};
  listPaging_ = {};
  shownListPage_ = 0;
  shownPage_ = 0;
  if (std::size_t(grid.size()) > gridPageBytes_)
    gridPaging_ = splitGridPages(bytesOf(gridDocument_), gridPageBytes_);
  if (gridPaging_.pages.size() < 2) gridPaging_ = {};
  if (std::size_t(report.size()) > listPageBytes_)
    listPaging_ = splitListPages(bytesOf(listDocument_), listPageBytes_);
  if (listPaging_.pages.size() < 2) listPaging_ = {};
  viewsLoading_ = 2;
  if (listPaging_.pages.empty())
    WebBrowser2->setUrl(documentUrl(kReportName));
  else
    loadListPage(0);
  if (gridPaging_.pages.empty())
    WebBrowser1->setUrl(documentUrl(kGridName));
  else
    loadGridPage(0);
}

void ResultsWindow::loadListPage(std::size_t page) {
  const std::string markup =
      listPageMarkup(bytesOf(listDocument_), listPaging_, page, std::string_view(kReportFileName));
  documents_->serveInstead(kReportName, QByteArray(markup.data(), qsizetype(markup.size())));
  shownListPage_ = page;
  listPageLoading_ = true;
  QUrl url = documentUrl(kReportName);
  url.setQuery("page=" + QString::number(page + 1));
  WebBrowser2->setUrl(url);
}

void ResultsWindow::showListPage(const QString& query) {
  const std::string text = query.toStdString();
  if (const auto page = pageOfQuery(text, listPaging_.pages.size())) loadListPage(*page);
}

void ResultsWindow::listLoaded() {
  listPageLoading_ = false;
  if (pendingStep_ == 0) return;
  const int step = pendingStep_;
  pendingStep_ = 0;
  stepDifference(step);
}

void ResultsWindow::loadGridPage(std::size_t page) {
  const std::string markup =
      gridPageMarkup(bytesOf(gridDocument_), gridPaging_, page, std::string_view(kGridFileName));
  documents_->serveInstead(kGridName, QByteArray(markup.data(), qsizetype(markup.size())));
  shownPage_ = page;
  gridPageLoading_ = true;
  QUrl url = documentUrl(kGridName);
  url.setQuery("page=" + QString::number(page + 1));
  WebBrowser1->setUrl(url);
}

void ResultsWindow::showGridPage(const QString& query) {
  const std::string text = query.toStdString();
  if (const auto page = pageOfQuery(text, gridPaging_)) loadGridPage(*page);
}

void ResultsWindow::gridLoaded() {
  gridPageLoading_ = false;
  if (pendingAnchor_.isEmpty()) return;
  const QString anchor = pendingAnchor_;
  pendingAnchor_.clear();
  focusCell(anchor);
}

void ResultsWindow::viewLoaded(bool) {
  if (viewsLoading_ > 0 && --viewsLoading_ == 0) emit documentsLoaded();
}

void ResultsWindow::showCell(const QString& anchor) {
  // A link may be reported twice (the click and the window it opens); while a page loads,
  // its cell waits for it.
  if (gridPageLoading_) {
    pendingAnchor_ = anchor;
    return;
  }
  if (!gridPaging_.pages.empty()) {
    const std::string name = anchor.toStdString();
    const auto page = findAnchorPage(bytesOf(gridDocument_), gridPaging_, name);
    if (page && *page != shownPage_) {
      pendingAnchor_ = anchor;
      loadGridPage(*page);
      return;
    }
  }
  focusCell(anchor);
}

void ResultsWindow::focusCell(const QString& anchor) {
  const QString script =
      QString(kShowCellScript)
          .arg(QString::fromUtf8(QJsonDocument(QJsonArray{anchor}).toJson(QJsonDocument::Compact)));
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
  trap.at(SaveLine::SaveBoth, [&] {
    saveInnerMarkups(folder, documents_->document(kReportName), documents_->document(kGridName));
  });
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
