#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/comparison_options.h"

namespace quill {

// The form of a text in which texts that match under the options' letter case and blank
// rules are equal: ASCII and Latin-1 letters folded to lower case, runs of blanks (space,
// tab, no-break space) made one space. Letters of other alphabets keep their case: rows
// that differ only there hash apart but are still paired where they stand.
// Numeric tolerances are not applied: nearly equal numbers keep different forms.
std::string comparableText(const ComparisonOptions& options, std::string_view text);

// A hash of comparableText(options, text), computed without building it.
std::uint64_t textHash(const ComparisonOptions& options, std::string_view text);

// A hash of a row's texts, one for each compared column in order; empty texts add nothing,
// so rows that differ only in empty cells past their end hash alike.
std::uint64_t rowHash(const ComparisonOptions& options, std::span<const std::string_view> texts);

}  // namespace quill
