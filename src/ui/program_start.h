#pragma once

#include <functional>

namespace quill {

class ProgramWindows;

// Runs the program: the application, its look, settings and windows, the main window loaded
// and shown; afterStart (when given) runs once the main window is shown. Returns the exit code.
int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& afterStart = {});

}  // namespace quill
