#pragma once

#include <QGroupBox>

class QCheckBox;
class QLineEdit;

namespace quill {

class SettingsStore;
class TwipsLayout;
struct Stretch;

// The main window's comparison options: the numeric and relative tolerance fields and the
// check boxes for letter case, blanks, formulas, leading and trailing spaces, alignment and each
// part of what the workbooks hold besides cell texts (notes, names, ...). They
// show what the settings store holds, and every change is kept there at once; the windows read the
// options for their comparisons from the store.
class OptionsArea final : public QGroupBox {
 public:
  // Places the area in the window at the twips rectangle.
  OptionsArea(QWidget& window, TwipsLayout& layout, QRect twips, const Stretch& stretch,
              SettingsStore& settings);

 private:
  QLineEdit* addField(const char* name, const QString& caption, int left, int labelWidth,
                      int fieldWidth, const char* key);
  QCheckBox* addCheck(const char* name, const QString& caption, QRect twips, const char* key);
  void addContentsChecks();

  TwipsLayout& layout_;
  SettingsStore& settings_;
};

}  // namespace quill
