// The number texts' whole-number arithmetic against the C library it stands
// in for: printf's "%.*Lf" and "%.17Le" digits and strtold's value, on edge
// rows and on many values from a fixed seed, bit for bit.  The field's value
// after writing is then checked against its own definition, the text round
// trip.
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace zelv {
namespace {

std::string printed(const char* format, int decimals, Extended value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, decimals, value);
    return buffer;
}

bool sameBits(Extended a, Extended b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

// Values across the fast ways' limits (2^-63..2^63, 1..10^18) and beyond:
// a random 64-bit mantissa at a random binary exponent, either sign; few
// fraction bits make exact halves common.
std::vector<Extended> sampleValues()
{
    std::mt19937_64 random(20261210);
    std::vector<Extended> values;
    for (int i = 0; i < 100'000; ++i) {
        const auto mantissa = static_cast<Extended>(random() | 1);
        const int exponent = static_cast<int>(random() % 140) - 130; // 2^-130 .. 2^73
        const Extended value = std::ldexp(mantissa, exponent);
        values.push_back(random() % 2 ? -value : value);
    }
    return values;
}

TEST(NumberTextAgainstLibc, FixedDecimalsArePrintfs)
{
    const struct {
        Extended value;
        int decimals;
    } edges[] = {
        {0.125L, 2}, {0.375L, 2}, {2.5L, 0}, {3.5L, 0},        // exact halves go to the even digit
        {-0.0L, 3},  {-0.0001L, 2}, {0.0L, 0},                  // the sign of a zero stays
        {9.9999999999L, 5}, {999999.9999995L, 6},               // carries into a new digit
        {9223372036854775807.0L, 0}, {18446744073709551615.0L, 2}, // at and past 64 bits
        {1e-20L, 19}, {1e-19L, 20}, {50.41484L, 5}, {-33.924866L, 5},
    };
    for (const auto& e : edges)
        EXPECT_EQ(formatFixed(e.value, e.decimals, pointSeparators), printed("%.*Lf", e.decimals, e.value))
            << static_cast<double>(e.value) << " to " << e.decimals;
    int decimals = 0;
    for (const Extended value : sampleValues()) {
        decimals = (decimals + 7) % 22;
        ASSERT_EQ(formatFixed(value, decimals, pointSeparators), printed("%.*Lf", decimals, value))
            << printed("%.*La", 20, value) << " to " << decimals;
    }
}

TEST(NumberTextAgainstLibc, PatternKeepsPrintfsEighteenDigits)
{
    // With one pattern decimal for every decimal of the 18 significant
    // digits, the pattern writes exactly printf's "%.17Le" mantissa.
    std::vector<Extended> values = sampleValues();
    values.insert(values.end(), {1.0L, 9.99999999999999999949L, 99999999999999999.95L, 999999999999999999.0L,
                                 1e18L, 10.76943L, 123456.789L});
    for (const Extended value : values) {
        const Extended magnitude = std::fabs(value);
        if (!(magnitude >= 1e-4L && magnitude < 1e21L))
            continue;
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
        const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
        std::string digits;
        for (const char* p = buffer; *p != 'e'; ++p)
            if (*p != '.')
                digits += *p;
        std::string expected;
        if (exponent >= 0) {
            digits.resize(std::max<std::size_t>(digits.size(), static_cast<std::size_t>(exponent) + 1), '0');
            expected = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + '.'
                       + digits.substr(static_cast<std::size_t>(exponent) + 1);
        } else {
            expected = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
        expected.erase(expected.find_last_not_of('0') + 1);
        if (expected.back() == '.')
            expected.pop_back();
        const unsigned decimals = static_cast<unsigned>(std::max(0, 17 - exponent));
        ASSERT_EQ(formatPattern(magnitude, editPattern(decimals), pointSeparators), expected) << buffer;
    }
}

TEST(NumberTextAgainstLibc, ReadValueIsStrtolds)
{
    const std::string edges[] = {
        "0", "-0", ".", "1", "0.1", "50.41484", "-33.924866", "12345678901234567890", // 20 digits
        "1234567890123456789",                                                        // 19 digits
        "0.0000000000000000000000000001", "9999999999999999999.9", "0.000000000000000000000000001",
        "00000000000000000000000001.5", "1e5", "1.5e-3", "1e", "4.9406564584124654e-324",
    };
    std::vector<std::string> texts(std::begin(edges), std::end(edges));
    std::mt19937_64 random(1210);
    for (int i = 0; i < 100'000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        const int integerDigits = static_cast<int>(random() % 14);
        const int fractionDigits = static_cast<int>(random() % 30);
        for (int d = 0; d < integerDigits; ++d)
            text += static_cast<char>('0' + random() % 10);
        if (fractionDigits > 0 || integerDigits == 0) {
            text += '.';
            for (int d = 0; d < fractionDigits; ++d)
                text += static_cast<char>('0' + (random() % 3 ? random() % 10 : 0));
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const std::optional<Extended> read = tryTextToFloat(text, pointSeparators);
        ASSERT_TRUE(read.has_value()) << text;
        // The C form: a digit before the point, which strtold needs for ".".
        const std::string c = "0" + (text[0] == '-' ? text.substr(1) : text);
        const Extended expected = std::strtold(c.c_str(), nullptr);
        ASSERT_TRUE(sameBits(*read, text[0] == '-' ? -expected : expected)) << text;
    }
}

// Past the largest value's digits a text is no number, as strtold's
// infinity is none; with an exponent it may still be one.
TEST(NumberTextAgainstLibc, DigitsBeyondTheLargestValue)
{
    const std::string one4932 = "1" + std::string(4932, '0');
    const std::string one4933 = "1" + std::string(4933, '0');
    const std::pair<std::string, bool> cases[] = {
        {one4932, true},
        {"000" + one4932, true},
        {"-" + one4932, true},
        {one4933, false},
        {one4933 + ".5", false},
        {one4933 + "e-10", true},
        {std::string(1 << 20, '1'), false},
    };
    for (const auto& [text, finite] : cases) {
        SCOPED_TRACE(text.substr(0, 12) + "... of " + std::to_string(text.size()));
        const std::optional<Extended> read = tryTextToFloat(text, pointSeparators);
        ASSERT_EQ(read.has_value(), finite);
        if (finite) {
            const std::string c = "0" + (text[0] == '-' ? text.substr(1) : text);
            const Extended expected = std::strtold(c.c_str(), nullptr);
            EXPECT_TRUE(sameBits(*read, text[0] == '-' ? -expected : expected));
        }
    }
}

TEST(NumberTextAgainstLibc, FieldValueIsTheTextRoundTrip)
{
    std::vector<Extended> values = sampleValues();
    values.insert(values.end(), {0.0L, -0.0L, 10.7694349L, 10.7694345L, -0.0000004L, 0.9999995L, 1.0000005L,
                                 179.9999995L, 1e18L, 999999999999.9999995L});
    unsigned decimals = 0;
    for (const Extended value : values) {
        decimals = (decimals + 5) % 19;
        const Extended expected = textToFloat(formatPattern(value, editPattern(decimals), pointSeparators),
                                              pointSeparators);
        ASSERT_TRUE(sameBits(valueHeldByField(value, decimals), expected))
            << printed("%.*La", 20, value) << " with " << decimals << " decimals";
    }
}

} // namespace
} // namespace zelv
