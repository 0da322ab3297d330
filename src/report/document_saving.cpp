#include "report/document_saving.h"

#include <string>

#include "report/documents.h"
#include "report/file_writer.h"
#include "report/pending_file.h"
#include "report/staging_folder.h"

namespace quill {

namespace {

namespace fs = std::filesystem;

bool sameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

}  // namespace

void refuseFolderHoldingInputs(const fs::path& folder, const std::vector<fs::path>& inputs) {
  for (std::string_view name : {kReportFileName, kGridFileName}) {
    const fs::path document = folder / name;
    for (const fs::path& input : inputs)
      if (sameFile(writeTarget(document), input))
        throw WriteError("Cannot write \"" + document.string() + "\": it is the input file \"" +
                         input.string() + "\"; choose another folder");
  }
}

void refuseFileReplacingInput(const fs::path& file, const std::vector<fs::path>& inputs) {
  for (const fs::path& input : inputs)
    if (sameFile(writeTarget(file), input))
      throw WriteError("Cannot write \"" + file.string() + "\": it is the input file \"" +
                       input.string() + "\"; choose another file");
}

void publishDocumentPair(const StagingFolder& staging, const fs::path& folder) {
  moveFilesTogether({{staging.path() / kReportFileName, folder / kReportFileName},
                     {staging.path() / kGridFileName, folder / kGridFileName}});
}

void saveDocumentPair(const fs::path& folder, std::string_view report, std::string_view grid,
                      const std::vector<fs::path>& inputs) {
  refuseFolderHoldingInputs(folder, inputs);
  const StagingFolder staging(folder);
  writeFileReplacing(staging.path() / kReportFileName, {report});
  writeFileReplacing(staging.path() / kGridFileName, {grid});
  publishDocumentPair(staging, folder);
}

}  // namespace quill
