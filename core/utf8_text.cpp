#include "core/utf8_text.h"

#include <algorithm>

namespace pyramid {

namespace {
bool beginsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }
}  // namespace

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), beginsCharacter));
}

std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (beginsCharacter(text[i]) && count-- == 0)
            return text.substr(0, i);
    return text;
}

std::string_view lastCharacters(std::string_view text, std::size_t count)
{
    const std::size_t total = characterCount(text);
    return total <= count ? text : text.substr(firstCharacters(text, total - count).size());
}

}  // namespace pyramid
