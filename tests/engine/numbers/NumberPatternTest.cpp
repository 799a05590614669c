#include "Exception.h"
#include "InLocale.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace zelv {
namespace {

class NumberPatternTest : public ::testing::TestWithParam<Separators> {};

struct PatternCase {
    const char* pattern;
    Extended value;
    const char* german;
};

TEST_P(NumberPatternTest, PatternsOfTheFields)
{
    const PatternCase cases[] = {
        {",0.000000", 1234.5L, "1.234,500000"},
        {",0.000000", 0, "0,000000"},
        {",0", 1234.5L, "1.235"},
        {",0", 0, "0"},
        {"0", 1234.5L, "1235"},
        {"0", 0, "0"},
        {",0.0", 1234.5L, "1.234,5"},
        {",0.0", 0, "0,0"},
        {"########", 1234.5L, "1235"},
        {"########", 0, ""},
        {"#######", 1234.5L, "1235"},
        {"#######", 0, ""},
        {"#0.000", 1234.5L, "1234,500"},
        {"#0.000", 0, "0,000"},
        {"0.######", 1234.5L, "1234,5"},
        {"0.######", 0, "0"},
        {"0.######", 10.7694306L, "10,769431"},
        {"0.######", 1234567, "1234567"},          // no separator without decimals
        {",0.000000", 1234567, "1.234.567,000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPattern(c.value, c.pattern, GetParam()), inLocale(c.german, GetParam()))
            << c.pattern << " " << static_cast<double>(c.value);
}

TEST_P(NumberPatternTest, RoundingAndSigns)
{
    const PatternCase cases[] = {
        {"0", 0.5L, "1"},                  // halves away from zero
        {"0", -0.5L, "-1"},
        {"0", 2.5L, "3"},                  // not to even
        {"0.00", 0.125L, "0,13"},
        {"0.00", 1.005L, "1,01"},          // rounds its decimal form, not the binary one below 1.005
        {"0.00", -1.005L, "-1,01"},
        {"0.00", 0.0096L, "0,01"},         // carry out of leading zeros
        {",0.0", 999.96L, "1.000,0"},      // carry into a new integer digit and group
        {"#.##", 0.5L, ",5"},              // "#" writes no leading zero
        {"#.##", 12, "12"},
        {"00000", 42, "00042"},
        {"########", 0.3L, ""},            // rounds to zero: nothing without a "0"
        {"########", 0.5L, "1"},
        {",0", -0.3L, "0"},                // a negative value that rounds to zero is zero
        {",0", -0.0L, "-0"},               // the signed zero keeps its sign
        {",0.000000", -0.0L, "-0,000000"},
        {"0.######", -0.0L, "-0"},
        {"########", -0.0L, ""},
        {",0.0", -1234.5L, "-1.234,5"},
        {",0", 1234567890123.0L, "1.234.567.890.123"},
        {"0.00;(0.00)", -1.5L, "(1,50)"},  // the negative section writes no sign
        {"0.00;(0.00)", 1.5L, "1,50"},
        {"0;", -2, "-2"},                  // an empty negative section means the first
        {"0.00 'EUR'", 1234.5L, "1234,50 EUR"},
        {"\"etwa \"0", 7, "etwa 7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPattern(c.value, c.pattern, GetParam()), inLocale(c.german, GetParam()))
            << c.pattern << " " << static_cast<double>(c.value);
}

TEST(NumberPattern, KeepsEighteenDigitsOfTheExtendedValue)
{
    // Through a double these would end in ...677 and ...683968.
    EXPECT_EQ(formatPattern(0.1234567890123456789L, "0.000000000000000000", germanSeparators),
              "0,123456789012345679");
    EXPECT_EQ(formatPattern(123456789012345678901.0L, "0", germanSeparators),
              "123456789012345679000");
    // The largest value's 18 digits rounded up past it, to a text that did
    // not convert back: a field holding it could not read its own value.
    const std::string largest = formatPattern(std::numeric_limits<Extended>::max(), "0", germanSeparators);
    EXPECT_EQ(largest, "118973149535723176" + std::string(4932 - 17, '0'));
    EXPECT_EQ(textToFloat(largest, germanSeparators), 1.18973149535723176e4932L);
    EXPECT_EQ(formatPattern(-std::numeric_limits<Extended>::max(), ",0.0", pointSeparators).substr(0, 10), "-1,189,731");
}

TEST(NumberPattern, CurrencyDefaultFormat)
{
    const std::string euro = currencyPattern("\x80", 2, 3);
    EXPECT_EQ(euro, ",0.00 \x80;-,0.00 \x80");
    EXPECT_EQ(formatPattern(-1234.5L, euro, germanSeparators), "-1.234,50 \x80");
    EXPECT_EQ(currencyPattern("$", 2, 0), "$,0.00;-$,0.00");
    EXPECT_EQ(currencyPattern("$", 0, 1), ",0.$;-,0.$");
    // A separator inside the symbol is quoted, so it stays a letter.
    const std::string franc = currencyPattern("Fr.", 2, 2);
    EXPECT_EQ(franc, "Fr'.' ,0.00;-Fr'.' ,0.00");
    EXPECT_EQ(formatPattern(1234.5L, franc, germanSeparators), "Fr. 1.234,50");
}

TEST_P(NumberPatternTest, EmptyPatternIsTheGeneralForm)
{
    const Separators s = GetParam();
    EXPECT_EQ(formatDisplay(1234.5L, "", s), inLocale("1234,5", s));
    EXPECT_EQ(formatDisplay(1.0L / 3, "", s), inLocale("0,333333333333333", s));
    EXPECT_EQ(formatDisplay(0, "", s), "0");
    EXPECT_EQ(formatDisplay(-0.0L, "", s), "-0");
    EXPECT_EQ(formatDisplay(1e20L, "", s), "1E+20");
    EXPECT_EQ(formatDisplay(1234.5L, ",0", s), inLocale("1.235", s));
}

TEST(NumberPattern, EditPattern)
{
    EXPECT_EQ(editPattern(0), "0");
    EXPECT_EQ(editPattern(1), "0.#");
    EXPECT_EQ(editPattern(6), "0.######");
}

TEST(NumberText, Normalize)
{
    const Separators swiss{'.', '\''};
    const Separators sameBoth{',', ','};
    const struct {
        const char* text;
        Separators separators;
        const char* normalised;
    } cases[] = {
        {"  1.234,5 ", germanSeparators, "1234,5"},
        {" 1,234.5", pointSeparators, "1234.5"},
        {"1'234,5", swiss, "1234.5"},          // "," is neither separator: read as decimal
        {"1,5", sameBoth, "1,5"},              // equal separators are not dropped
        {"", germanSeparators, "0"},
        {"   ", germanSeparators, "0"},
        {"-", germanSeparators, "-0"},
        {"+", germanSeparators, "+"},
        {"abc", germanSeparators, "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalizeNumberText(c.text, c.separators), c.normalised) << c.text;
}

TEST_P(NumberPatternTest, GroupDigits)
{
    const Separators s = GetParam();
    const struct {
        const char* text;
        bool grouping;
        const char* german;
    } cases[] = {
        {"1234567", true, "1.234.567"},
        {"0012", true, "0.012"},              // leading zeros count
        {"123", true, "123"},
        {"-1234,5678", true, "-1.234,5678"},  // decimals stay ungrouped
        {"+1234e5", true, "+1.234e5"},
        {",5", true, ",5"},
        {"", true, ""},
        {"1234567", false, "1234567"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(groupDigits(inLocale(c.text, s), c.grouping, s), inLocale(c.german, s)) << c.text;
}

TEST(FieldBounds, BoundsRule)
{
    const struct {
        Extended value, minValue, maxValue, expected;
    } cases[] = {
        {200, -180, 180, 180},
        {-200, -180, 180, -180},
        {59.96L, 0, 59.9L, 59.9L},
        {5, 0, 0, 5},          // 0..0: no range
        {5, 3, 3, 5},          // equal bounds: no range
        {5, 10, 0, 10},        // min > max with max 0: only the lower bound
        {50, 10, 0, 50},
        {5, 0, -10, -10},      // min > max with min 0: only the upper bound
        {-50, 0, -10, -50},
        {5, 10, 3, 5},         // min > max otherwise: no range
    };
    for (const auto& c : cases)
        EXPECT_EQ(applyBounds(c.value, c.minValue, c.maxValue), c.expected)
            << static_cast<double>(c.value) << " in " << static_cast<double>(c.minValue) << ".."
            << static_cast<double>(c.maxValue);
}

TEST(FieldBounds, RangeErrorMessages)
{
    const struct {
        Extended value, minValue, maxValue;
        unsigned decimals;
        Separators separators;
        const char* message;
    } cases[] = {
        {200, -180, 180, 0, germanSeparators, "Wert mu\xDF zwischen -180 und 180 liegen"},
        {60, 0, 59.9L, 1, germanSeparators, "Wert mu\xDF zwischen 0,0 und 59,9 liegen"},
        {60, 0, 59.9L, 1, pointSeparators, "Wert mu\xDF zwischen 0.0 und 59.9 liegen"},
        {75, 0, 59, 0, germanSeparators, "Wert mu\xDF zwischen 0 und 59 liegen"},
    };
    for (const auto& c : cases) {
        try {
            requireWithinBounds(c.value, c.minValue, c.maxValue, c.decimals, c.separators);
            ADD_FAILURE() << "no range error for " << static_cast<double>(c.value);
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
    EXPECT_EQ(requireWithinBounds(59, 0, 59, 0, germanSeparators), 59);
    EXPECT_TRUE(std::signbit(requireWithinBounds(-0.0L, 0, 59, 0, germanSeparators)));
    EXPECT_EQ(requireWithinBounds(1e9L, 0, 0, 0, germanSeparators), 1e9L);
}

TEST(FieldTyping, AcceptanceTest)
{
    const Separators de = germanSeparators;
    const Separators pt = pointSeparators;
    const struct {
        std::string candidate;
        unsigned decimals;
        Extended minValue, maxValue;
        Separators separators;
        bool accepted;
    } cases[] = {
        {"12,", 0, -180, 180, de, true},        // a separator at the end with no decimals allowed
        {"12,5", 0, -180, 180, de, false},
        {"12.5", 0, -180, 180, pt, false},
        {"12,", 0, -180, 180, pt, true},        // the group separator is dropped
        {"10,123456", 6, 0, 0, de, true},
        {"10,1234567", 6, 0, 0, de, false},
        {"1,5e10", 1, 0, 0, de, true},          // decimals end at the exponent
        {"1,55e1", 1, 0, 0, de, false},
        {"10.", 6, 0, 0, de, true},             // "." is the German group separator
        {"-", 0, 0, 59, de, true},              // "-0" is not below zero
        {"-5", 0, 0, 59, de, false},
        {"-5", 0, -180, 180, de, true},
        {"-5", 0, 0, 0, de, true},
        {"+", 0, 0, 0, de, false},
        {"+5", 0, 0, 0, de, true},
        {",", 6, 0, 0, de, true},
        {"1e", 6, 0, 0, de, true},
        {"1e5,5", 6, 0, 0, de, false},
        {"1 ", 6, 0, 0, de, true},              // outer blanks go in normalising
        {"1 2", 6, 0, 0, de, false},
        {"a", 6, 0, 0, de, false},
        {"1\xB0", 6, 0, 0, de, false},
        {std::string(63, '1') + "--", 0, 0, 0, de, true},  // only the first 63 characters convert
        {std::string(62, '1') + "--", 0, 0, 0, de, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isAcceptableTyping(c.candidate, c.decimals, c.minValue, c.maxValue, c.separators),
                  c.accepted)
            << c.candidate;
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberPatternTest,
                         ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
