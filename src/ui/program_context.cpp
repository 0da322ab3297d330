#include "ui/program_context.h"

#include <utility>

namespace quill {

ProgramContext::ProgramContext(ShellDialogs& shellDialogs, SettingsStore& store, QString folder,
                               QString documentsFolder)
    : dialogs(shellDialogs),
      settings(store),
      programFolder(std::move(folder)),
      temporaryFolder(std::move(documentsFolder)) {}

}  // namespace quill
