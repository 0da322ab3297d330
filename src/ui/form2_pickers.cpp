#include <QComboBox>
#include <QLineEdit>

#include "sheet/address_forms.h"
#include "ui/form2.h"
#include "ui/range_picker.h"

namespace quill {

namespace {

const char* const kPickPrompt = "select range with mouse";

QString fromStd(const std::string& text) {
  return QString::fromStdString(text);
}

// How the keyed table of a mode is read; a start or end picked in range mode is read as
// columns, as in columns mode.
KeyedBy keyedBy(Mode mode) {
  return mode == Mode::Rows ? KeyedBy::Rows : KeyedBy::Columns;
}

}  // namespace

void Form2::PushButton7_Click() {
  pickRange(PickTarget::Range1, "PushButton7_Click");
}

void Form2::PushButton3_Click() {
  pickRange(PickTarget::Range2, "PushButton3_Click");
}

void Form2::PushButton2_Click() {
  pickRange(PickTarget::Start, "PushButton2_Click");
}

void Form2::PushButton8_Click() {
  pickRange(PickTarget::End, "PushButton8_Click");
}

void Form2::PushButton9_Click() {
  pickRange(PickTarget::Identifying, "PushButton9_Click");
}

void Form2::PushButton10_Click() {
  pickRange(PickTarget::Ignore, "PushButton10_Click");
}

void Form2::pickRange(PickTarget target, const char* procedure) {
  ErrorTrap trap("Form2", procedure, errorBox_);
  std::optional<PickedRange> picked;
  trap.at(100, [&] { picked = askForRange(target); });
  // A cancelled pick changes nothing.
  if (!picked) return;
  trap.at(102, [&] { writePick(target, picked->address); });
  // A pick that could not be written leaves the list on the worksheet the fields belong to.
  if (trap.reported() > 0) return;
  trap.at(104, [&] {
    showPickedSheet(target == PickTarget::Range2 ? *Combo2 : *Combo1, picked->sheetName);
  });
}

std::optional<PickedRange> Form2::askForRange(PickTarget target) {
  const bool second = target == PickTarget::Range2;
  const Workbook* book = second ? books_.secondBook : books_.firstBook;
  if (!book)
    throw std::runtime_error("Excel File #" + std::string(second ? "2" : "1") + " is not open");
  const int position = (second ? Combo2 : Combo1)->currentIndex();
  const std::size_t startSheet = position >= 1 ? std::size_t(position) : 1;
  return picker_->pick(this, *book, startSheet, kPickPrompt, defaultAddress(target));
}

QString Form2::defaultAddress(PickTarget target) const {
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

void Form2::writePick(PickTarget target, const std::string& address) {
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

void Form2::showPickedSheet(QComboBox& list, const std::string& sheetName) {
  const int entry = list.findText(fromStd(sheetName), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (entry < 1) throw std::runtime_error("The worksheet \"" + sheetName + "\" is not in the list");
  // The list shows the picked worksheet without its used area replacing the picked text.
  suppressSheetClick = true;
  list.setCurrentIndex(entry);
  suppressSheetClick = false;
}

}  // namespace quill
