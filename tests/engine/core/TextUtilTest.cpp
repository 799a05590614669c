#include "TextUtil.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zelv {
namespace {

using namespace std::string_literals;

TEST(TextUtil, TrimBlanksCutsEveryCodeUpToTheSpace)
{
    const std::pair<std::string, std::string> rows[] = {
        {"12", "12"},
        {" \t12\r\n ", "12"},
        {"\0" "1 2\x1F"s, "1 2"}, // NUL and 0x1F are blanks; the inner one stays
        {"\x7F" "1\xA0"s, "\x7F" "1\xA0"}, // DEL and the no-break space are not
        {"   ", ""},
        {"", ""},
    };
    for (const auto& [text, trimmed] : rows)
        EXPECT_EQ(trimBlanks(text), trimmed) << "[" << text << "]";

    // the same rule on UTF-16 code units; no surrogate is a blank
    EXPECT_EQ(trimBlanks(std::u16string_view(u"\t\U0001F600 x\n")), u"\U0001F600 x");
    EXPECT_EQ(trimBlanks(std::u16string_view(u"\u00A0x\u2003")), u"\u00A0x\u2003");
}

TEST(TextUtil, TrimSpacesCutsOnlyTheSpace)
{
    EXPECT_EQ(trimSpaces("  1,5 "), "1,5");
    EXPECT_EQ(trimSpaces("\t1,5\n"), "\t1,5\n");
    EXPECT_EQ(trimSpaces(" "), "");
}

TEST(TextUtil, WhitespaceIsNarrowerThanBlank)
{
    struct Row {
        char c;
        bool blank, whitespace;
    };
    const Row rows[] = {
        {' ', true, true},   {'\t', true, true},  {'\n', true, true}, {'\v', true, true},
        {'\0', true, false}, {'\x1F', true, false}, // control codes are blanks only
        {'\xA0', false, false}, {'x', false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(isBlank(row.c), row.blank) << int(static_cast<unsigned char>(row.c));
        EXPECT_EQ(isWhitespace(row.c), row.whitespace) << int(static_cast<unsigned char>(row.c));
    }
}

struct IntegerRow {
    const char* text;
    std::optional<std::int32_t> decimal;      // IntegerNotation::Decimal
    std::optional<std::int32_t> decimalOrHex; // IntegerNotation::DecimalOrHex
};

TEST(TextUtil, ParseIntegerTable)
{
    constexpr auto none = std::nullopt;
    const IntegerRow rows[] = {
        {"0", 0, 0},
        {"33", 33, 33},
        {"+5", 5, 5},
        {"-3", -3, -3},
        {"007", 7, 7},
        {"$1F", none, 31},
        {"$1f", none, 31},
        {"x1F", none, 31},
        {"X1F", none, 31},
        {"0x1F", none, 31},
        {"0X1F", none, 31},
        {"-$A", none, -10},
        {"2147483647", 2147483647, 2147483647},
        {"-2147483648", -2147483647 - 1, -2147483647 - 1},
        {"$7FFFFFFF", none, 2147483647},
        {"-$80000000", none, -2147483647 - 1},
        // not an integer
        {"", none, none},
        {"abc", none, none},
        {"12abc", none, none},
        {"1.5", none, none},
        {"1 2", none, none},
        {" 12", none, none},
        {"12 ", none, none},
        {"$", none, none},
        {"0x", none, none},
        {"-", none, none},
        {"+", none, none},
        {"+-1", none, none},
        {"$G", none, none},
        {"1F", none, none},
        {"2147483648", none, none},
        {"-2147483649", none, none},
        {"$80000000", none, none},
        {"99999999999999999999", none, none},
        {"\xB2", none, none}, // superscript two is no digit
    };
    for (const IntegerRow& row : rows) {
        EXPECT_EQ(parseInteger(row.text), row.decimal) << "[" << row.text << "]";
        EXPECT_EQ(parseInteger(row.text, IntegerNotation::DecimalOrHex), row.decimalOrHex) << "[" << row.text << "]";
    }
}

} // namespace
} // namespace zelv
