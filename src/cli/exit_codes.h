#pragma once

namespace quill::cli {

// The exit codes of quillmere-cli.
inline constexpr int kNoDifferences = 0;  // compared, nothing differs; or a listing done
inline constexpr int kDifferences = 1;    // compared, differences found
inline constexpr int kFailure = 2;        // bad arguments, unreadable files, failed writing

}  // namespace quill::cli
