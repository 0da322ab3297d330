#pragma once

#include <QString>

namespace quill {

// The folder that holds the running program (and its Samples folder).
QString programFolder();

// Where a comparison writes its documents: "temp" beside the program when that folder can
// be written, else "temp" in the user's application-data folder (an installed program).
QString temporaryDocumentsFolder(const QString& programFolder);

}  // namespace quill
