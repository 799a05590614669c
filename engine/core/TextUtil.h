#pragma once
// Small text helpers shared by the engine and, through EngineText, the
// window.  They give meaning to ASCII codes only, so they serve
// Windows-1252 texts, UTF-8 bytes and UTF-16 code units alike: no code of
// a multi-byte character is a blank, a digit or a sign.

#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

namespace zelv {

// A blank is any code from 0x00 to 0x20: the space and every control
// character (tab, line breaks, NUL).
template <class Char>
constexpr bool isBlank(Char c)
{
    return static_cast<std::make_unsigned_t<Char>>(c) <= 0x20;
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The six characters that C's isspace takes in the "C" locale: space, tab,
// line feed, carriage return, form feed and vertical tab.  Narrower than
// isBlank: NUL and the other control characters are not among them.
constexpr bool isWhitespace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

namespace text_detail {

template <class Char, class Cut>
constexpr std::basic_string_view<Char> trimmed(std::basic_string_view<Char> text, Cut cut)
{
    while (!text.empty() && cut(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && cut(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace text_detail

// The text without blanks at either end ("\t 12 \r\n" gives "12").
constexpr std::string_view trimBlanks(std::string_view text)
{
    return text_detail::trimmed(text, isBlank<char>);
}
constexpr std::u16string_view trimBlanks(std::u16string_view text)
{
    return text_detail::trimmed(text, isBlank<char16_t>);
}

// The text without spaces (0x20 only) at either end, as the number
// conversion takes it: a tab or a line break stays and is no number.
constexpr std::string_view trimSpaces(std::string_view text)
{
    return text_detail::trimmed(text, [](char c) { return c == ' '; });
}

// How an integer may be written.
enum class IntegerNotation {
    Decimal,      // an optional "+" or "-", then decimal digits
    DecimalOrHex, // the same, or hexadecimal digits after "$", "x", "X", "0x" or "0X"
};

// The 32-bit integer of the text, or nullopt when the text is anything
// else: blanks, another character, a sign or a prefix without digits, the
// empty text, and a value outside the 32-bit range.  "-$A" is -10 and
// "-2147483648" the smallest value.
constexpr std::optional<std::int32_t> parseInteger(std::string_view text,
                                                   IntegerNotation notation = IntegerNotation::Decimal)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (notation == IntegerNotation::DecimalOrHex) {
        if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
            base = 16;
            ++i;
        } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
            base = 16;
            i += 2;
        }
    }
    if (i == text.size())
        return std::nullopt;
    // The magnitude of the smallest value is one more than the largest.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit = 16;
        if (isDigit(c))
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace zelv
