#include "ui/smaller_area_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "engine/choose_comparison.h"
#include "sheet/address_forms.h"
#include "shell/app_title.h"
#include "shell/comparison_settings.h"
#include "shell/look.h"
#include "ui/comparison_runner.h"
#include "ui/main_window.h"
#include "ui/program_context.h"
#include "ui/program_icon.h"
#include "ui/program_windows.h"
#include "ui/range_picker.h"
#include "ui/window_placement.h"
#include "ui/workbook_loader.h"

namespace quill {

namespace {

constexpr QSize kClientTwips(9120, 6210);
constexpr Stretch kFullWidth{0, 0, 1, 0};
constexpr Stretch kRightEdge{1, 0, 0, 0};

// The line labels of Form_Load; showing the window again for other files repeats the
// opening, listing and clearing steps.
enum class LoadLine {
  Look = 100,
  HandCursor = 102,
  OpenBooks = 104,
  Caption = 106,
  Icon = 108,
  ListSheets = 110,
  ClearRanges = 112,
};

// The line labels of loadSheets.
enum class ListSheetsLine { FirstList = 100, SecondList = 102 };

// The line label of getColumnRange and getRowRange.
enum class RangeTextLine { Convert = 100 };

// The line labels of Combo1_Click.
enum class FirstSheetLine {
  ClearRange = 100,
  DisableTableModes = 102,
  ShowUsedArea = 104,
  EnableTableModes = 106,
};

// The line labels of Combo2_Click.
enum class SecondSheetLine { ClearRange = 100, ShowUsedArea = 102 };

// The line labels of PushButton1_Click.
enum class BackLine { ShowMainWindow = 100, HideWindow = 102 };

// The line labels of Form_QueryUnload.
enum class QueryUnloadLine { CloseSession = 100, EndProgram = 102 };

const Workbook& openBook(const Workbook* book, int file) {
  if (!book) throw std::runtime_error("Excel File #" + std::to_string(file) + " is not open");
  return *book;
}

}  // namespace

SmallerAreaWindow::SmallerAreaWindow(ProgramContext& context, ProgramWindows& windows,
                                     std::function<WorkbookPaths()> paths)
    : ProgramWindowBase(context, windows, "Form2", kClientTwips),
      paths_(std::move(paths)),
      picker_(std::make_unique<DialogRangePicker>()) {
  createControls();
  loader_ = std::make_unique<WorkbookLoader>(*this, context_, *ProgressBar1, "Form_Load",
                                             int(LoadLine::OpenBooks));
  connect(loader_.get(), &WorkbookLoader::finished, this, &SmallerAreaWindow::booksRead);
  resize(layout_.designedSize());
  // The controls keep their heights, so a lower window would cut the lowest off.
  setMinimumHeight(layout_.designedSize().height());
  new WindowPlacement(*this, context_.settings, "Smaller Area Window Placement");
}

SmallerAreaWindow::~SmallerAreaWindow() {
  loader_.reset();
  stopComparison();
}

void SmallerAreaWindow::createControls() {
  PushButton1 = addButton(this, "PushButton1", "< Back", QRect(120, 120, 8895, 405), kFullWidth);
  Frame1 = new QGroupBox("Compare Smaller Area", this);
  Frame1->setObjectName("Frame1");
  layout_.place(*Frame1, QRect(120, 600, 8880, 4440), kFullWidth);
  auto addOption = [&](const char* name, const QString& caption, QRect twips) {
    auto* option = new QRadioButton(caption, Frame1);
    option->setObjectName(name);
    layout_.place(*option, twips);
    return option;
  };
  Option1 = addOption("Option1", "Range", QRect(240, 315, 1005, 285));
  Option2 = addOption("Option2", "Rows", QRect(1350, 315, 960, 285));
  Option3 = addOption("Option3", "Columns", QRect(2400, 315, 1230, 285));
  Option1->setChecked(true);
  Option2->setEnabled(false);
  Option3->setEnabled(false);
  createFileFrames();
  createTableProperties();
  PushButton4 =
      addButton(this, "PushButton4", "Start Comparing", QRect(120, 5160, 8880, 405), kFullWidth);
  ProgressBar1 = addComparisonProgress(QRect(120, 5685, 8880, 405), kFullWidth);
  connectControls();
}

struct SmallerAreaWindow::FileFrameLayout {
  const char* frame;
  const char* caption;
  int top;
  int worksheetLabelTop;
  const char* list;
  const char* rangeLabel;
  const char* rangeBox;
  const char* picker;
  int pickerWidth;
};

void SmallerAreaWindow::createFileFrames() {
  static const FileFrameLayout first{.frame = "Frame2",
                                     .caption = "Excel File #1",
                                     .top = 720,
                                     .worksheetLabelTop = 345,
                                     .list = "Combo1",
                                     .rangeLabel = "lblSelectRange",
                                     .rangeBox = "txtRange1",
                                     .picker = "PushButton7",
                                     .pickerWidth = 330};
  static const FileFrameLayout second{.frame = "Frame3",
                                      .caption = "Excel File #2",
                                      .top = 1665,
                                      .worksheetLabelTop = 360,
                                      .list = "Combo2",
                                      .rangeLabel = "lblCompareRange",
                                      .rangeBox = "txtRange2",
                                      .picker = "PushButton3",
                                      .pickerWidth = 325};
  createFileFrame(first, Frame2, Combo1, lblSelectRange, txtRange1, PushButton7);
  createFileFrame(second, Frame3, Combo2, lblCompareRange, txtRange2, PushButton3);
}

void SmallerAreaWindow::createFileFrame(const FileFrameLayout& at, QGroupBox*& frame,
                                        QComboBox*& list, QLabel*& rangeLabel, QLineEdit*& rangeBox,
                                        QPushButton*& picker) {
  frame = new QGroupBox(at.caption, Frame1);
  frame->setObjectName(at.frame);
  layout_.place(*frame, QRect(240, at.top, 8400, 825), kFullWidth);
  addLabel(frame, "Label1", "Worksheet:", QRect(240, at.worksheetLabelTop, 1065, 315));
  list = new QComboBox(frame);
  list->setObjectName(at.list);
  layout_.place(*list, QRect(1320, 300, 1890, 345));
  // The range labels reach further left than designed, so that the keyed modes' longer
  // captions fit; their text stays right-aligned next to the range box.
  rangeLabel = addLabel(frame, at.rangeLabel, "Range:", QRect(3300, 345, 2250, 300));
  rangeLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
  rangeBox = addBox(frame, at.rangeBox, QRect(5700, 300, 2040, 345), kFullWidth);
  picker = addButton(frame, at.picker, "...", QRect(7760, 300, at.pickerWidth, 345), kRightEdge);
}

void SmallerAreaWindow::createTableProperties() {
  Frame4 = new QGroupBox("Table Properties", Frame1);
  Frame4->setObjectName("Frame4");
  layout_.place(*Frame4, QRect(240, 2610, 8400, 1695), kFullWidth);
  Frame4->hide();
  lblStartColumn = addLabel(Frame4, "lblStartColumn", "Start Column:", QRect(240, 360, 1155, 225));
  txtStartColumn = addBox(Frame4, "txtStartColumn", QRect(1470, 300, 1380, 345));
  txtStartColumn->setText("1");
  PushButton2 = addButton(Frame4, "PushButton2", "...", QRect(2880, 300, 325, 345));
  lblEndColumn = addLabel(Frame4, "lblEndColumn", "End Column:", QRect(240, 825, 1050, 225));
  txtEndColumn = addBox(Frame4, "txtEndColumn", QRect(1470, 765, 1380, 345));
  PushButton8 = addButton(Frame4, "PushButton8", "...", QRect(2880, 765, 325, 345));
  lblIdentifyingColumns = addLabel(Frame4, "lblIdentifyingColumns",
                                   "Identifying Columns:", QRect(3765, 345, 1830, 225));
  txtIdentifyingColumns =
      addBox(Frame4, "txtIdentifyingColumns", QRect(5700, 300, 2040, 345), kFullWidth);
  PushButton9 = addButton(Frame4, "PushButton9", "...", QRect(7760, 300, 330, 345), kRightEdge);
  lblIgnoreColumns =
      addLabel(Frame4, "lblIgnoreColumns", "Ignore Columns:", QRect(3735, 855, 1860, 225));
  txtIgnoreColumns = addBox(Frame4, "txtIgnoreColumns", QRect(5700, 810, 2040, 345), kFullWidth);
  PushButton10 = addButton(Frame4, "PushButton10", "...", QRect(7760, 810, 325, 345), kRightEdge);
  chkMatchKey = new QCheckBox("Match rows by identifying columns", Frame4);
  chkMatchKey->setObjectName("chkMatchKey");
  chkMatchKey->setChecked(storedSwitch(context_.settings, kMatchKeyKey));
  layout_.place(*chkMatchKey, QRect(3765, 1260, 4320, 285), kFullWidth);
  chkAlignTable = new QCheckBox("Align inserted and deleted rows and columns", Frame4);
  chkAlignTable->setObjectName("chkAlignTable");
  chkAlignTable->setChecked(storedSwitch(context_.settings, kAlignTableKey));
  layout_.place(*chkAlignTable, QRect(240, 1260, 3400, 285));
}

void SmallerAreaWindow::connectControls() {
  // A list changes only by a choice from it: typing is not possible.
  connect(Combo1, &QComboBox::activated, this, &SmallerAreaWindow::firstSheetChosen);
  connect(Combo2, &QComboBox::activated, this, &SmallerAreaWindow::secondSheetChosen);
  connect(PushButton1, &QPushButton::clicked, this, &SmallerAreaWindow::backToMainWindow);
  connect(PushButton2, &QPushButton::clicked, this, &SmallerAreaWindow::pickStart);
  connect(PushButton3, &QPushButton::clicked, this, &SmallerAreaWindow::pickSecondRange);
  connect(PushButton4, &QPushButton::clicked, this, &SmallerAreaWindow::startComparing);
  connect(PushButton7, &QPushButton::clicked, this, &SmallerAreaWindow::pickFirstRange);
  connect(PushButton8, &QPushButton::clicked, this, &SmallerAreaWindow::pickEnd);
  connect(PushButton9, &QPushButton::clicked, this, &SmallerAreaWindow::pickIdentifying);
  connect(PushButton10, &QPushButton::clicked, this, &SmallerAreaWindow::pickIgnored);
  connect(chkMatchKey, &QCheckBox::toggled, this,
          [this](bool on) { saveSwitch(context_.settings, kMatchKeyKey, on); });
  connect(chkAlignTable, &QCheckBox::toggled, this,
          [this](bool on) { saveSwitch(context_.settings, kAlignTableKey, on); });
  // Only a button that comes on lays the window out, so clicking the mode already on keeps
  // the table properties.
  connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) showRangeMode();
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) showRowsMode();
  });
  connect(Option3, &QRadioButton::toggled, this, [this](bool on) {
    if (on) showColumnsMode();
  });
  txtStartColumn->installEventFilter(this);
}

