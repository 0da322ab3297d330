#pragma once

#include <functional>

namespace quill {

class ProgramWindows;
struct StartRequest;

// Runs the program: the application, its look, settings and windows, the main window loaded
// and shown, then filled from the files on the command line; afterStart (when given) runs
// once the main window is shown. Returns the exit code: 1 when the main window could not
// load, 2 when the command line was refused.
int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& afterStart = {});

// Prints the help or the version, or why the command line was refused, and returns the exit
// code; -1 when the request is to open the window.
int answerWithoutWindow(const StartRequest& request);

}  // namespace quill
