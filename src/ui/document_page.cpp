#include "ui/document_page.h"

#include "ui/document_scheme.h"

namespace quill {

namespace {

// Stands in for a window a document opens: it loads nothing and hands each address it is
// sent to on to its page.
class WindowCatcher final : public QWebEnginePage {
 public:
  WindowCatcher(QWebEngineProfile* profile, std::function<void(const QUrl&)> onNavigate,
                QObject* parent)
      : QWebEnginePage(profile, parent), onNavigate_(std::move(onNavigate)) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
    onNavigate_(url);
    return false;
  }

 private:
  std::function<void(const QUrl&)> onNavigate_;
};

}  // namespace

DocumentPage::DocumentPage(QWebEngineProfile* profile, QString fileName, QObject* parent)
    : QWebEnginePage(profile, parent), fileName_(std::move(fileName)) {}

bool DocumentPage::takeCellLink(const QUrl& url) {
  if (url.scheme() != kDocumentScheme) return false;
  const QString target = url.path().section('/', -1);
  if (target == fileName_ || !url.hasFragment()) return false;
  emit cellLinkClicked(url.fragment(QUrl::FullyDecoded));
  return true;
}

bool DocumentPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool) {
  if (takeCellLink(url)) return false;
  if (url.scheme() != kDocumentScheme) return false;
  if (type == NavigationTypeLinkClicked && url.hasQuery()) {
    emit pageLinkClicked(url.query(QUrl::FullyDecoded));
    return false;
  }
  return type != NavigationTypeLinkClicked || url.path().section('/', -1) == fileName_;
}

QWebEnginePage* DocumentPage::createWindow(WebWindowType) {
  if (!windowCatcher_) {
    windowCatcher_ = new WindowCatcher(
        profile(), [this](const QUrl& url) { takeCellLink(url); }, this);
  }
  return windowCatcher_;
}

}  // namespace quill
