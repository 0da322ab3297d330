#include <QString>
#include <cstdio>

#include "screenshot_driver.h"
#include "ui/program_start.h"

// Runs the program under a virtual display without a user and saves its windows as pictures
// into the folder named by the first argument.
int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quillmere-screenshots FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  return quill::runProgram(argc, argv, [&](quill::ProgramWindows& windows) {
    quill::driveScreenshots(windows, folder);
  });
}
