#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quill {

// The lines of a text, split at CR LF, CR or LF; a last line break ends the last line.
std::vector<std::string_view> splitLines(std::string_view text);

// The changes from lines1 to lines2 as the hunks of a unified diff ("@@ -3,7 +3,8 @@",
// then lines led by ' ', '-' or '+'), with `context` unchanged lines around each change,
// joined by LF; "" when the lines are equal. The shortest edit script is searched for up to
// maxEdits lines removed and added between the lines both ends share; past that the lines
// between are told as all removed and all added, so that the time and memory stay bounded.
std::string unifiedDiff(const std::vector<std::string_view>& lines1,
                        const std::vector<std::string_view>& lines2, int context = 3,
                        long maxEdits = 400);

}  // namespace quill
