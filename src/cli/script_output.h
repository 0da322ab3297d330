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
// in its place by commit(), or the standard output, held back until commit(); so that a
// comparison that fails writes nothing of its result anywhere.
class ScriptDestination final : public ByteSink {
 public:
  // Throws WriteError when the file would replace one of the inputs.
  ScriptDestination(const std::optional<std::filesystem::path>& file, std::ostream& out,
                    const std::vector<std::filesystem::path>& inputs);

  void write(std::string_view bytes) override;
  // Completes the stream where it goes. Throws WriteError.
  void commit();

 private:
  std::unique_ptr<PendingFile> file_;
  std::unique_ptr<SpoolByteSink> spool_;
  std::ostream& out_;
};

bool standardOutputIsTerminal();

// Whether standard output is a terminal that may show colours: NO_COLOR is unset and TERM
// is not "dumb".
bool colourWanted(bool outIsTerminal);

}  // namespace quill::cli
