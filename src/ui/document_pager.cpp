#include "ui/document_pager.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEngineView>
#include <utility>

#include "base/mapped_file.h"
#include "report/page_links.h"
#include "ui/document_scheme.h"

namespace quill {

namespace {

QString scriptArguments(const QJsonArray& arguments) {
  return QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact));
}

constexpr const char* kShowCellScript = R"((function (name) {
  var anchor = document.getElementsByName(name)[0];
  if (!anchor) return false;
  anchor.scrollIntoView({block: 'center', inline: 'center'});
  anchor.focus();
  return true;
})(%1[0]))";

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

// What a swap answers: no part to swap, swapped, and the cell asked for found or missing.
enum SwapAnswer { kNoPart = 0, kSwapped = 1, kCellFound = 2, kCellMissing = 3 };

// Swaps the page and, when a cell is named, shows it in the same step.
QString swapScript(const QString& swapArguments, const QString& anchor) {
  const QString swap = QString(kSwapScript).arg(swapArguments);
  if (anchor.isEmpty()) return QString("(%1) ? 1 : 0").arg(swap);
  return QString("(%1) ? ((%2) ? 2 : 3) : 0").arg(swap, showCellScript(anchor));
}

PageOutcome outcomeOf(int answer) {
  if (answer == kCellFound) return PageOutcome::CellFound;
  if (answer == kCellMissing) return PageOutcome::CellMissing;
  return PageOutcome::Swapped;
}

QByteArray bytesOf(const std::string& text) {
  return QByteArray(text.data(), qsizetype(text.size()));
}

}  // namespace

QString showCellScript(const QString& anchor) {
  return QString(kShowCellScript).arg(scriptArguments(QJsonArray{anchor}));
}

DocumentPager::DocumentPager(QWebEngineView& view, DocumentSchemeHandler& documents,
                             QString fileName)
    : QObject(&view), view_(view), documents_(documents), fileName_(std::move(fileName)) {}

std::string_view DocumentPager::bytes() const {
  return file_ ? file_->bytes() : std::string_view();
}

void DocumentPager::show(std::shared_ptr<const MappedFile> file, PagedDocument paged) {
  file_ = std::move(file);
  paged_ = paged.pages.size() < 2 ? PagedDocument{} : std::move(paged);
  ++generation_;
  shown_ = 0;
  swaps_ = false;
  // A document shown whole is served from a copy; pages are made from the mapped bytes.
  const std::string_view whole = paged_.pages.empty() ? bytes() : std::string_view();
  documents_.hold(fileName_, QByteArray(whole.data(), qsizetype(whole.size())));
  if (!paged_.pages.empty()) return showPage(0);
  loading_ = loadExpected_ = true;
  loadingAnchor_.clear();
  view_.setUrl(documentUrl(fileName_));
}

void DocumentPager::showPage(std::size_t page, const QString& anchor) {
  if (page >= paged_.pages.size()) return;
  shown_ = page;
  loading_ = true;
  if (swaps_)
    swap(anchor);
  else
    load(anchor);
}

bool DocumentPager::showQuery(const QString& query, const QString& anchor) {
  const auto page = pageOfQuery(query.toStdString(), paged_.pages.size());
  if (!page) return false;
  showPage(*page, anchor);
  return true;
}

void DocumentPager::swap(const QString& anchor) {
  const std::string body = pageBody(bytes(), paged_, shown_, fileName_.toStdString());
  const QJsonArray arguments{QString::fromLatin1(kSwappedPartId.data(), kSwappedPartId.size()),
                             QString::fromUtf8(body.data(), qsizetype(body.size()))};
  const int generation = generation_;
  view_.page()->runJavaScript(swapScript(scriptArguments(arguments), anchor),
                              [this, anchor, generation](const QVariant& answer) {
                                if (generation != generation_) return;
                                if (answer.toInt() == kNoPart) {
                                  swaps_ = false;
                                  return load(anchor);
                                }
                                loading_ = false;
                                emit pageShown(anchor, outcomeOf(answer.toInt()));
                              });
}

void DocumentPager::load(const QString& anchor) {
  const std::string markup = pageMarkup(bytes(), paged_, shown_, fileName_.toStdString());
  documents_.serveInstead(fileName_, bytesOf(markup));
  QUrl url = documentUrl(fileName_);
  url.setQuery("page=" + QString::number(shown_ + 1));
  loadingAnchor_ = anchor;
  loadExpected_ = true;
  view_.setUrl(url);
}

bool DocumentPager::takeLoad() {
  return std::exchange(loadExpected_, false);
}

void DocumentPager::loaded(bool ok) {
  // Later pages of a document in pages are put in place of the one loaded.
  swaps_ = ok && !paged_.pages.empty();
  loading_ = false;
  emit pageShown(std::exchange(loadingAnchor_, QString()), PageOutcome::Loaded);
}

}  // namespace quill
