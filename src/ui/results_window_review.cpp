// The results window's review workbook: File #2 with its differences marked, saved into the
// folder the documents are saved to.
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/error_trap.h"
#include "base/file_utils.h"
#include "engine/choose_comparison.h"
#include "review/review_workbook.h"
#include "shell/look.h"
#include "ui/program_context.h"
#include "ui/results_window.h"

namespace quill {

namespace {

// The line labels of SaveReviewWorkbook_Click, numbered as those of "Save Results".
enum class ReviewLine { FolderExists = 100, Save = 102, Done = 106 };

}  // namespace

void ResultsWindow::createReviewButton() {
  // On the row of the difference steps, left of them, where the designed layout leaves room.
  reviewButton_ = addButton(this, "SaveReviewWorkbook", "Save review workbook",
                            QRect(2820, 4395, 1860, 345), {1, 0.5, 0, 0});
  reviewButton_->setToolTip(
      "Saves the second workbook with every difference marked and listed, as review.xlsx in "
      "the folder below (review.xlsm, .xltx or .xltm when the second workbook is marked as "
      "one of those)");
  connect(reviewButton_, &QPushButton::clicked, this, &ResultsWindow::saveReviewWorkbook);
}

void ResultsWindow::saveReviewWorkbook() {
  ErrorTrap trap("Form3", "SaveReviewWorkbook_Click", errorBox_);
  const QString folder = Text1->text();
  trap.line(ReviewLine::FolderExists);
  if (!isFolder(folder.toStdString())) {
    tell("Folder does not exist. Please select another folder.");
    return;
  }
  if (!repeater_) return;
  const int reportedBefore = trap.reported();
  bool saved = false;
  trap.at(ReviewLine::Save, [&] {
    const BusyCursor busy;
    // The files are read and compared again: the workbook is made from the plain result.
    std::unique_ptr<ReviewWorkbookWriter> writer;
    auto makeWriter = [&](const SpreadsheetSession& session) -> ResultSink& {
      writer = std::make_unique<ReviewWorkbookWriter>(
          *session.secondBook(),
          std::filesystem::path(folder.toStdString()) / reviewFileName(reviewRequest_.path2),
          std::vector<std::filesystem::path>{reviewRequest_.path1, reviewRequest_.path2},
          chooseComparison(reviewRequest_) == ComparisonKind::WholeWorkbook);
      return *writer;
    };
    // A failure of the comparison or of the saving has been reported through the box.
    saved = repeater_(makeWriter, errorBox_).resultComplete && writer && writer->saved();
  });
  trap.line(ReviewLine::Done);
  if (saved && trap.reported() == reportedBefore) tell("Done.");
}

}  // namespace quill
