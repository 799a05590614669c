#include "Exception.h"
#include "NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zelv {
namespace {

struct ConversionCase {
    const char* text;
    Separators separators;
    bool converts;
    Extended value;
};

TEST(TextToFloat, TableOfTexts)
{
    const ConversionCase cases[] = {
        {"10,769430", germanSeparators, true, 10.76943L},
        {"10.769430", pointSeparators, true, 10.76943L},
        {"  -12,5  ", germanSeparators, true, -12.5L},
        {"+5", germanSeparators, true, 5},
        {",", germanSeparators, true, 0},           // a lone separator is zero
        {"1e", germanSeparators, true, 1},          // an exponent needs no digits
        {"1,5E+2", germanSeparators, true, 150},
        {"1,5e-1", germanSeparators, true, 0.15L},
        {"-0", germanSeparators, true, 0},
        {"", germanSeparators, false, 0},
        {"+", germanSeparators, false, 0},
        {"-", germanSeparators, false, 0},
        {"e5", germanSeparators, false, 0},
        {"1.5", germanSeparators, false, 0},        // the group separator is not taken
        {"1,5", pointSeparators, false, 0},
        {"1,,5", germanSeparators, false, 0},
        {"1 5", germanSeparators, false, 0},
        {"\t1", germanSeparators, false, 0},        // only 0x20 counts as a blank
        {"1e5000", germanSeparators, false, 0},     // beyond the extended range
        {"abc", germanSeparators, false, 0},
    };
    for (const auto& c : cases) {
        const std::optional<Extended> value = tryTextToFloat(c.text, c.separators);
        EXPECT_EQ(value.has_value(), c.converts) << c.text;
        if (c.converts && value) {
            EXPECT_EQ(*value, c.value) << c.text;
        }
    }
}

TEST(TextToFloat, KeepsExtendedDigits)
{
    // 18 significant digits survive: no detour through double.
    const Extended v = textToFloat("0,123456789012345678", germanSeparators);
    EXPECT_EQ(v, 0.123456789012345678L);
    EXPECT_NE(static_cast<Extended>(static_cast<double>(v)), v);
}

TEST(TextToFloat, ErrorNamesTheTextAsGiven)
{
    try {
        textToFloat(" 13,405\xB0", germanSeparators);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "' 13,405\xB0' ist kein g\xFCltiger Gleitkommawert");
    }
}

} // namespace
} // namespace zelv

namespace zelv {
namespace {

TEST(FormatNumbers, FixedAndGeneralUnderBothLocales)
{
    struct Case {
        Extended value;
        const char* fixed5;       // "%.5f"
        const char* general18;    // 18 significant digits
    };
    const Case cases[] = {
        {50.41484L, "50.41484", "50.41484"},
        {-0.5L, "-0.50000", "-0.5"},
        {6525000, "6525000.00000", "6525000"},
        {9, "9.00000", "9"},
        {0.1L, "0.10000", "0.1"},
        {0.00001L, "0.00001", "0.00001"},
        {0.000001L, "0.00000", "1E-06"},
        {1e18L, "1000000000000000000.00000", "1E+18"},
        {123456789012345678.0L, "123456789012345678.00000", "123456789012345678"},
    };
    for (const auto& c : cases) {
        for (const Separators seps : {germanSeparators, pointSeparators}) {
            auto local = [&](std::string s) {
                for (char& ch : s)
                    if (ch == '.')
                        ch = seps.decimal;
                return s;
            };
            EXPECT_EQ(formatFixed(c.value, 5, seps), local(c.fixed5));
            EXPECT_EQ(formatGeneral(c.value, 18, seps), local(c.general18));
        }
    }
    EXPECT_EQ(formatGeneral(6.525L, 15, germanSeparators), "6,525");
    EXPECT_EQ(formatGeneral(1.0L / 3, 7, pointSeparators), "0.3333333");
    // More digits than a 64-byte buffer holds ran past its end.
    EXPECT_EQ(formatGeneral(1.0L / 3, 70, pointSeparators),
              "0.33333333333333333334236835143737920361672877334058284759521484375");
    EXPECT_EQ(formatGeneral(-std::ldexp(1.0L, -30), 64, germanSeparators), "-9,31322574615478515625E-10");
    // No digits at all asked for: one digit, not printf's default six.
    EXPECT_EQ(formatGeneral(1234.5L, 0, pointSeparators), "1E+03");
    EXPECT_EQ(formatGeneral(1234.5L, -3, pointSeparators), "1E+03");
}

} // namespace
} // namespace zelv
