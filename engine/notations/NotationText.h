#pragma once
// Small character tests that the notations share, over Windows-1252 texts.

#include "TextUtil.h"

#include <string_view>

namespace zelv {

// Windows-1252's no-break space (0xA0) separates like a blank in a notation:
// web pages put it between a number and its hemisphere letter.
constexpr bool isBlankOrNoBreakSpace(char c) { return isBlank(c) || c == '\xA0'; }

// The text without blanks and no-break spaces at either end.
constexpr std::string_view trimBlanksAndNoBreakSpaces(std::string_view text)
{
    while (!text.empty() && isBlankOrNoBreakSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankOrNoBreakSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares ASCII letters without regard to case ("HTTPS://" starts with
// "https://").
constexpr bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != asciiLower(prefix[i]))
            return false;
    return true;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && startsWithIgnoringCase(a, b);
}

// Reads a number of a URI at `i`: an optional "-", digits, and "." with
// digits.  Moves `i` past it; empty when there is none.
constexpr std::string_view uriNumber(std::string_view s, std::size_t& i)
{
    const std::size_t start = i;
    std::size_t j = i < s.size() && s[i] == '-' ? i + 1 : i;
    const std::size_t digitsStart = j;
    while (j < s.size() && isDigit(s[j]))
        ++j;
    if (j == digitsStart)
        return {};
    if (j + 1 < s.size() && s[j] == '.' && isDigit(s[j + 1]))
        for (++j; j < s.size() && isDigit(s[j]);)
            ++j;
    i = j;
    return s.substr(start, j - start);
}

// Every key and value among the "&"-separated pairs of a query, in one pass.
template <class Found>
void forEachParameter(std::string_view query, Found found)
{
    std::size_t i = 0;
    while (i <= query.size()) {
        std::size_t end = query.find('&', i);
        if (end == std::string_view::npos)
            end = query.size();
        const std::string_view pair = query.substr(i, end - i);
        const std::size_t equals = pair.find('=');
        if (equals != std::string_view::npos)
            found(pair.substr(0, equals), pair.substr(equals + 1));
        i = end + 1;
    }
}

} // namespace zelv
