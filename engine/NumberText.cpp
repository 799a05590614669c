#include "NumberText.h"

#include "Exception.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <array>
#include <limits>
#include <vector>
#include <locale.h>
#if defined(__x86_64__) || defined(__i386__)
#include <fpu_control.h>
#endif

namespace zelv {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// ---- Exact decimal arithmetic on extended values ---------------------------
//
// printf and strtold convert through multi-precision arithmetic, and every
// field read and write of the window went through them several times.  Where
// a number fits into 128-bit integers the same correctly rounded result comes
// out of a few integer operations; everything else still goes through the C
// library.

__extension__ typedef unsigned __int128 Uint128;

// The integer shortcuts reproduce the C library's results only for the x87
// extended format under its default control word: round to nearest (ties to
// even, as printf rounds the exact value and strtold the exact decimal) and
// full 64-bit precision (for the one multiplication or division of a parse).
bool defaultFloatingPointMode()
{
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (std::numeric_limits<Extended>::digits != 64)
        return false;
    fpu_control_t cw;
    _FPU_GETCW(cw);
    return (cw & (_FPU_RC_ZERO | _FPU_EXTENDED)) == (_FPU_RC_NEAREST | _FPU_EXTENDED);
#else
    return false;
#endif
}

constexpr int maxPow10 = 38;   // 10^38 < 2^127

constexpr auto powersOf10 = [] {
    std::array<Uint128, maxPow10 + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= maxPow10; ++i)
        p[static_cast<std::size_t>(i)] = p[static_cast<std::size_t>(i) - 1] * 10;
    return p;
}();

Uint128 pow10(int n) { return powersOf10[static_cast<std::size_t>(n)]; }

// The powers of ten that the 64-bit mantissa holds exactly (5^27 < 2^64).
constexpr int maxExactPow10 = 27;
constexpr auto extendedPowersOf10 = [] {
    std::array<Extended, maxExactPow10 + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= maxExactPow10; ++i)
        p[static_cast<std::size_t>(i)] = p[static_cast<std::size_t>(i) - 1] * 10;
    return p;
}();

int bitLength(Uint128 n)
{
    const auto high = static_cast<std::uint64_t>(n >> 64);
    if (high)
        return 128 - __builtin_clzll(high);
    const auto low = static_cast<std::uint64_t>(n);
    return low ? 64 - __builtin_clzll(low) : 0;
}

// magnitude * 10^power as an integer part and whether rounding it to
// nearest, ties to even, goes one up; for a finite magnitude >= 0.  False
// where 128 bits don't hold the work exactly.
struct Scaled {
    Uint128 whole = 0;
    bool up = false;
    Uint128 rounded() const { return up ? whole + 1 : whole; }
};

bool scaleExactly(Extended magnitude, int power, Scaled& result)
{
    result = {};
    if (magnitude == 0)
        return true;
    if (power > 19 || power < -maxPow10)
        return false;
    // magnitude = mantissa * 2^exponent exactly, with a 64-bit mantissa.
    int binaryExponent = 0;
    const Extended fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    const int exponent = binaryExponent - 64;

    Uint128 n = mantissa;
    if (power > 0)
        n *= pow10(power);   // below 2^64 * 10^19 < 2^128
    if (exponent > 0) {
        if (bitLength(n) + exponent > 127)
            return false;
        n <<= exponent;
    }
    if (power >= 0 && exponent >= 0) {
        result.whole = n;
        return true;
    }
    // n / d with d = 2^-exponent, or 10^-power * 2^-exponent.
    Uint128 r = 0;
    Uint128 d = 0;
    if (power >= 0) {
        const int shift = -exponent;
        if (shift > 127)
            return false;
        d = Uint128(1) << shift;
        result.whole = n >> shift;
        r = n & (d - 1);
    } else {
        d = pow10(-power);
        if (exponent < 0) {
            if (bitLength(d) - exponent > 127)
                return false;
            d <<= -exponent;
        }
        result.whole = n / d;
        r = n % d;
    }
    result.up = r > d - r || (r == d - r && (result.whole & 1));
    return true;
}

