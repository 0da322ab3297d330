#include "ui/program_windows.h"

#include <QLineEdit>

#include "ui/main_window.h"
#include "ui/program_context.h"
#include "ui/results_window.h"
#include "ui/smaller_area_window.h"

namespace quill {

namespace {

std::string pathIn(const QWidget& window, const char* box) {
  const auto* found = window.findChild<const QLineEdit*>(box);
  return found ? found->text().toStdString() : std::string();
}

}  // namespace

ProgramWindows::ProgramWindows(ProgramContext& context)
    : context_(context), form1_(std::make_unique<MainWindow>(context, *this)) {
  // The smaller-area window reads the paths from the main window's boxes.
  form2_ = std::make_unique<SmallerAreaWindow>(context, *this, [this] {
    return WorkbookPaths{pathIn(*form1_, "Text1"), pathIn(*form1_, "Text2")};
  });
  context_.showSmallerArea = [this] { form2_->showWindow(); };
}

ProgramWindows::~ProgramWindows() {
  form3_.reset();
  context_.showSmallerArea = nullptr;
  form2_->stopComparison();
  form2_.reset();
  form1_->stopComparison();
  form1_.reset();
}

ResultsWindow& ProgramWindows::resultsWindow() {
  if (!form3_) {
    form3_ = std::make_unique<ResultsWindow>(context_, *this);
    form3_->registerCaller("Form1", form1_.get());
    form3_->registerCaller("Form2", form2_.get());
  }
  return *form3_;
}

bool ProgramWindows::resultsShown() const {
  return form3_ && form3_->isVisible();
}

void ProgramWindows::showResults() {
  ResultsWindow& results = resultsWindow();
  results.showDocuments(context_.temporaryFolder, context_.documentIndex);
  // Both windows compare the files named in the main window's boxes.
  results.setComparedFiles({QString::fromStdString(pathIn(*form1_, "Text1")),
                            QString::fromStdString(pathIn(*form1_, "Text2"))});
  results.show();
}

void ProgramWindows::endProgram() {
  form1_->stopComparison();
  form2_->stopComparison();
  closeSession(context_.session);
  emit programEnding();
}

}  // namespace quill
