#include <QComboBox>
#include <QLineEdit>

#include "sheet/address_forms.h"
#include "ui/range_picker.h"
#include "ui/smaller_area_window.h"

namespace quill {

namespace {

const char* const kPickPrompt = "select range with mouse";

// The line labels of the procedures that pick a range (PushButton2_Click, PushButton3_Click,
// PushButton7_Click to PushButton10_Click).
enum class PickLine { Ask = 100, Write = 102, ShowSheet = 104 };

QString fromStd(const std::string& text) {
  return QString::fromStdString(text);
}

// How the keyed table of a mode is read; a start or end picked in range mode is read as
// columns, as in columns mode.
KeyedBy keyedBy(Mode mode) {
  return mode == Mode::Rows ? KeyedBy::Rows : KeyedBy::Columns;
}

}  // namespace

void SmallerAreaWindow::pickFirstRange() {
  pickRange(PickTarget::Range1, "PushButton7_Click");
}

void SmallerAreaWindow::pickSecondRange() {
  pickRange(PickTarget::Range2, "PushButton3_Click");
}

void SmallerAreaWindow::pickStart() {
  pickRange(PickTarget::Start, "PushButton2_Click");
}

void SmallerAreaWindow::pickEnd() {
  pickRange(PickTarget::End, "PushButton8_Click");
}

void SmallerAreaWindow::pickIdentifying() {
  pickRange(PickTarget::Identifying, "PushButton9_Click");
}

void SmallerAreaWindow::pickIgnored() {
  pickRange(PickTarget::Ignore, "PushButton10_Click");
}

void SmallerAreaWindow::pickRange(PickTarget target, const char* procedure) {
  // The pickers show the workbooks: a pick asked for while they are read waits for them.
  if (isReading()) {
    pendingPick_.emplace(target, procedure);
    return;
  }
  ErrorTrap trap("Form2", procedure, errorBox_);
  std::optional<PickedRange> picked;
  trap.at(PickLine::Ask, [&] { picked = askForRange(target); });
  // A cancelled pick changes nothing.
  if (!picked) return;
  trap.at(PickLine::Write, [&] { writePick(target, picked->address); });
  // A pick that could not be written leaves the list on the worksheet the fields belong to.
  if (trap.reported() > 0) return;
  trap.at(PickLine::ShowSheet, [&] {
    showPickedSheet(target == PickTarget::Range2 ? *Combo2 : *Combo1, picked->sheetName);
  });
}

std::optional<PickedRange> SmallerAreaWindow::askForRange(PickTarget target) {
  const bool second = target == PickTarget::Range2;
  const Workbook* book = second ? books_.secondBook() : books_.firstBook();
  if (!book)
    throw std::runtime_error("Excel File #" + std::string(second ? "2" : "1") + " is not open");
  const int position = (second ? Combo2 : Combo1)->currentIndex();
  const std::size_t startSheet = position >= 1 ? std::size_t(position) : 1;
  return picker_->pick(this, *book, startSheet, kPickPrompt, defaultAddress(target));
}

QString SmallerAreaWindow::defaultAddress(PickTarget target) const {
  switch (target) {
    case PickTarget::Range2:
      return txtRange2->text();
    case PickTarget::Start:
    case PickTarget::End: {
      const QString start = txtStartColumn->text();
      const QString end = txtEndColumn->text();
      return "$" + start + ":$" + (end.isEmpty() ? start : end);
    }
    case PickTarget::Range1:
    case PickTarget::Identifying:
    case PickTarget::Ignore:
      break;
  }
  return txtRange1->text();
}

void SmallerAreaWindow::writePick(PickTarget target, const std::string& address) {
  const Mode current = mode();
  switch (target) {
    case PickTarget::Range1:
      if (current == Mode::Range)
        txtRange1->setText(fromStd(address));
      else if (current == Mode::Rows)
        txtRange1->setText(fromStd(columnRangeText(singleAreaOf(address))));
      else
        txtRange1->setText(fromStd(rowRangeText(singleAreaOf(address))));
      return;
    case PickTarget::Range2:
      txtRange2->setText(fromStd(address));
      return;
    case PickTarget::Start:
    case PickTarget::End: {
      const StartEndTexts texts =
          startEndTexts(keyedBy(current), address, target == PickTarget::End);
      if (!texts.start.empty()) txtStartColumn->setText(fromStd(texts.start));
      if (!texts.end.empty()) txtEndColumn->setText(fromStd(texts.end));
      return;
    }
    case PickTarget::Identifying:
    case PickTarget::Ignore:
      // Range mode compares no tables, so it has no lists to write.
      if (current == Mode::Range) return;
      (target == PickTarget::Identifying ? txtIdentifyingColumns : txtIgnoreColumns)
          ->setText(fromStd(listText(keyedBy(current), address)));
      return;
  }
}

void SmallerAreaWindow::showPickedSheet(QComboBox& list, const std::string& sheetName) {
  const int entry = list.findText(fromStd(sheetName), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (entry < 1) throw std::runtime_error("The worksheet \"" + sheetName + "\" is not in the list");
  // Set by the program, the list reports no choice, so the picked text stays.
  list.setCurrentIndex(entry);
}

}  // namespace quill