// The decimal digits of n, at least minDigits of them (leading zeros).
std::string decimalDigits(Uint128 n, std::size_t minDigits)
{
    char buffer[48];
    char* end = buffer + sizeof buffer;
    char* p = end;
    auto writeWord = [&p](std::uint64_t word, bool full) {
        // full: exactly 19 digits, for the low word of a split number
        for (int i = 0; full ? i < 19 : word != 0; ++i) {
            *--p = static_cast<char>('0' + word % 10);
            word /= 10;
        }
    };
    constexpr std::uint64_t word = 10'000'000'000'000'000'000ULL;
    if (n >= word) {
        writeWord(static_cast<std::uint64_t>(n % word), true);
        writeWord(static_cast<std::uint64_t>(n / word), false);
    } else {
        writeWord(static_cast<std::uint64_t>(n), false);
    }
    std::string digits;
    const auto count = static_cast<std::size_t>(end - p);
    if (count < minDigits)
        digits.assign(minDigits - count, '0');
    digits.append(p, end);
    return digits;
}

// The significant digits of a positive finite magnitude as "%.*Le" writes
// them, when the integer arithmetic can: exactly `count` digits as an
// integer, and the decimal exponent of the first.
struct ExactDecimal {
    std::uint64_t digits = 0;
    int exponent = 0;
};

bool exactSignificantDigits(Extended magnitude, int count, ExactDecimal& out)
{
    if (count < 1 || count > 19 || !defaultFloatingPointMode())
        return false;
    int binaryExponent = 0;
    std::frexp(magnitude, &binaryExponent);
    // magnitude >= 2^(binaryExponent - 1): a first guess at the decimal
    // exponent that is never too large, and at most one too small.
    int exponent = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398119521));
    const Uint128 lowest = pow10(count - 1);
    const Uint128 limit = pow10(count);
    Scaled scaled;
    if (!scaleExactly(magnitude, count - 1 - exponent, scaled)) {
        // Just beyond the shortcut's edge the guess may be the one too
        // small: the next is right if the magnitude reaches its power of ten.
        ++exponent;
        if (!scaleExactly(magnitude, count - 1 - exponent, scaled) || scaled.whole < lowest)
            return false;
    }
    // printf's exponent is the smallest whose rounded digits stay below
    // `limit`; a carry out of the last digit moves it up by one.
    while (scaled.rounded() >= limit) {
        ++exponent;
        if (!scaleExactly(magnitude, count - 1 - exponent, scaled))
            return false;
    }
    if (scaled.rounded() < lowest)
        return false;   // not from a guess that is never too large
    out.digits = static_cast<std::uint64_t>(scaled.rounded());
    out.exponent = exponent;
    return true;
}

} // namespace

