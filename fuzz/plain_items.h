#pragma once
// The fuzzers' own reading of a data file: the whole text split into items
// at once, plainly, for the program's reader and load to be checked against.

#include "data/data_file_reader.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyramid::plain {

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
inline bool isSpace(char c) { return isBlank(c) || c == '\n' || c == '\r'; }
inline bool isSeparator(char c) { return c == ',' || c == '\n' || c == '\r'; }

inline std::string trimEnd(std::string text)
{
    while (!text.empty() && isBlank(text.back()))
        text.pop_back();
    return text;
}

inline std::vector<DataItem> splitItems(std::string_view in)
{
    std::size_t p = in.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const std::size_t n = in.size();
    std::vector<DataItem> items;
    for (;;) {
        std::size_t solid = p;
        while (solid < n && isSpace(in[solid]))
            ++solid;
        if (solid == n)
            return items;
        while (p < n && isBlank(in[p]))
            ++p;
        DataItem item;
        item.number = long(items.size()) + 1;
        if (p < n && in[p] == '"') {
            const std::size_t close = in.find('"', p + 1);
            const std::size_t stop = close == std::string_view::npos ? n : close;
            const std::string text(in.substr(p + 1, stop - p - 1));
            item.truncated = text.size() > kMaxItemBytes;
            item.text = text.substr(0, kMaxItemBytes);
            p = close == std::string_view::npos ? n : close + 1;
            while (p < n && !isSeparator(in[p]))
                ++p;
        } else {
            std::size_t q = p;
            while (q < n && !isSeparator(in[q]))
                ++q;
            const std::string text = trimEnd(std::string(in.substr(p, q - p)));
            item.truncated = text.size() > kMaxItemBytes;
            item.text = trimEnd(text.substr(0, kMaxItemBytes));
            p = q;
        }
        if (p < n && in[p++] == '\r' && p < n && in[p] == '\n')
            ++p;
        items.push_back(std::move(item));
    }
}

}  // namespace pyramid::plain
