#include "base/error_trap.h"

#include <new>
#include <stdexcept>

namespace quill {

namespace {
constexpr std::string_view kLocationPrefix = "Pellinor2021/08/31.";
}

std::string applicationErrorText(std::string_view description, std::string_view location,
                                 int label) {
  std::string text;
  text.append(description);
  text.append("\r\nin ");
  text.append(location);
  text.append(" at line ");
  text.append(std::to_string(label));
  text.append("\r\rPlease email screenshot of this message to ");
  text.append(kSupportAddress);
  return text;
}

std::string errorDescription(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return "Out of memory";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

ErrorTrap::ErrorTrap(std::string_view module, std::string_view procedure, ErrorBox& box)
    : box_(box) {
  location_.append(kLocationPrefix);
  location_.append(module);
  location_.push_back('.');
  location_.append(procedure);
}

void ErrorTrap::report(std::exception_ptr error) {
  report(errorDescription(error));
}

void ErrorTrap::report(std::string_view description) {
  ++reported_;
  box_.show(applicationErrorText(description, location_, label_));
}

}  // namespace quill
