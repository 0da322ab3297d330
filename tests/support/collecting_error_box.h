#pragma once

#include <string>
#include <vector>

#include "base/error_trap.h"

namespace quill::test {

// Keeps the text of every "Application Error" box shown, for tests to read.
class CollectingErrorBox final : public ErrorBox {
 public:
  void show(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

}  // namespace quill::test
