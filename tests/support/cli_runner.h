#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <string>

namespace quill::test {

// Output and exit code of one run of the built quillmere-cli; a crash gives 128 + signal.
struct CliRun {
  std::string output;
  int exitCode = -1;
};

// Output and exit code of a shell command line, run as it stands.
inline CliRun runCommandLine(const std::string& command) {
  CliRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

// Runs quillmere-cli with the arguments (already quoted for the shell) as a process of its
// own, so that a crash fails only the test that ran it; standard error is kept when asked.
inline CliRun runCli(const std::string& arguments, bool withErrors = true) {
  return runCommandLine("'" + std::string(QUILLMERE_CLI) + "' " + arguments +
                        (withErrors ? " 2>&1" : " 2>/dev/null"));
}

}  // namespace quill::test
