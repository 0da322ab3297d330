#include "ui/options_area.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "shell/comparison_settings.h"
#include "shell/settings_store.h"
#include "ui/twips_layout.h"

namespace quill {

namespace {

constexpr int kFieldTop = 300;
constexpr int kFieldHeight = 345;
constexpr int kCheckHeight = 285;

}  // namespace

OptionsArea::OptionsArea(QWidget& window, TwipsLayout& layout, QRect twips, const Stretch& stretch,
                         SettingsStore& settings)
    : QGroupBox("Options", &window), layout_(layout), settings_(settings) {
  setObjectName("FrameOptions");
  layout_.place(*this, twips, stretch);
  addField("txtTolerance", "Numeric tolerance:", 240, 1560, 1800, kToleranceKey);
  addField("txtRelativeTolerance", "Relative tolerance:", 3840, 1620, 1980, kRelativeToleranceKey);
  addCheck("chkIgnoreCase", "Ignore case", QRect(240, 780, 1800, kCheckHeight), kIgnoreCaseKey);
  addCheck("chkIgnoreSpaces", "Ignore spaces", QRect(2160, 780, 1800, kCheckHeight),
           kIgnoreSpacesKey);
  addCheck("chkFormulas", "Compare formulas", QRect(3840, 780, 2100, kCheckHeight), kFormulasKey);
  addCheck("chkExactSpaces", "Exact spaces", QRect(6000, 780, 1740, kCheckHeight), kExactSpacesKey);
  addCheck("chkAlign", "Align inserted and deleted rows, columns and sheets",
           QRect(240, 1140, 7320, kCheckHeight), kAlignKey);
  addContentsChecks();
}

// One row of check boxes for what the whole workbooks hold besides cell texts, under a
// caption; the main window compares whole workbooks alone, so they always apply there.
void OptionsArea::addContentsChecks() {
  static constexpr const char* kNames[kContentsWords] = {"chkNotes",  "chkNames",   "chkHidden",
                                                         "chkMerged", "chkFormats", "chkMacros"};
  static constexpr const char* kCaptions[kContentsWords] = {"Notes",  "Names",   "Hidden",
                                                            "Merged", "Formats", "Macros"};
  constexpr int kTop = 1500, kCaptionWidth = 1380, kCheckWidth = 990;
  auto* caption = new QLabel("Compare also:", this);
  layout_.place(*caption, QRect(240, kTop + 15, kCaptionWidth, 255));
  for (int i = 0; i < kContentsWords; ++i)
    addCheck(kNames[i], kCaptions[i],
             QRect(240 + kCaptionWidth + i * kCheckWidth, kTop, kCheckWidth - 60, kCheckHeight),
             kContentsKeys[i]);
}

QLineEdit* OptionsArea::addField(const char* name, const QString& caption, int left, int labelWidth,
                                 int fieldWidth, const char* key) {
  auto* label = new QLabel(caption, this);
  layout_.place(*label, QRect(left, kFieldTop + 45, labelWidth, 255));
  auto* field = new QLineEdit(settings_.get(key, ""), this);
  field->setObjectName(name);
  label->setBuddy(field);
  layout_.place(*field, QRect(left + labelWidth, kFieldTop, fieldWidth, kFieldHeight));
  // Kept as typed: a text that is no number is named when a comparison starts.
  connect(field, &QLineEdit::textChanged, this,
          [this, key](const QString& text) { settings_.save(key, text); });
  return field;
}

QCheckBox* OptionsArea::addCheck(const char* name, const QString& caption, QRect twips,
                                 const char* key) {
  auto* check = new QCheckBox(caption, this);
  check->setObjectName(name);
  check->setChecked(storedSwitch(settings_, key));
  layout_.place(*check, twips);
  connect(check, &QCheckBox::toggled, this,
          [this, key](bool on) { saveSwitch(settings_, key, on); });
  return check;
}

}  // namespace quill
