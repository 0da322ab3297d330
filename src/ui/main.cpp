#include <algorithm>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "ui/program_start.h"

int main(int argc, char* argv[]) {
  // Help and version need no display, so they are answered before Qt starts.
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  if (quill::asksForTextOnly(arguments))
    return quill::answerWithoutWindow(quill::parseStartArguments(arguments));
  return quill::runProgram(argc, argv);
}
