// The number texts take a shortcut through integer arithmetic where it holds
// the work exactly and leave the rest to the C library.  Both ways must give
// the C library's results to the last digit and bit: printf's correctly
// rounded "%.*Lf" and "%.*Le", and strtold's correctly rounded value.

#include "NumberText.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

namespace zelv {
namespace {

std::string printfText(const char* format, int precision, long double value)
{
    std::string text(static_cast<std::size_t>(std::snprintf(nullptr, 0, format, precision, value)), '\0');
    std::snprintf(text.data(), text.size() + 1, format, precision, value);
    return text;
}

long double cValue(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return strtold_l(text.c_str(), nullptr, cLocale);
}

bool sameBits(long double a, long double b)
{
    // The 80 bits of the value; the rest of the storage is padding.
    return std::memcmp(&a, &b, 10) == 0;
}

// Values on both sides of every limit of the shortcut: ties of short
// binary fractions, integers of 19 and 20 digits, magnitudes below 0.01
// and beyond 2^127, and plain coordinates.
std::vector<long double> sampleValues()
{
    std::vector<long double> values = {
        0.5L, 1.5L, 2.5L, 0.125L, 0.375L, 1.005L, 0.015L, 10.76943L, 50.41484L, 59.95L,
        625712, 5586252, 6525.123L, 0.01L, 0.0099999L, 1e-5L, 1e-6L, 1e-30L,
        999999999999999999.5L, 1000000000000000005.0L, 1000000000000000015.0L, 1e19L, 9.5e18L,
        std::ldexp(1.0L, 127), std::ldexp(1.0L, 128), 3.4e38L, 1e300L, 1e-300L,
        9.9999999999999999999L, std::numeric_limits<long double>::max(),
        std::numeric_limits<long double>::denorm_min(),
    };
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 1500; ++i) {
        std::uint64_t mantissa = random() | (std::uint64_t(1) << 63);
        // A quarter with short mantissas, whose decimal forms end in exact ties.
        if (i % 4 == 0)
            mantissa >>= random() % 62;
        const int exponent = static_cast<int>(random() % 230) - 150;
        values.push_back(std::ldexp(static_cast<long double>(mantissa), exponent - 63));
        values.push_back(static_cast<long double>(random() % 10'000'000'000'000'000'000ULL) + 0.5L);
    }
    const std::size_t count = values.size();
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(-values[i]);
    values.push_back(0.0L);
    values.push_back(-0.0L);
    return values;
}

TEST(NumberTextExact, FixedFormRoundsTiesToEven)
{
    const struct {
        long double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.5L, 0, "0"},
        {1.5L, 0, "2"},
        {2.5L, 0, "2"},
        {-2.5L, 0, "-2"},
        {0.125L, 2, "0,12"},
        {0.375L, 2, "0,38"},
        {-0.0L, 3, "-0,000"},
        {-1e-30L, 5, "-0,00000"},
        {1000000000000000005.0L, 0, "1000000000000000005"},
        {50.41484L, 5, "50,41484"},
        {std::ldexp(1.0L, 127), 1, "170141183460469231731687303715884105728,0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals, germanSeparators), c.text)
            << static_cast<double>(c.value) << " with " << c.decimals;
}

TEST(NumberTextExact, FixedFormIsPrintfs)
{
    for (const long double value : sampleValues()) {
        for (int decimals = 0; decimals <= 20; ++decimals) {
            ASSERT_EQ(formatFixed(value, decimals, pointSeparators), printfText("%.*Lf", decimals, value))
                << printfText("%.*Le", 20, value) << " with " << decimals;
        }
    }
}

TEST(NumberTextExact, GeneralFormRoundsTiesToEven)
{
    EXPECT_EQ(formatGeneral(1000000000000000005.0L, 18, pointSeparators), "1E+18");
    EXPECT_EQ(formatGeneral(1000000000000000015.0L, 18, pointSeparators), "1.00000000000000002E+18");
    EXPECT_EQ(formatGeneral(2.5L, 1, pointSeparators), "2");
    EXPECT_EQ(formatGeneral(9.96L, 2, germanSeparators), "10");
}

TEST(NumberTextExact, GeneralFormHasPrintfsDigits)
{
    // Two texts of at most 18 significant digits denote the same number
    // exactly when they read back as the same extended value.
    for (const long double value : sampleValues()) {
        if (value == 0 || !std::isfinite(value))
            continue;
        for (int digits = 1; digits <= 18; ++digits) {
            const std::string text = formatGeneral(value, digits, pointSeparators);
            ASSERT_TRUE(sameBits(cValue(text), cValue(printfText("%.*Le", digits - 1, value))))
                << text << " for " << printfText("%.*Le", 20, value) << " with " << digits;
        }
    }
}

TEST(NumberTextExact, PatternsRoundOnEitherSideOfTheShortcut)
{
    // The 18 digits, rounded at the pattern's last digit: within 38 kept
    // digits and from 0.01 on by integers, else from printf's digits.
    const struct {
        long double value;
        const char* pattern;
        const char* text;
    } cases[] = {
        {9e19L, "0.000000000000000000", "90000000000000000000.000000000000000000"},
        {9e20L, "0.000000000000000000", "900000000000000000000.000000000000000000"},
        {0.0123456789L, "0.000", "0.012"},
        {0.00123456789L, "0.000", "0.001"},
        {0.0005L, "0.000", "0.001"},
        {0.015L, "0.00", "0.02"},
        {0.0095L, "0.00", "0.01"},
        {0.06L, "0.0", "0.1"},
        {0.04L, "0.0", "0.0"},
        {999.9999999L, ",0.000", "1,000.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPattern(c.value, c.pattern, pointSeparators), c.text) << c.pattern;
}

TEST(NumberTextExact, ReadingRoundsAsStrtold)
{
    const struct {
        const char* text;
        long double value;
    } cases[] = {
        {"0,1", 0.1L},
        {"10,76943", 10.76943L},
        {"-0", -0.0L},
        {"1234567890123456789", 1234567890123456789.0L},
        {"12345678901234567891", 12345678901234567891.0L},
        {"0,000000000000000000000000000001", 1e-30L},
        {"1e27", 1e27L},
        {"1e28", 1e28L},
        {"7e-27", 7e-27L},
        {"7e-28", 7e-28L},
        {"0e99999", 0.0L},
        {"1,5E+20", 1.5e20L},
    };
    for (const auto& c : cases) {
        long double value = 0;
        ASSERT_TRUE(tryTextToFloat(c.text, germanSeparators, value)) << c.text;
        EXPECT_TRUE(sameBits(value, c.value)) << c.text;
    }
}

TEST(NumberTextExact, ReadingIsStrtolds)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        // Up to 24 digits with the point anywhere, some with an exponent.
        std::string text = i % 5 == 0 ? "-" : "";
        const int length = 1 + static_cast<int>(random() % 24);
        const int point = static_cast<int>(random() % static_cast<unsigned>(length + 1));
        for (int k = 0; k < length; ++k) {
            if (k == point)
                text += '.';
            text += static_cast<char>('0' + (random() % 3 == 0 ? 0 : random() % 10));
        }
        if (i % 3 == 0) {
            text += 'e';
            text += std::to_string(static_cast<int>(random() % 70) - 35);
        }
        long double value = 0;
        ASSERT_TRUE(tryTextToFloat(text, pointSeparators, value)) << text;
        ASSERT_TRUE(sameBits(value, cValue(text))) << text;
    }
}

// Another rounding mode than the default: printf and strtold follow it, and
// so must the texts.
class RoundingMode {
public:
    explicit RoundingMode(int mode) { EXPECT_EQ(std::fesetround(mode), 0); }
    ~RoundingMode() { std::fesetround(FE_TONEAREST); }
};

TEST(NumberTextExact, OtherRoundingModesAreTheCLibrarys)
{
    {
        // 0.1L lies just above 0.1.
        RoundingMode upward(FE_UPWARD);
        EXPECT_EQ(formatFixed(0.1L, 2, pointSeparators), "0.11");
        EXPECT_EQ(formatGeneral(0.1L, 3, pointSeparators), "0.101");
    }
    RoundingMode downward(FE_DOWNWARD);
    long double value = 0;
    ASSERT_TRUE(tryTextToFloat("0.1", pointSeparators, value));
    EXPECT_LT(value, 0.1L);
    EXPECT_TRUE(sameBits(value, cValue("0.1")));
}

} // namespace
} // namespace zelv
