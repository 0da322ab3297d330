#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace quill {

class StagingFolder;

// Refuses, with a WriteError, a folder in which report.htm or visualized.htm would replace
// one of the input files (by its name, a link or a hard link), before anything is written.
void refuseFolderHoldingInputs(const std::filesystem::path& folder,
                               const std::vector<std::filesystem::path>& inputs);

// Refuses, with a WriteError, a file that would replace one of the input files (by its name,
// a link or a hard link), before anything is written.
void refuseFileReplacingInput(const std::filesystem::path& file,
                              const std::vector<std::filesystem::path>& inputs);

// Moves report.htm and visualized.htm from the staging folder into the folder: both replace
// their old files, or a failure leaves both old files as they were. Throws WriteError.
void publishDocumentPair(const StagingFolder& staging, const std::filesystem::path& folder);

// Saves the two finished documents into the folder together, through a staging folder
// there, so that both replace their old files or neither does. Throws WriteError.
void saveDocumentPair(const std::filesystem::path& folder, std::string_view report,
                      std::string_view grid, const std::vector<std::filesystem::path>& inputs);

}  // namespace quill
