#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "engine/comparison.h"
#include "engine/comparison_options.h"
#include "engine/comparison_result.h"
#include "sheet/password_source.h"

namespace quill::cli {

// Compares two workbooks whole under the options and publishes report.htm and visualized.htm into
// the folder, in a session and a staging folder of its own, so that pairs can be compared on
// several threads at once. Each failure is printed to err as one line after the prefix.
// Gives the outcome; resultComplete is false when anything failed, and then nothing new
// is in the folder. Encrypted workbooks are opened with the passwords the source gives.
// With review set, a pair that differs also gets its review workbook there, named by
// reviewFileName.
ComparisonOutcome compareWorkbookPair(const std::string& path1, const std::string& path2,
                                      const ComparisonOptions& options,
                                      const std::filesystem::path& folder, ProgressSink& progress,
                                      std::ostream& err, const std::string& prefix,
                                      bool review = false, PasswordSource* passwords = nullptr);

// The same with the result told to a sink, such as the renderer of a script format; the sink
// is finished only when nothing failed.
ComparisonOutcome compareWorkbookPair(const std::string& path1, const std::string& path2,
                                      const ComparisonOptions& options, ResultSink& sink,
                                      ProgressSink& progress, std::ostream& err,
                                      const std::string& prefix,
                                      PasswordSource* passwords = nullptr);

}  // namespace quill::cli
