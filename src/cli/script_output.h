#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "report/byte_sink.h"
#include "report/pending_file.h"
#include "report/script_document.h"

namespace quill::cli {

// The format of --format: nullopt for html, the two documents.
bool readScriptFormat(std::string_view text, std::optional<ScriptFormat>& format);

// Where a script format's stream goes: the file --output names, written beside it and put
// in its place by commit(), or the standard output ("-" or no file), a device, a pipe or a
// socket, held back until commit() and then written into it as it stands; so that a
// comparison that fails writes nothing of its result anywhere and nothing but a plain file
// is ever replaced.
class ScriptDestination final : public ByteSink {
 public:
  // Throws WriteError when the file would replace one of the inputs or is a folder.
  ScriptDestination(const std::optional<std::filesystem::path>& file, std::ostream& out,
                    const std::vector<std::filesystem::path>& inputs);

  void write(std::string_view bytes) override;
  // Completes the stream where it goes. Throws WriteError.
  void commit();

 private:
  std::unique_ptr<PendingFile> file_;
  std::unique_ptr<SpoolByteSink> spool_;
  std::optional<std::filesystem::path> special_;
  std::ostream& out_;
};

// The descriptor a path names as the system's descriptor files do (/dev/stdout, /dev/fd/N,
// /proc/self/fd/N), or -1.
int namedDescriptor(const std::filesystem::path& path);

// Whether --output's value leaves the stream on the standard output: none, "-" or a name of
// descriptor 1; a summary line there would break the stream.
bool namesStandardOutput(const std::optional<std::filesystem::path>& file);

bool standardOutputIsTerminal();

// Whether standard output is a terminal that may show colours: NO_COLOR is unset and TERM
// is not "dumb".
bool colourWanted(bool outIsTerminal);

}  // namespace quill::cli
