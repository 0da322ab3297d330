#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string_view>

namespace quill {

// What a signal handler removes of the files this process is writing: files that are only
// halves of a document and the staging folders that receive documents. Paths are held in
// fixed buffers claimed through atomic flags, so that the handler reads them without
// allocating. A registration lasts as long as the object.
class SignalCleanup {
 public:
  enum class Kind { File, FlatFolder };
  SignalCleanup(const std::filesystem::path& path, Kind kind);
  ~SignalCleanup();
  SignalCleanup(const SignalCleanup&) = delete;
  SignalCleanup& operator=(const SignalCleanup&) = delete;

 private:
  int slot_ = -1;
};

// Makes SIGINT and SIGTERM remove every registered path that exists at that moment, then end
// the process as the signal would have.
void removeRegisteredOnSignals();

// Whether the process of that id still runs (or cannot be told apart from one that does).
bool processRuns(pid_t pid);

// The process id that a leftover's name carries after the prefix, in the form
// "<prefix><pid>-<anything>", or 0 when the name has no such form.
pid_t ownerAfter(std::string_view name, std::string_view prefix);

}  // namespace quill
