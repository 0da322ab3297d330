#include "cli/script_output.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "report/file_writer.h"

namespace quill::cli {

namespace fs = std::filesystem;

bool readScriptFormat(std::string_view text, std::optional<ScriptFormat>& format) {
  if (text == "html")
    format.reset();
  else if (text == "text")
    format = ScriptFormat::Text;
  else if (text == "csv")
    format = ScriptFormat::Csv;
  else if (text == "json")
    format = ScriptFormat::Json;
  else
    return false;
  return true;
}

ScriptDestination::ScriptDestination(const std::optional<fs::path>& file, std::ostream& out,
                                     const std::vector<fs::path>& inputs)
    : out_(out) {
  if (!file) {
    spool_ = std::make_unique<SpoolByteSink>();
    return;
  }
  for (const fs::path& input : inputs) {
    std::error_code error;
    if (fs::equivalent(writeTarget(*file), input, error) && !error)
      throw WriteError("Cannot write \"" + file->string() + "\": it is the input file \"" +
                       input.string() + "\"; choose another file");
  }
  file_ = std::make_unique<PendingFile>(*file);
}

void ScriptDestination::write(std::string_view bytes) {
  if (file_)
    file_->write(bytes);
  else
    spool_->write(bytes);
}

void ScriptDestination::commit() {
  if (file_) {
    file_->finish();
    file_->commit();
    return;
  }
  StreamByteSink stream(out_, "the standard output");
  spool_->copyTo(stream);
  stream.flush();
}

bool standardOutputIsTerminal() {
  return ::isatty(STDOUT_FILENO) == 1;
}

bool colourWanted(bool outIsTerminal) {
  const char* noColour = std::getenv("NO_COLOR");
  const char* term = std::getenv("TERM");
  return outIsTerminal && (noColour == nullptr || *noColour == '\0') &&
         !(term != nullptr && std::string_view(term) == "dumb");
}

}  // namespace quill::cli
