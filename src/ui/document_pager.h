#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string_view>

#include "report/document_pages.h"

class QWebEngineView;

namespace quill {

class DocumentSchemeHandler;
class MappedFile;

// What showing a page came to: loaded anew, or put in place of the page shown, with the
// cell asked for found or missing in the same step.
enum class PageOutcome { Loaded, Swapped, CellFound, CellMissing };

// The script that scrolls the grid to the cell of that anchor and focuses it, which marks
// its border; it answers whether the cell is there.
QString showCellScript(const QString& anchor);

// Shows one document in a view of the results window, whole or a page at a time: the first
// page is loaded, each later one put in place of the part of the page shown that changes
// (loaded anew when the view's page has no such part). Pages come from the document's
// bytes as mapped and from the pages its writer's index gives.
class DocumentPager final : public QObject {
  Q_OBJECT
 public:
  DocumentPager(QWebEngineView& view, DocumentSchemeHandler& documents, QString fileName);

  // Shows the document from its first page: in pages when paged holds two or more, else
  // whole.
  void show(std::shared_ptr<const MappedFile> file, PagedDocument paged);
  // Shows a page, and with it the cell of the anchor, if one is named.
  void showPage(std::size_t page, const QString& anchor = {});
  // Shows the page a "page=N" query names; answers whether it names one.
  bool showQuery(const QString& query, const QString& anchor = {});
  // Whether a load of this view is one the pager started; takes it once.
  bool takeLoad();
  // The view has loaded the document or page the pager asked for.
  void loaded(bool ok);

  std::size_t pageCount() const { return paged_.pages.size(); }
  std::size_t shownPage() const { return shown_; }
  bool isLoading() const { return loading_; }
  const PagedDocument& paged() const { return paged_; }
  std::string_view bytes() const;

 signals:
  // A page (or the whole document) is shown, with the anchor asked to go with it.
  void pageShown(const QString& anchor, quill::PageOutcome outcome);

 private:
  void swap(const QString& anchor);
  void load(const QString& anchor);

  QWebEngineView& view_;
  DocumentSchemeHandler& documents_;
  QString fileName_;
  std::shared_ptr<const MappedFile> file_;
  PagedDocument paged_;
  std::size_t shown_ = 0;
  bool loading_ = false;
  bool loadExpected_ = false;
  bool swaps_ = false;     // whether the view shows a page whose part can be swapped
  QString loadingAnchor_;  // the anchor to go with the page being loaded
  int generation_ = 0;     // counts the documents shown, so that a late swap's answer is dropped
};

}  // namespace quill
