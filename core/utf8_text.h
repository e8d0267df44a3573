#pragma once
// Counting the characters of UTF-8 text: a character begins at every byte
// that is not a continuation byte.

#include <cstddef>
#include <string_view>

namespace pyramid {

std::size_t characterCount(std::string_view text);

// The first `count` characters of `text`, or all of it when it has fewer.
std::string_view firstCharacters(std::string_view text, std::size_t count);

// The last `count` characters of `text`, or all of it when it has fewer.
std::string_view lastCharacters(std::string_view text, std::size_t count);

}  // namespace pyramid
