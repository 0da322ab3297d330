#include "ui/program_windows.h"

#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/program_context.h"

namespace quill {

ProgramWindows::ProgramWindows(ProgramContext& context)
    : context_(context), form1_(std::make_unique<Form1>(context, *this)) {}

ProgramWindows::~ProgramWindows() {
  form3_.reset();
  form1_->stopComparison();
  form1_.reset();
}

Form3& ProgramWindows::resultsWindow() {
  if (!form3_) {
    form3_ = std::make_unique<Form3>(context_, *this);
    form3_->registerCaller("Form1", form1_.get());
  }
  return *form3_;
}

void ProgramWindows::showResults() {
  Form3& results = resultsWindow();
  results.showDocuments(context_.temporaryFolder);
  results.show();
}

void ProgramWindows::endProgram() {
  form1_->stopComparison();
  closeSession(context_.session);
  emit programEnding();
}

}  // namespace quill
