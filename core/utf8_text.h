#pragma once
// UTF-8 text: checked, read a character at a time, written, and counted.
// The one place the program knows how UTF-8 is made.

#include <cstddef>
#include <string>
#include <string_view>

namespace pyramid {

// Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
bool isValidUtf8(std::string_view bytes);

// The character that begins at byte `at` of `text`: its code point and how
// many bytes it takes, or a length of 0 where no UTF-8 character begins.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 0;
};
Utf8Character utf8CharacterAt(std::string_view text, std::size_t at);

void appendUtf8(std::string& out, char32_t code);

// A character begins at every byte that is not a continuation byte.

std::size_t characterCount(std::string_view text);

// The first `count` characters of `text`, or all of it when it has fewer.
std::string_view firstCharacters(std::string_view text, std::size_t count);

// The last `count` characters of `text`, or all of it when it has fewer.
std::string_view lastCharacters(std::string_view text, std::size_t count);

}  // namespace pyramid
