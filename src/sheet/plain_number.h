#pragma once

#include <string_view>

namespace quill {

// Whether a number as a file stores it ("42", "-3504.518", "0.00012") is already its own
// compared text, so that a reader may keep it as written instead of converting it to a
// double and back. True for plain decimals of at most 15 significant digits, without
// leading zeros, trailing fraction zeros, exponent or "+", whose decimal exponent lies
// between -5 and 14; such a text round-trips through a double unchanged. "-0" is not.
bool isPlainNumberText(std::string_view text);

}  // namespace quill
