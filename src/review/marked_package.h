#pragma once

#include <filesystem>
#include <string>

#include "review/review_result.h"

namespace quill {

// Whether the file is a workbook package the review workbook can be made of by marking it:
// an .xlsx, .xlsm, .xltx or .xltm file that is a zip package (not an encrypted one).
bool isMarkablePackage(const std::filesystem::path& second);

// The extension the review workbook of File #2 is named with, as its content is written: File
// #2's own (lower case) when the review workbook is File #2 marked, so that a macro-enabled
// workbook or a template keeps the name its content type asks for; ".xlsx" when it is a new
// workbook. Throws WorkbookError when File #2 cannot be read.
std::string reviewExtension(const std::filesystem::path& second);

// Writes File #2's package, marked, into the file at the path: every part that need not
// change copied as it is, the worksheets holding marks streamed through their marking, the
// notes added, and the listing added as the first sheet. Returns false, having written
// nothing, when the package is written in a way the marking does not add to (the strict
// namespaces, no styles part, or a workbook part naming a part the package lacks); the caller then
// writes a new workbook. Throws WriteError, or WorkbookError when File #2 cannot be read.
bool writeMarkedPackage(const ReviewResult& result, const std::filesystem::path& second,
                        const std::filesystem::path& path);

}  // namespace quill
