#pragma once

#include <string>

#include "sheet/failure.h"

namespace quill {

// A field of the comparison request that a comparison cannot use; the message names the
// field and shows the form it expects.
class RequestError : public Failure {
 public:
  explicit RequestError(const std::string& message) : Failure(FailureKind::Request, {}, message) {}
  RequestError(std::string field, const std::string& message)
      : Failure(FailureKind::Request, std::move(field), message) {}
};

}  // namespace quill
