#include "ui/program_context.h"

#include <utility>

#include "ui/window_passwords.h"

namespace quill {

ProgramContext::ProgramContext(ShellDialogs& shellDialogs, SettingsStore& store, QString folder,
                               QString documentsFolder)
    : dialogs(shellDialogs),
      settings(store),
      programFolder(std::move(folder)),
      temporaryFolder(std::move(documentsFolder)),
      passwords(std::make_shared<WindowPasswords>(shellDialogs)) {}

}  // namespace quill
