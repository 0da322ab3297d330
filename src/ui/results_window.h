#pragma once

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWebEnginePage>
#include <memory>
#include <optional>
#include <string>

#include "base/file_utils.h"
#include "engine/comparison.h"
#include "report/document_index.h"
#include "ui/document_pager.h"
#include "ui/program_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWebEngineProfile;
class QWebEngineView;

namespace quill {

class DocumentSchemeHandler;
class MappedFile;
class FindBar;

// The results window: the difference list above, the grid below, whose cells the list's
// links jump to; saving both into a folder, and "< Back" to the window that compared.
class ResultsWindow final : public ProgramWindowBase {
  Q_OBJECT
 public:
  ResultsWindow(ProgramContext& context, ProgramWindows& windows);
  ~ResultsWindow() override;

  // Maps report.htm and visualized.htm of a folder into memory and shows them; the bytes
  // mapped are what the views show (a long list or a large grid one page at a time, cut
  // where the index their writer recorded says, each page after the first put in place of
  // the one shown without loading a new page) and what saving writes. Without an index the
  // documents are shown whole.
  void showDocuments(const QString& folder, std::shared_ptr<const DocumentIndex> index = {});
  // Names a window that "< Back" may return to.
  void registerCaller(const QString& name, QWidget* window) { callers_[name] = window; }

  // Grids larger than this many bytes are shown one page of about this size at a time.
  void setGridPageBytes(std::size_t bytes) { gridPageBytes_ = bytes; }
  // How many pages the grid is shown in; 0 when it is shown whole.
  std::size_t gridPageCount() const { return gridPager_->pageCount(); }
  // Lists larger than this many bytes are shown one page of about this size at a time.
  void setListPageBytes(std::size_t bytes) { listPageBytes_ = bytes; }
  // How many pages the list is shown in; 0 when it is shown whole.
  std::size_t listPageCount() const { return listPager_->pageCount(); }
  // The pages of the list and of the grid shown, counted from 0.
  std::size_t shownListPage() const { return listPager_->shownPage(); }
  std::size_t shownGridPage() const { return gridPager_->shownPage(); }

  // Whether either view is still loading the documents last given to showDocuments.
  bool isLoading() const { return viewsLoading_ > 0; }
  QWebEngineView& reportView() { return *WebBrowser2; }
  QWebEngineView& gridView() { return *WebBrowser1; }

  // Selects the next (step 1) or previous (step -1) listed difference, scrolls the list to
  // it and shows its cell in the grid as a click does, turning to the next or previous page
  // of the list at either end of the one shown; nothing at either end of the list.
  void stepDifference(int step);
  // The two files of the comparison shown, which the list's context menu opens.
  void setComparedFiles(const QStringList& files) { comparedFiles_ = files; }
  FindBar& findBar() { return *findBar_; }
  // Runs the comparison shown again, its result told to a sink: the review workbook is made
  // from the plain result, never from the documents. Set by the window that compared.
  using ComparisonRepeater = std::function<ComparisonOutcome(
      const std::function<ResultSink&(const SpreadsheetSession&)>&, ErrorBox&)>;
  void setComparisonRepeater(ComparisonRequest request, ComparisonRepeater repeater) {
    reviewRequest_ = std::move(request);
    repeater_ = std::move(repeater);
  }

 signals:
  // Both views have finished loading the documents last given to showDocuments.
  void documentsLoaded();
  // The grid has been scrolled to a cell and the cell focused; found is false when the
  // grid has no such cell.
  void cellShown(const QString& anchor, bool found);
  // A view shows another page of its document, loaded or put in place of the one before.
  void pageShown(QWebEngineView* view);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private slots:
  void saveResults();
  void saveReviewWorkbook();
  void browseOutputFolder();
  void goBack();
  void deleteTemporaryDocuments();
  void rememberOutputFolder();
  void showCell(const QString& anchor);
  void openFind();

 private:
  void load();
  void createControls();
  void prepareViews();
  QWebEngineView* addView(const char* name, const QString& fileName, QRect twips, Stretch stretch,
                          DocumentPager*& pager);
  void documentLoaded(DocumentPager& pager, bool ok);
  void gridPageShown(const QString& anchor, PageOutcome outcome);
  void listPageShown();
  void showGridPage(std::size_t page);
  std::string_view gridBytes() const;
  std::string_view listBytes() const;
  void focusCell(const QString& anchor);
  void createNavigation();
  void createReviewButton();
  QMenu* differenceMenu(const QString& linkText);
  // Loads the page after (or before) the one the view shows whose rows hold the text.
  bool turnToPageHolding(QWebEngineView& view, const QString& text, bool backwards);
  void openWorkbook(const QString& path);
  // Tells the user, once for the documents shown, that the views cannot show them.
  void rendererFailed(QWebEnginePage::RenderProcessTerminationStatus status);
  // The menu of a view: copying, and opening either workbook from a listed difference.
  void showViewMenu(QWebEngineView& view, const QPoint& position);
  void copyFrom(QWebEngineView& view);

  QWebEngineProfile* profile_ = nullptr;
  DocumentSchemeHandler* documents_ = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  QWebEngineView* WebBrowser2 = nullptr;
  QWebEngineView* WebBrowser1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* PushButton7 = nullptr;
  QPushButton* PushButton8 = nullptr;
  QPushButton* PushButton6 = nullptr;
  QPushButton* previousDifference_ = nullptr;
  QPushButton* nextDifference_ = nullptr;
  QPushButton* reviewButton_ = nullptr;
  ComparisonRequest reviewRequest_;
  ComparisonRepeater repeater_;
  FindBar* findBar_ = nullptr;
  QStringList comparedFiles_;
  QTimer timer1_;
  bool cleanUpStarted_ = false;  // Timer1 runs once, for the first documents shown
  // The files of those documents, so that the clean-up leaves the documents of a later
  // comparison that replaced them before it ran.
  std::optional<FileIdentity> firstReport_, firstGrid_;
  QHash<QString, QPointer<QWidget>> callers_;
  int viewsLoading_ = 0;
  std::size_t gridPageBytes_;
  std::size_t listPageBytes_;
  DocumentPager* gridPager_ = nullptr;
  DocumentPager* listPager_ = nullptr;
  // Where the documents shown hold their rows and anchors, as their writer recorded it.
  std::shared_ptr<const DocumentIndex> index_;
  QString pendingAnchor_;  // the cell to focus once the page being loaded is shown
  int pendingStep_ = 0;    // the step to take once the list page being loaded is shown
  bool rendererFailureTold_ = false;
};

}  // namespace quill
