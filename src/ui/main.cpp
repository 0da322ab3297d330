#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "ui/program_start.h"

int main(int argc, char* argv[]) {
  // Help and version need no display, so they are answered before Qt starts.
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  if (quill::asksForTextOnly(arguments))
    return quill::answerWithoutWindow(quill::parseStartArguments(arguments));
  // Without a display Qt would abort; a wrong option is still named first.
  const std::string noDisplay = quill::missingDisplay(arguments, &std::getenv);
  if (!noDisplay.empty()) {
    quill::StartRequest request = quill::parseStartArguments(arguments);
    if (request.action != quill::StartRequest::Action::Fail) {
      request.action = quill::StartRequest::Action::Fail;
      request.error = noDisplay;
    }
    return quill::answerWithoutWindow(request);
  }
  return quill::runProgram(argc, argv);
}
