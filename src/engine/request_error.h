#pragma once

#include <stdexcept>

namespace quill {

// A field of the comparison request that a comparison cannot use; the message names the
// field and shows the form it expects.
class RequestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quill
