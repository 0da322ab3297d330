#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

namespace quill {

// A page that shows one held document and stays on it: links to the other document come
// out as cellLinkClicked with the decoded cell anchor ("Sheet1!C2"), whether followed in
// place or opened in a named window; links to another page of its own document
// ("visualized.htm?page=2") come out as pageLinkClicked with the query; links anywhere else
// are not followed.
class DocumentPage final : public QWebEnginePage {
  Q_OBJECT
 public:
  DocumentPage(QWebEngineProfile* profile, QString fileName, QObject* parent);

 signals:
  void cellLinkClicked(const QString& anchor);
  void pageLinkClicked(const QString& query);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  // Whether the address is another held document; if so, reports its anchor.
  bool takeCellLink(const QUrl& url);

  QString fileName_;
  QWebEnginePage* windowCatcher_ = nullptr;
};

}  // namespace quill
