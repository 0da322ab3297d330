#pragma once

#include <QString>
#include <QUrl>

namespace quill {

// The product's web page, which the main window's product button opens.
inline constexpr const char* kProductPage = "https://www.quillmere.example/quillmere/";

// The user's desktop folder followed by the path separator; the home folder when the
// desktop folder does not exist.
QString desktopFolder();

// Hands an address to the default web browser; false when nothing could take it.
bool openWebPage(const QUrl& address);

// Hands a file to the program the desktop associates with its type; false when nothing
// could take it.
bool openWithAssociatedProgram(const QString& path);

}  // namespace quill