void SmallerAreaWindow::showWindow() {
  if (!loaded_) {
    loaded_ = true;
    load();
  } else if (paths_() != listedPaths_ || (!books_.isOpen() && !loader_->isReading())) {
    // Lists of files that are no longer chosen would pick from the wrong workbooks; a file
    // that failed to open is tried again. The lists are filled once the files are read.
    ErrorTrap trap("Form2", "Form_Load", errorBox_);
    trap.at(LoadLine::OpenBooks, [&] { openBooks(); });
    trap.at(LoadLine::ClearRanges, [&] {
      txtRange1->clear();
      txtRange2->clear();
      Option2->setEnabled(false);
      Option3->setEnabled(false);
    });
  }
  show();
  raise();
  activateWindow();
}

void SmallerAreaWindow::load() {
  ErrorTrap trap("Form2", "Form_Load", errorBox_);
  trap.at(LoadLine::Look, [&] { applyButtonFaceColours(*this); });
  trap.at(LoadLine::HandCursor, [&] { useHandCursor(); });
  trap.at(LoadLine::OpenBooks, [&] { openBooks(); });
  trap.at(LoadLine::Caption, [&] { setWindowTitle(kProductName); });
  trap.at(LoadLine::Icon, [&] { setWindowIcon(programIcon()); });
}

