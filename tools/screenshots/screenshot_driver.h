#pragma once

#include <QString>

namespace quill {

class ProgramWindows;

// Runs the program through one comparison of the sample workbooks without a user and saves
// the main window and the results window as main-window.png and results-window.png in a
// folder, with the smaller-area window and the range dialog on the way, then ends the
// program (exit code 1 when it did not get that far).
void driveScreenshots(ProgramWindows& windows, const QString& folder);

}  // namespace quill
