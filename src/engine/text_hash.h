#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/comparison_options.h"

namespace quill {

// The form of a text in which texts that match under the options' letter case and blank
// rules are equal, and only those: the texts as the loose cell equality reads them (letters
// of the Latin, Greek and Cyrillic alphabets folded to lower case, runs of blanks made one
// space), written out again in UTF-8.
// Numeric tolerances are not applied: nearly equal numbers keep different forms.
std::string comparableText(const ComparisonOptions& options, std::string_view text);

// A hash of comparableText(options, text), computed without building it.
std::uint64_t textHash(const ComparisonOptions& options, std::string_view text);

// A hash of a row's texts, one for each compared column in order; empty texts add nothing,
// so rows that differ only in empty cells past their end hash alike.
std::uint64_t rowHash(const ComparisonOptions& options, std::span<const std::string_view> texts);

}  // namespace quill
