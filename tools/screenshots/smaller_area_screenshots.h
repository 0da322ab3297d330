#pragma once

#include <QString>

namespace quill {

class ProgramWindows;

// Opens the smaller-area window from the main window, which must hold two workbook paths,
// lays it out in Rows mode on the first worksheet and saves it as smaller-area-window.png;
// then saves the range-selection dialog over the first workbook with two areas selected as
// range-dialog.png, and goes back to the main window. False when a picture was not saved.
bool grabSmallerAreaWindows(ProgramWindows& windows, const QString& folder);

}  // namespace quill
