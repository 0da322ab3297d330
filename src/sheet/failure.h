#pragma once

#include <stdexcept>
#include <string>

namespace quill {

// What went wrong in a run, so that the windows and the command line can word their texts
// and tests can check which failure they provoked.
enum class FailureKind {
  Request,   // a field of the comparison request that the comparison cannot use
  Address,   // an address text that names no cells
  Workbook,  // a file that cannot be read as a workbook
  NotOpen,   // the workbooks a comparison needs are not both open
  Write,     // a document that could not be written
};

// The one error type of a run: its kind, the file or field concerned (empty when the
// message alone says it) and the message. what() is the plain message, as users read it.
class Failure : public std::runtime_error {
 public:
  Failure(FailureKind kind, std::string subject, const std::string& message)
      : std::runtime_error(message), kind_(kind), subject_(std::move(subject)) {}

  FailureKind kind() const { return kind_; }
  const std::string& subject() const { return subject_; }

 private:
  FailureKind kind_;
  std::string subject_;
};

}  // namespace quill
