#pragma once

#include <QString>
#include <optional>

#include "engine/comparison_options.h"

namespace quill {

class SettingsStore;

// The keys under which the comparison options are kept between runs: the tolerances as
// typed, the switches as "1" (on) or "0" (off).
inline constexpr const char* kToleranceKey = "Numeric Tolerance";
inline constexpr const char* kRelativeToleranceKey = "Relative Tolerance";
inline constexpr const char* kIgnoreCaseKey = "Ignore Case";
inline constexpr const char* kIgnoreSpacesKey = "Ignore Spaces";
inline constexpr const char* kFormulasKey = "Compare Formulas";
inline constexpr const char* kAlignKey = "Align";
inline constexpr const char* kExactSpacesKey = "Exact Spaces";
inline constexpr const char* kMatchKeyKey = "Match Key";
inline constexpr const char* kAlignTableKey = "Align Table";
// The switches of what the whole workbooks hold besides cell texts, one for each of
// contentsWords() and in its order.
inline constexpr const char* kContentsKeys[kContentsWords] = {"Compare Notes",   "Compare Names",
                                                              "Compare Hidden",  "Compare Merged",
                                                              "Compare Formats", "Compare Macros"};

// Whether a switch is on in the store; off when it is missing or damaged.
bool storedSwitch(const SettingsStore& settings, const char* key);
void saveSwitch(SettingsStore& settings, const char* key, bool on);

// A tolerance as typed: empty (or blanks) for none, else a finite number of 0 or more;
// nothing for any other text.
std::optional<double> toleranceFromText(const QString& text);

// The comparison options kept in the store, and the message that names a tolerance that is
// not a number (that tolerance left at none); matchKey is left to the window that offers it.
struct StoredOptions {
  ComparisonOptions options;
  QString problem;  // empty when the options can be used
};
StoredOptions storedComparisonOptions(const SettingsStore& settings);

}  // namespace quill
