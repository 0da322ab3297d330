#include "shell/comparison_settings.h"

#include <charconv>
#include <cmath>
#include <string>

#include "shell/settings_store.h"

namespace quill {

namespace {

// Reads one tolerance from the store into the field; false when its text is not a number.
bool readTolerance(const SettingsStore& settings, const char* key, double& field) {
  const std::optional<double> value = toleranceFromText(settings.get(key, ""));
  if (!value) return false;
  field = *value;
  return true;
}

QString toleranceProblem(const QString& caption, const QString& text) {
  return caption + ": \"" + text +
         "\" is not a number.\n\nPlease input a number of 0 or more, such as 0.001, or leave "
         "the field empty.";
}

}  // namespace

bool storedSwitch(const SettingsStore& settings, const char* key) {
  return settings.get(key, "0") == "1";
}

void saveSwitch(SettingsStore& settings, const char* key, bool on) {
  settings.save(key, on ? "1" : "0");
}

std::optional<double> toleranceFromText(const QString& text) {
  const std::string typed = text.trimmed().toStdString();
  if (typed.empty()) return 0.0;
  double value = 0;
  const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
  if (error != std::errc() || end != typed.data() + typed.size() || !std::isfinite(value) ||
      value < 0)
    return std::nullopt;
  return value;
}

StoredOptions storedComparisonOptions(const SettingsStore& settings) {
  StoredOptions stored;
  ComparisonOptions& options = stored.options;
  // A tolerance that is no number stays at none, and the first such is named.
  if (!readTolerance(settings, kToleranceKey, options.absoluteTolerance))
    stored.problem = toleranceProblem("Numeric tolerance", settings.get(kToleranceKey, ""));
  if (!readTolerance(settings, kRelativeToleranceKey, options.relativeTolerance) &&
      stored.problem.isEmpty())
    stored.problem =
        toleranceProblem("Relative tolerance", settings.get(kRelativeToleranceKey, ""));
  options.ignoreCase = storedSwitch(settings, kIgnoreCaseKey);
  options.ignoreSpaces = storedSwitch(settings, kIgnoreSpacesKey);
  options.formulas = storedSwitch(settings, kFormulasKey);
  options.align = storedSwitch(settings, kAlignKey);
  options.exactSpaces = storedSwitch(settings, kExactSpacesKey);
  // Each stored switch turns on the part its word names, as that word does on the command line.
  for (int i = 0; i < kContentsWords; ++i)
    if (storedSwitch(settings, kContentsKeys[i]))
      options.contents.*contentsPart(contentsWords()[i]) = true;
  return stored;
}

}  // namespace quill
