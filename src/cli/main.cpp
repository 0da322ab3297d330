#include <iostream>

#include "cli/cli.h"
#include "cli/progress_line.h"
#include "cli/script_output.h"
#include "report/staging_folder.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  quill::removeStagingOnSignals();
  return quill::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                         quill::cli::standardErrorIsTerminal(),
                         quill::cli::standardOutputIsTerminal());
}
