#include "core/utf8_text.h"

#include <algorithm>

namespace pyramid {

namespace {
bool beginsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }
}  // namespace

Utf8Character utf8CharacterAt(std::string_view text, std::size_t at)
{
    const auto c = static_cast<unsigned char>(text[at]);
    std::size_t follow = 0;
    char32_t code = 0;
    if (c < 0x80)
        return {c, 1};
    else if ((c & 0xE0) == 0xC0)
        follow = 1, code = c & 0x1F;
    else if ((c & 0xF0) == 0xE0)
        follow = 2, code = c & 0x0F;
    else if ((c & 0xF8) == 0xF0)
        follow = 3, code = c & 0x07;
    else
        return {};
    if (at + follow >= text.size())
        return {};
    for (std::size_t k = 1; k <= follow; ++k) {
        const auto d = static_cast<unsigned char>(text[at + k]);
        if ((d & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (d & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[follow] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return {code, follow + 1};
}

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = utf8CharacterAt(bytes, i).length;
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

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
