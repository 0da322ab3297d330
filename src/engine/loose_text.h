#pragma once

#include <cstddef>
#include <string_view>

namespace quill {

// Reads a UTF-8 cell text one character at a time as a loose comparison sees it: letters
// folded to lower case when case is ignored, each run of blanks (space, tab, no-break space)
// given as one space when blanks are ignored. Bytes that are not valid UTF-8 are given one
// by one as values no character has, so that they still compare only with themselves.
class LooseTextReader {
 public:
  LooseTextReader(std::string_view text, bool foldCase, bool joinBlanks)
      : text_(text), foldCase_(foldCase), joinBlanks_(joinBlanks) {}

  // The next character, or kEnd once the text is used up.
  char32_t next();

  static constexpr char32_t kEnd = 0xFFFFFFFF;
  // Invalid bytes are given as this value plus the byte, above the last code point, so they
  // never equal a character.
  static constexpr char32_t kInvalidByteBase = 0x110000;

 private:
  char32_t nextCodePoint();

  std::string_view text_;
  std::size_t position_ = 0;
  bool foldCase_;
  bool joinBlanks_;
};

// The lower-case form of a letter of the Latin, Greek and Cyrillic alphabets (ASCII, Latin-1,
// Latin Extended-A, the basic Greek and Cyrillic letters); any other character as it is.
char32_t lowerCaseLetter(char32_t c);

// Whether the texts are equal character for character once each is read loosely as above.
bool looseTextsEqual(std::string_view text1, std::string_view text2, bool foldCase,
                     bool joinBlanks);

}  // namespace quill
