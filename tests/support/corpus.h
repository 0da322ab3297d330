#pragma once

#include <gtest/gtest.h>

#include <filesystem>

namespace quill::test {

// The shared corpus of real workbooks, some hostile; read only, never copied.
inline const std::filesystem::path kCorpus = std::filesystem::path(QUILLMERE_CORPUS);

inline bool corpusPresent() {
  std::error_code error;
  return std::filesystem::is_directory(kCorpus, error);
}

}  // namespace quill::test

// Ends a corpus test as skipped, saying so in the test's output, where the corpus is absent.
// Tests that read the corpus carry "Corpus" in their names, which gives them ctest's label
// "corpus" (ctest -L corpus).
#define SKIP_WITHOUT_CORPUS()          \
  if (!::quill::test::corpusPresent()) \
  GTEST_SKIP() << "the workbook corpus is not present at " << ::quill::test::kCorpus.string()