bool tryTextToFloat(std::string_view text, Separators separators, Extended& value)
{
    std::size_t i = 0;
    std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    while (n > i && text[n - 1] == ' ')
        --n;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // The digits up to 19 significant ones as an integer, for the shortcut.
    std::uint64_t mantissa = 0;
    int significant = 0;
    int scale = 0;   // decimal exponent of the mantissa's last digit
    auto takeDigit = [&](char c, bool fraction) {
        if (mantissa == 0 && c == '0') {
            if (fraction)
                --scale;
            return;
        }
        if (++significant <= 19) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (fraction)
                --scale;
        }
    };
    const std::size_t integerBegin = i;
    while (i < n && isDigit(text[i]))
        takeDigit(text[i++], false);
    const std::size_t integerEnd = i;
    std::size_t fractionBegin = i;
    std::size_t fractionEnd = i;
    bool anySeparator = false;
    if (i < n && text[i] == separators.decimal) {
        anySeparator = true;
        fractionBegin = ++i;
        while (i < n && isDigit(text[i]))
            takeDigit(text[i++], true);
        fractionEnd = i;
    }
    const bool anyDigit = integerEnd > integerBegin || fractionEnd > fractionBegin;
    if (!anyDigit && !anySeparator)
        return false;

    // An exponent without digits counts for nothing ("1e" is 1).
    std::string_view exponentSign;
    std::string_view exponentDigits;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            exponentSign = text.substr(i++, 1);
        const std::size_t begin = i;
        while (i < n && isDigit(text[i]))
            ++i;
        exponentDigits = text.substr(begin, i - begin);
    }
    if (i != n)
        return false;

    // Up to 19 digits and a power of ten up to 10^27 are both exact in the
    // 64-bit mantissa, so one multiplication or division rounds exactly once,
    // to the value strtold gives.
    if (significant <= 19 && exponentDigits.size() <= 4 && defaultFloatingPointMode()) {
        int exponent = 0;
        for (const char c : exponentDigits)
            exponent = exponent * 10 + (c - '0');
        if (exponentSign == "-")
            exponent = -exponent;
        const int power = scale + exponent;
        if (mantissa == 0 || (power >= -maxExactPow10 && power <= maxExactPow10)) {
            Extended result = static_cast<Extended>(mantissa);
            if (mantissa != 0 && power != 0) {
                const Extended factor = extendedPowersOf10[static_cast<std::size_t>(power < 0 ? -power : power)];
                result = power < 0 ? result / factor : result * factor;
            }
            value = negative ? -result : result;
            return true;
        }
    }

    // Otherwise the number in the C form, so no locale and no detour through
    // double is involved.
    std::string plain(text.substr(integerBegin, integerEnd - integerBegin));
    if (plain.empty())
        plain.push_back('0');
    if (fractionEnd > fractionBegin) {
        plain += '.';
        plain.append(text.substr(fractionBegin, fractionEnd - fractionBegin));
    }
    if (!exponentDigits.empty()) {
        plain += 'e';
        plain.append(exponentSign);
        plain.append(exponentDigits);
    }

    // strtold_l under the C locale: exact to the last bit of the extended
    // value and independent of the process locale that Qt sets.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    char* end = nullptr;
    const Extended result = strtold_l(plain.c_str(), &end, cLocale);
    if (end != plain.c_str() + plain.size() || std::isinf(result))
        return false;
    value = negative ? -result : result;
    return true;
}

void throwConvertError(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' ist kein g\xFCltiger Gleitkommawert");
}

std::string formatFixed(Extended value, int decimals, Separators separators)
{
    Scaled scaled;
    if (std::isfinite(value) && decimals >= 0 && decimals <= 19 && defaultFloatingPointMode()
        && scaleExactly(std::fabs(value), decimals, scaled)) {
        const auto d = static_cast<std::size_t>(decimals);
        std::string text = std::signbit(value) ? "-" : "";
        const std::string digits = decimalDigits(scaled.rounded(), d + 1);
        text.append(digits, 0, digits.size() - d);
        if (d > 0) {
            text += separators.decimal;
            text.append(digits, digits.size() - d, d);
        }
        return text;
    }
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    std::string text;
    if (n < 0 || n >= static_cast<int>(sizeof buffer)) {
        std::vector<char> large(static_cast<std::size_t>(n > 0 ? n : 0) + 1);
        std::snprintf(large.data(), large.size(), "%.*Lf", decimals, value);
        text = large.data();
    } else {
        text = buffer;
    }
    // snprintf follows the process locale; take whichever point it wrote.
    for (char& c : text)
        if (c == '.' || c == ',')
            c = separators.decimal;
    return text;
}

