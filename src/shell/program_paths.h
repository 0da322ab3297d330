#pragma once

#include <QString>

namespace quill {

// Where the running program finds its own files and puts the documents of a comparison.
struct ProgramFolders {
  QString files;      // holds Samples (and the optional hand cursor)
  QString temporary;  // receives report.htm and visualized.htm of every comparison
};

// The folder that holds the running program's binary.
QString programFolder();

// Run from a build folder (Samples beside the binary), the program keeps everything beside
// itself, as before, and writes "temp" there when it can; installed (Samples in
// ../share/quillmere), it reads its files from there and writes "temp" only into the user's
// data folder, never beside the binary.
ProgramFolders locateProgramFolders(const QString& binaryFolder, const QString& userDataFolder);

// The user's application-data folder of this program.
QString userDataFolder();

}  // namespace quill