bool SmallerAreaWindow::isReading() const {
  return loader_->isReading();
}

void SmallerAreaWindow::openBooks() {
  listedPaths_ = paths_();
  closeSession(books_);
  pendingPick_.reset();
  Combo1->clear();
  Combo2->clear();
  // The opening does nothing for an empty path: the lists are filled at once and report the
  // workbook that is not open.
  if (listedPaths_.first.empty() || listedPaths_.second.empty()) {
    listBooks();
    return;
  }
  loader_->start(listedPaths_.first, listedPaths_.second);
}

void SmallerAreaWindow::booksRead() {
  books_ = loader_->takeSession();
  listBooks();
}

void SmallerAreaWindow::listBooks() {
  ErrorTrap trap("Form2", "Form_Load", errorBox_);
  trap.at(LoadLine::ListSheets, [&] { listSheets(); });
  emit workbooksRead();
  if (!pendingPick_) return;
  const auto [target, procedure] = *pendingPick_;
  pendingPick_.reset();
  pickRange(target, procedure);
}

void SmallerAreaWindow::listSheets() {
  ErrorTrap trap("Form2", "loadSheets", errorBox_);
  auto fill = [](QComboBox& list, const Workbook* book, int file) {
    list.clear();
    list.addItem("");
    list.setCurrentIndex(-1);
    const Workbook& workbook = openBook(book, file);
    for (std::size_t position = 1; position <= workbook.sheetCount(); ++position)
      list.addItem(QString::fromStdString(workbook.sheet(position).name()));
    list.setCurrentIndex(-1);
  };
  trap.at(ListSheetsLine::FirstList, [&] { fill(*Combo1, books_.firstBook(), 1); });
  trap.at(ListSheetsLine::SecondList, [&] { fill(*Combo2, books_.secondBook(), 2); });
}