std::string formatGeneral(Extended value, int significantDigits, Separators separators)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // Round once to the significant digits, then lay the digits out.
    const bool negative = std::signbit(value);
    std::string digits;
    int exponent = 0;
    ExactDecimal exact;
    if (exactSignificantDigits(std::fabs(value), significantDigits, exact)) {
        digits = decimalDigits(exact.digits, static_cast<std::size_t>(significantDigits));
        exponent = exact.exponent;
    } else {
        char buffer[64];
        const int n = std::snprintf(buffer, sizeof buffer, "%.*Le", significantDigits - 1, value);
        std::string text(buffer, static_cast<std::size_t>(n));
        if (negative)
            text.erase(0, 1);
        const std::size_t ePos = text.find_first_of("eE");
        exponent = std::atoi(text.c_str() + ePos + 1);
        for (std::size_t i = 0; i < ePos; ++i)
            if (text[i] >= '0' && text[i] <= '9')
                digits += text[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent < -5 || exponent >= significantDigits) {
        out = digits.substr(0, 1);
        if (digits.size() > 1)
            out += separators.decimal + digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
        out += e;
    } else if (exponent < 0) {
        out = "0";
        out += separators.decimal;
        out += std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out = digits + std::string(intDigits - digits.size(), '0');
        } else {
            out = digits.substr(0, intDigits);
            out += separators.decimal;
            out += digits.substr(intDigits);
        }
    }
    return negative ? "-" + out : out;
}

namespace {

// One section of a pattern, read once.
struct PatternSection {
    std::string prefix;
    std::string suffix;
    int minIntegerDigits = 0;   // placeholders from the first integer "0" on
    int decimals = 0;           // placeholders after the "."
    int minDecimals = 0;        // decimals up to the last "0" after the "."
    bool grouping = false;
    bool hasZero = false;
};

PatternSection readSection(std::string_view section)
{
    PatternSection result;
    bool inNumber = false;      // a placeholder or the "." has been seen
    bool afterPoint = false;
    bool integerZeroSeen = false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        std::string literal;
        if (c == '\'' || c == '"') {
            const std::size_t close = section.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? section.size() : close;
            literal = std::string(section.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '0' || c == '#') {
            inNumber = true;
            if (c == '0')
                result.hasZero = true;
            if (afterPoint) {
                ++result.decimals;
                if (c == '0')
                    result.minDecimals = result.decimals;
            } else {
                if (c == '0')
                    integerZeroSeen = true;
                if (integerZeroSeen)
                    ++result.minIntegerDigits;
            }
            continue;
        } else if (c == '.') {
            inNumber = true;
            afterPoint = true;
            continue;
        } else if (c == ',') {
            result.grouping = true;
            continue;
        } else {
            literal = std::string(1, c);
        }
        (inNumber ? result.suffix : result.prefix) += literal;
    }
    return result;
}

// The sections of a pattern, split at ";" outside quotes.
std::vector<std::string_view> splitSections(std::string_view pattern)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

// |value| rounded to `decimals` decimals, halves away from zero, as digit
// strings: the integer digits without leading zeros and exactly `decimals`
// decimal digits.  The rounding works on the 18 significant digits that
// "%.17Le" gives, so a long double is never squeezed through a double and a
// value such as 1.005 rounds the way its decimal form reads.
struct RoundedDigits {
    std::string integer;
    std::string fraction;
    bool isZero() const
    {
        return integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
    }
};

RoundedDigits roundDecimal(Extended magnitude, int decimals)
{
    RoundedDigits result;
    if (magnitude == 0) {
        result.fraction.assign(static_cast<std::size_t>(decimals), '0');
        return result;
    }
    ExactDecimal exact;
    if (decimals <= maxPow10 && exactSignificantDigits(magnitude, 18, exact)) {
        // The same rounding on the integer of the 18 digits: `keep` of them
        // stay, the first one dropped decides.
        const int keep = exact.exponent + 1 + decimals;
        Uint128 kept = 0;   // the rounded number in units of 10^-decimals
        bool exactKept = true;
        if (keep >= 0 && keep < 18) {
            const std::uint64_t unit = static_cast<std::uint64_t>(pow10(18 - keep));
            kept = exact.digits / unit + (exact.digits % unit >= unit / 2 ? 1 : 0);
        } else if (keep >= 18) {
            exactKept = keep <= maxPow10;
            if (exactKept)
                kept = Uint128(exact.digits) * pow10(keep - 18);
        }
        if (exactKept) {
            const Uint128 unit = pow10(decimals);
            const Uint128 integer = kept / unit;
            result.integer = integer == 0 ? std::string() : decimalDigits(integer, 0);
            result.fraction = decimalDigits(kept % unit, static_cast<std::size_t>(decimals));
            return result;
        }
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    const char* e = std::strchr(buffer, 'e');
    std::string digits;
    for (const char* p = buffer; p != e; ++p)
        if (isDigit(*p))
            digits += *p;
    int pointPos = std::atoi(e + 1) + 1;   // digits in front of the decimal point
    const long keep = static_cast<long>(pointPos) + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<long>(digits.size())) {
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9')
                digits[--i] = '0';
            if (i > 0) {
                ++digits[i - 1];
            } else {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            }
        }
    } else {
        digits.append(static_cast<std::size_t>(keep) - digits.size(), '0');
    }
    if (digits.empty()) {
        result.fraction.assign(static_cast<std::size_t>(decimals), '0');
        return result;
    }
    if (pointPos <= 0) {
        result.fraction = std::string(static_cast<std::size_t>(-pointPos), '0') + digits;
    } else {
        result.integer = digits.substr(0, static_cast<std::size_t>(pointPos));
        result.fraction = digits.substr(static_cast<std::size_t>(pointPos));
    }
    const std::size_t firstNonZero = result.integer.find_first_not_of('0');
    result.integer.erase(0, firstNonZero == std::string::npos ? result.integer.size() : firstNonZero);
    result.fraction.resize(static_cast<std::size_t>(decimals), '0');
    return result;
}

