#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace quill {

// The address that every "Application Error" box asks the user to write to.
inline constexpr std::string_view kSupportAddress = "support@quillmere.example";

// Where an "Application Error" box goes: a message box in the windows, standard error
// on the command line, a list in the tests. show() returns once the user has read it.
class ErrorBox {
 public:
  virtual ~ErrorBox() = default;
  virtual void show(const std::string& text) = 0;
};

// Thrown to stop a running comparison on purpose (the window closed); traps let it pass.
class ComparisonCancelled {};

// The full text of an "Application Error" box.
std::string applicationErrorText(std::string_view description, std::string_view location,
                                 int label);

// A procedure's line labels: an enumeration of its own whose names say which step each
// label marks and whose values are the numbers the boxes print.
template <class Label>
concept LineLabel = std::is_enum_v<Label>;

// The trap a procedure installs on entry: runs its labelled statements, and when one
// fails reports the error with the procedure's location and the label reached, then
// lets the procedure carry on with its next statement.
class ErrorTrap {
 public:
  // module is the window or module name ("Form1", "Excel1"); procedure the handler's.
  ErrorTrap(std::string_view module, std::string_view procedure, ErrorBox& box);

  // Runs one labelled statement under the trap.
  template <LineLabel Label, class Statement>
  void at(Label label, Statement&& statement) {
    label_ = int(label);
    try {
      std::forward<Statement>(statement)();
    } catch (const ComparisonCancelled&) {
      throw;
    } catch (...) {
      report(std::current_exception());
    }
  }

  // Marks the start of a labelled line whose statements cannot fail.
  void line(LineLabel auto label) { label_ = int(label); }

  // Reports the error as the trap does, with the label currently reached.
  void report(std::exception_ptr error);
  void report(std::string_view description);

  int label() const { return label_; }
  int reported() const { return reported_; }
  const std::string& location() const { return location_; }

 private:
  std::string location_;
  ErrorBox& box_;
  int label_ = 100;
  int reported_ = 0;
};

// The description an error carries, as the box shows it.
std::string errorDescription(std::exception_ptr error);

}  // namespace quill
