#include "core/error_prompt.h"

#include "core/utf8_text.h"

namespace pyramid {

std::string errorPromptMessage(std::string_view description)
{
    const std::string lineBreak = "\r\n";
    std::string message(description);
    message += lineBreak;
    message += lineBreak;
    message += kErrorPromptQuestion;
    return message;
}

namespace {

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

// Characters that would move, break or reverse the prompt's lines.
bool breaksTheLine(char32_t c)
{
    return (c >= 0x80 && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F || c == 0x2028 ||
           c == 0x2029 || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The visible form of `utf8`, cut after `limit` characters.
std::string visibleText(std::string_view utf8, std::size_t limit, bool alreadyCut)
{
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        if (chars == limit)
            return out + "…";
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (c < 0x20)
            appendUtf8(out, 0x2400 + c);
        else if (c == 0x7F)
            appendUtf8(out, 0x2421);
        else if (breaksTheLine(c))
            appendUtf8(out, 0xFFFD);
        else
            out.append(utf8.substr(i, length));
        i += length;
        ++chars;
    }
    return alreadyCut ? out + "…" : out;
}

}  // namespace

std::string quotedForPrompt(std::string_view utf8, bool alreadyCut)
{
    return visibleText(utf8, kQuotedChars, alreadyCut);
}

std::string pathForPrompt(std::string_view utf8)
{
    if (characterCount(utf8) <= kQuotedPathChars)
        return visibleText(utf8, kQuotedPathChars, false);
    return "…" + visibleText(lastCharacters(utf8, kQuotedPathChars - 1), kQuotedPathChars, false);
}

}  // namespace pyramid
