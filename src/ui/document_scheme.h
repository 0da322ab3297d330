#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace quill {

// The URL scheme under which the results window serves the documents it holds.
inline constexpr const char* kDocumentScheme = "quillmere-doc";

// Makes the document scheme known to the web engine; call once before the application
// object is created.
void registerDocumentScheme();

// The address of a document held under a file name: "quillmere-doc:/report.htm".
QUrl documentUrl(const QString& fileName);

// Serves documents from memory, byte for byte as they were read (or the page shown in a
// document's place), under their file names.
// Held documents have no size limit and stay available after their files are deleted.
class DocumentSchemeHandler final : public QWebEngineUrlSchemeHandler {
  Q_OBJECT
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

  void hold(const QString& fileName, const QByteArray& bytes);
  QByteArray document(const QString& fileName) const { return documents_.value(fileName); }
  // Serves other bytes in a held document's place until it is held anew; what
  // document() answers stays as held.
  void serveInstead(const QString& fileName, const QByteArray& bytes) { served_[fileName] = bytes; }

  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  QHash<QString, QByteArray> documents_;
  QHash<QString, QByteArray> served_;
};

}  // namespace quill
