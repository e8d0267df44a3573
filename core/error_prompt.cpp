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
        const Utf8Character read = utf8CharacterAt(utf8, i);
        const std::size_t length = read.length == 0 ? 1 : read.length;
        const char32_t c = read.code;
        if (read.length == 0)
            appendUtf8(out, 0xFFFD);  // a byte of no character, against the promise
        else if (c < 0x20)
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