std::string SmallerAreaWindow::usedAddress(int file, int position) const {
  if (position < 1) throw std::out_of_range("Subscript out of range: no worksheet is chosen");
  const Workbook* book = file == 1 ? books_.firstBook() : books_.secondBook();
  return openBook(book, file).sheet(std::size_t(position)).usedRange().address();
}

std::string SmallerAreaWindow::columnRangeOf(const std::string& address) {
  ErrorTrap trap("Form2", "getColumnRange", errorBox_);
  std::string result;
  trap.at(RangeTextLine::Convert, [&] { result = columnRangeText(address); });
  return result;
}

std::string SmallerAreaWindow::rowRangeOf(const std::string& address) {
  ErrorTrap trap("Form2", "getRowRange", errorBox_);
  std::string result;
  trap.at(RangeTextLine::Convert, [&] { result = rowRangeText(address); });
  return result;
}

void SmallerAreaWindow::firstSheetChosen() {
  ErrorTrap trap("Form2", "Combo1_Click", errorBox_);
  const int position = Combo1->currentIndex();
  // A list without a choice is treated like its blank entry.
  if (position < 1) {
    trap.at(FirstSheetLine::ClearRange, [&] { txtRange1->clear(); });
    trap.at(FirstSheetLine::DisableTableModes, [&] {
      Option2->setEnabled(false);
      Option3->setEnabled(false);
    });
    return;
  }
  trap.at(FirstSheetLine::ShowUsedArea, [&] {
    const std::string address = usedAddress(1, position);
    switch (mode()) {
      case Mode::Range:
        txtRange1->setText(QString::fromStdString(address));
        break;
      case Mode::Rows:
        txtRange1->setText(QString::fromStdString(columnRangeOf(address)));
        break;
      case Mode::Columns:
        txtRange1->setText(QString::fromStdString(rowRangeOf(address)));
        break;
    }
  });
  trap.at(FirstSheetLine::EnableTableModes, [&] {
    Option2->setEnabled(true);
    Option3->setEnabled(true);
  });
}