std::string insertGroupSeparators(const std::string& integer, char group)
{
    std::string out;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out += group;
        out += integer[i];
    }
    return out;
}

std::string writeSection(const PatternSection& section, const RoundedDigits& rounded,
                         Separators separators)
{
    if (!section.hasZero && rounded.isZero())
        return {};
    std::string integer = rounded.integer;
    if (static_cast<int>(integer.size()) < section.minIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(section.minIntegerDigits) - integer.size(), '0');
    if (section.grouping)
        integer = insertGroupSeparators(integer, separators.group);
    std::string fraction = rounded.fraction;
    while (static_cast<int>(fraction.size()) > section.minDecimals && fraction.back() == '0')
        fraction.pop_back();
    std::string out = section.prefix + integer;
    if (!fraction.empty())
        out += separators.decimal + fraction;
    return out + section.suffix;
}

} // namespace

std::string formatPattern(Extended value, std::string_view pattern, Separators separators)
{
    if (!std::isfinite(value))
        return formatGeneral(value, 15, separators);
    const auto sections = splitSections(pattern);
    const PatternSection positive = readSection(sections[0]);
    const Extended magnitude = std::fabs(value);
    const RoundedDigits rounded = roundDecimal(magnitude, positive.decimals);
    const bool negative = std::signbit(value) && (value == 0 || !rounded.isZero());
    if (!negative)
        return writeSection(positive, rounded, separators);
    if (sections.size() > 1 && !sections[1].empty()) {
        const PatternSection negativeSection = readSection(sections[1]);
        return writeSection(negativeSection, roundDecimal(magnitude, negativeSection.decimals),
                            separators);
    }
    const std::string text = writeSection(positive, rounded, separators);
    return text.empty() ? text : "-" + text;
}

