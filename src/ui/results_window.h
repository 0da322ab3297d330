#pragma once

#include <QHash>
#include <QPointer>
#include <QTimer>

#include "report/grid_pages.h"
#include "ui/program_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWebEngineProfile;
class QWebEngineView;

namespace quill {

class DocumentSchemeHandler;

// The results window: the difference list above, the grid below, whose cells the list's
// links jump to; saving both into a folder, and "< Back" to the window that compared.
class ResultsWindow final : public ProgramWindowBase {
  Q_OBJECT
 public:
  ResultsWindow(ProgramContext& context, ProgramWindows& windows);
  ~ResultsWindow() override;

  // Reads report.htm and visualized.htm from a folder and shows them; the bytes read are
  // what the views show (a large grid one page at a time) and what saving writes.
  void showDocuments(const QString& folder);
  // Names a window that "< Back" may return to.
  void registerCaller(const QString& name, QWidget* window) { callers_[name] = window; }

  // Grids larger than this many bytes are shown one page of about this size at a time.
  void setGridPageBytes(std::size_t bytes) { gridPageBytes_ = bytes; }
  // How many pages the grid is shown in; 0 when it is shown whole.
  std::size_t gridPageCount() const { return gridPaging_.pages.size(); }

  // Whether either view is still loading the documents last given to showDocuments.
  bool isLoading() const { return viewsLoading_ > 0; }
  QWebEngineView& reportView() { return *WebBrowser2; }
  QWebEngineView& gridView() { return *WebBrowser1; }

 signals:
  // Both views have finished loading the documents last given to showDocuments.
  void documentsLoaded();
  // The grid has been scrolled to a cell and the cell focused; found is false when the
  // grid has no such cell.
  void cellShown(const QString& anchor, bool found);

 private slots:
  void saveResults();
  void browseOutputFolder();
  void goBack();
  void deleteTemporaryDocuments();
  void rememberOutputFolder();
  void showCell(const QString& anchor);
  void showGridPage(const QString& query);

 private:
  void load();
  void createControls();
  QWebEngineView* addView(const char* name, const QString& fileName, QRect twips, Stretch stretch);
  void viewLoaded(bool ok);
  void gridLoaded();
  void loadGridPage(std::size_t page);
  void focusCell(const QString& anchor);

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
  QTimer timer1_;
  QHash<QString, QPointer<QWidget>> callers_;
  int viewsLoading_ = 0;
  std::size_t gridPageBytes_;
  QByteArray gridDocument_;  // the grid as read; gridPaging_ points into it
  GridPaging gridPaging_;
  std::size_t shownPage_ = 0;
  bool gridPageLoading_ = false;
  QString pendingAnchor_;  // the cell to focus once the page being loaded is shown
};

}  // namespace quill