void SmallerAreaWindow::secondSheetChosen() {
  ErrorTrap trap("Form2", "Combo2_Click", errorBox_);
  const int position = Combo2->currentIndex();
  if (position < 1) {
    trap.at(SecondSheetLine::ClearRange, [&] { txtRange2->clear(); });
    return;
  }
  trap.at(SecondSheetLine::ShowUsedArea,
          [&] { txtRange2->setText(QString::fromStdString(usedAddress(2, position))); });
}

Mode SmallerAreaWindow::mode() const {
  if (Option2->isChecked()) return Mode::Rows;
  if (Option3->isChecked()) return Mode::Columns;
  return Mode::Range;
}

ComparisonRequest SmallerAreaWindow::request() const {
  ComparisonRequest request;
  const WorkbookPaths paths = paths_();
  request.path1 = paths.first;
  request.path2 = paths.second;
  // A list's first entry is blank and -1 means nothing chosen: neither names a worksheet.
  auto chosenSheet = [](const QComboBox& list) -> std::optional<int> {
    if (list.currentIndex() < 1) return std::nullopt;
    return list.currentIndex();
  };
  request.sheet1 = chosenSheet(*Combo1);
  request.sheet2 = chosenSheet(*Combo2);
  request.mode = mode();
  request.range1 = txtRange1->text().toStdString();
  request.range2 = txtRange2->text().toStdString();
  // The start and end fields hold rows in rows mode and columns in columns mode.
  const std::string start = txtStartColumn->text().toStdString();
  const std::string end = txtEndColumn->text().toStdString();
  if (request.mode == Mode::Columns) {
    request.startColumn = start;
    request.endColumn = end;
  } else {
    request.startRow = start;
    request.endRow = end;
  }
  request.identifying = txtIdentifyingColumns->text().toStdString();
  request.ignored = txtIgnoreColumns->text().toStdString();
  // Key matching is the table's choice and stays out of range mode, as the command line
  // refuses it there; the table's own alignment choice stands for the main window's in the
  // rows and columns modes. The main window's contents boxes are for whole workbooks, which
  // this window does not compare.
  ComparisonOptions& options = request.options;
  options = storedComparisonOptions(context_.settings).options;
  options.matchKey = chkMatchKey->isChecked();
  if (request.mode != Mode::Range) options.align = chkAlignTable->isChecked();
  options = optionsInEffect(request);
  return request;
}

void SmallerAreaWindow::usePicker(std::unique_ptr<RangePicker> picker) {
  picker_ = std::move(picker);
}

void SmallerAreaWindow::backToMainWindow() {
  ErrorTrap trap("Form2", "PushButton1_Click", errorBox_);
  trap.at(BackLine::ShowMainWindow, [&] { windows_.mainWindow().show(); });
  trap.at(BackLine::HideWindow, [&] { hide(); });
}

void SmallerAreaWindow::queryUnload(ErrorTrap& trap) {
  trap.at(QueryUnloadLine::CloseSession, [&] {
    loader_->giveUp();
    closeSession(books_);
  });
  trap.at(QueryUnloadLine::EndProgram, [&] { windows_.endProgram(); });
}

}  // namespace quill