std::string formatDisplay(Extended value, std::string_view pattern, Separators separators)
{
    if (!pattern.empty())
        return formatPattern(value, pattern, separators);
    if (value == 0 && std::signbit(value))
        return "-0";
    return formatGeneral(value, 15, separators);
}

std::string editPattern(unsigned decimalPlaces)
{
    std::string pattern = "0";
    if (decimalPlaces > 0) {
        pattern += '.';
        pattern.append(decimalPlaces, '#');
    }
    return pattern;
}

std::string currencyPattern(std::string_view symbol, unsigned decimals, int placement)
{
    std::string quoted;
    for (const char c : symbol) {
        if (c == ',' || c == '.')
            quoted += std::string("'") + c + "'";
        else
            quoted += c;
    }
    const std::string number = ",0." + std::string(decimals, '0');
    std::string p;
    switch (placement) {
    case 0: p = quoted + number; break;
    case 1: p = number + quoted; break;
    case 2: p = quoted + " " + number; break;
    default: p = number + " " + quoted; break;
    }
    return p + ";-" + p;
}

std::string normalizeNumberText(std::string_view text, Separators separators)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    std::string out;
    for (const char c : text.substr(begin, end - begin)) {
        if (separators.decimal != separators.group && c == separators.group)
            continue;
        if ((c == '.' || c == ',') && c != separators.decimal && c != separators.group)
            out += separators.decimal;
        else
            out += c;
    }
    if (out.empty())
        return "0";
    if (out == "-")
        return "-0";
    return out;
}

std::string groupDigits(std::string_view text, bool grouping, Separators separators)
{
    if (!grouping)
        return std::string(text);
    std::string sign;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        sign = text[0];
        text.remove_prefix(1);
    }
    std::size_t integerEnd = text.find(separators.decimal);
    integerEnd = std::min(integerEnd, text.find_first_of("Ee"));
    if (integerEnd == std::string_view::npos)
        integerEnd = text.size();
    return sign + insertGroupSeparators(std::string(text.substr(0, integerEnd)), separators.group)
        + std::string(text.substr(integerEnd));
}

Extended applyBounds(Extended value, Extended minValue, Extended maxValue)
{
    if (minValue == maxValue)
        return value;
    if (minValue < maxValue) {
        if (value < minValue)
            return minValue;
        if (value > maxValue)
            return maxValue;
        return value;
    }
    if (maxValue == 0)
        return value < minValue ? minValue : value;
    if (minValue == 0)
        return value > maxValue ? maxValue : value;
    return value;
}

Extended requireWithinBounds(Extended value, Extended minValue, Extended maxValue,
                             unsigned decimals, Separators separators)
{
    if (applyBounds(value, minValue, maxValue) != value) {
        const int d = static_cast<int>(decimals);
        throw ERangeError("Wert mu\xDF zwischen " + formatFixed(minValue, d, separators) + " und "
                          + formatFixed(maxValue, d, separators) + " liegen");
    }
    return value;
}

bool isAcceptableTyping(std::string_view candidate, unsigned decimals, Extended minValue,
                        Extended maxValue, Separators separators)
{
    const std::string text = normalizeNumberText(candidate, separators);
    const std::size_t point = text.find(separators.decimal);
    if (point != std::string::npos) {
        std::size_t end = text.find_first_of("Ee", point + 1);
        if (end == std::string::npos)
            end = text.size();
        if (end - point - 1 > decimals)
            return false;
    }
    for (const char c : text)
        if (!(c == separators.decimal || c == '+' || c == '-' || isDigit(c) || c == 'E' || c == 'e'))
            return false;
    Extended value = 0;
    if (!tryTextToFloat(std::string_view(text).substr(0, 63), separators, value))
        return false;
    return !(minValue >= 0 && maxValue > 0 && value < 0);
}

Extended textToFloat(std::string_view text, Separators separators)
{
    Extended value = 0;
    if (!tryTextToFloat(text, separators, value))
        throwConvertError(text);
    return value;
}

} // namespace zelv
