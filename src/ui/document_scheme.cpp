#include "ui/document_scheme.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace quill {

void registerDocumentScheme() {
  QWebEngineUrlScheme scheme(kDocumentScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
  // The documents show workbook texts: they get no access to local files.
  scheme.setFlags(QWebEngineUrlScheme::LocalScheme);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl documentUrl(const QString& fileName) {
  return QUrl(QString(kDocumentScheme) + ":/" + fileName);
}

void DocumentSchemeHandler::hold(const QString& fileName, const QByteArray& bytes) {
  documents_[fileName] = bytes;
  served_.remove(fileName);
}

void DocumentSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QString fileName = job->requestUrl().path().section('/', -1);
  const QHash<QString, QByteArray>& source = served_.contains(fileName) ? served_ : documents_;
  const auto found = source.constFind(fileName);
  if (found == source.constEnd()) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  auto* buffer = new QBuffer(job);
  buffer->setData(found.value());
  job->reply("text/html", buffer);
}

}  // namespace quill
