#include "NumberText.h"

#include "Exception.h"
#include "TextUtil.h"

#include <array>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <algorithm>
#include <utility>
#include <vector>
#include <locale.h>

namespace zelv {

namespace {

constexpr std::array<std::uint64_t, 20> powersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (auto& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// magnitude x 10^decimals rounded to a whole number, an exact half to the
// even neighbour: what printf writes for the exact binary value in the
// default rounding mode, computed in whole numbers without printf, whose
// digit generation for long double dominates a list of conversions.  The
// 64 mantissa bits times 10^decimals fit 128 bits; nullopt where the value
// lies outside 2^-63..2^63, decimals outside 0..19 or the result beyond 64
// bits, and printf takes over.
std::optional<std::uint64_t> scaledExactly(Extended magnitude, int decimals)
{
    if (!(magnitude >= 0) || !std::isfinite(magnitude) || decimals < 0 || decimals > 19)
        return std::nullopt;
    if (magnitude == 0)
        return 0;
    // The x87 extended format: 64 mantissa bits with the leading one
    // explicit, then sign and exponent (bias 16383).  Read directly rather
    // than through frexp and ldexp, which cost as much as the rest here.
    static_assert(std::numeric_limits<Extended>::digits == 64 && sizeof(Extended) >= 10);
    std::uint64_t mantissa = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&mantissa, &magnitude, sizeof mantissa);
    std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&magnitude) + sizeof mantissa,
                sizeof signAndExponent);
    const int shift = 16383 + 63 - (signAndExponent & 0x7FFF); // magnitude = mantissa / 2^shift
    if (shift < 1 || shift > 127)
        return std::nullopt;
    using Wide = unsigned __int128;
    const Wide product = static_cast<Wide>(mantissa) * powersOfTen[static_cast<std::size_t>(decimals)];
    Wide whole = product >> shift;
    const Wide rest = product & ((Wide(1) << shift) - 1);
    const Wide half = Wide(1) << (shift - 1);
    if (rest > half || (rest == half && (whole & 1) != 0))
        ++whole;
    if (whole > UINT64_MAX)
        return std::nullopt;
    return static_cast<std::uint64_t>(whole);
}

// The 18 significant digits that "%.17Le" writes for a magnitude in
// [1, 10^18), as a whole number (10^18 when rounding carries into a 19th
// digit), and how many of them are decimals; nullopt elsewhere.
struct SignificantDigits {
    std::uint64_t digits;
    int decimals;
};
constexpr int significantCount = 18;

std::optional<SignificantDigits> eighteenDigits(Extended magnitude)
{
    if (!(magnitude >= 1 && magnitude < static_cast<Extended>(powersOfTen[significantCount])))
        return std::nullopt;
    int exponent = 0; // 10^exponent <= magnitude < 10^(exponent + 1); the powers are exact
    while (magnitude >= static_cast<Extended>(powersOfTen[static_cast<std::size_t>(exponent) + 1]))
        ++exponent;
    const int decimals = significantCount - 1 - exponent;
    if (const std::optional<std::uint64_t> digits = scaledExactly(magnitude, decimals))
        return SignificantDigits{*digits, decimals};
    return std::nullopt;
}

// 10^0..10^27 as extended values, all exact (5^27 still fits 64 bits).
// The most digits before the separator that a finite extended value has:
// 10^4932 is finite, 10^4933 is not.
constexpr std::size_t maxExtendedIntegerDigits = std::numeric_limits<Extended>::max_exponent10 + 1;

constexpr std::array<Extended, 28> extendedPowersOfTen = [] {
    std::array<Extended, 28> powers{};
    Extended power = 1;
    for (auto& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The digits of a number text as a whole number, while they fit 19 digits.
struct DecimalDigits {
    std::uint64_t whole = 0;
    int significant = 0;
    int decimals = 0;
    bool fits = true;

    void add(char digit, bool afterSeparator)
    {
        if (afterSeparator)
            ++decimals;
        if (whole == 0 && digit == '0')
            return;
        if (significant == 19) {
            fits = false;
            return;
        }
        whole = whole * 10 + static_cast<std::uint64_t>(digit - '0');
        ++significant;
    }

    // whole / 10^decimals: both exact, so the one division rounds as
    // strtold_l would, without its arbitrary-precision detour.
    std::optional<Extended> value() const
    {
        if (!fits || decimals >= static_cast<int>(extendedPowersOfTen.size()))
            return std::nullopt;
        return static_cast<Extended>(whole) / extendedPowersOfTen[static_cast<std::size_t>(decimals)];
    }
};

} // namespace

std::optional<Extended> tryTextToFloat(std::string_view whole, Separators separators)
{
    const std::string_view text = trimSpaces(whole);
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto digitsFrom = [&](std::size_t from) {
        while (i < n && isDigit(text[i]))
            ++i;
        return text.substr(from, i - from);
    };

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::string_view integer = digitsFrom(i);
    bool anySeparator = false;
    std::string_view fraction;
    if (i < n && text[i] == separators.decimal) {
        anySeparator = true;
        fraction = digitsFrom(++i);
    }
    if (integer.empty() && fraction.empty() && !anySeparator)
        return std::nullopt;
    std::string_view exponentSign;
    std::string_view exponent;
    const bool anyExponent = i < n && (text[i] == 'e' || text[i] == 'E');
    if (anyExponent) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            exponentSign = text.substr(i++, 1);
        exponent = digitsFrom(i);
    }
    if (i != n)
        return std::nullopt;

    if (!anyExponent) {
        DecimalDigits digits;
        for (const char c : integer)
            digits.add(c, false);
        for (const char c : fraction)
            digits.add(c, true);
        if (const std::optional<Extended> value = digits.value())
            return negative ? -*value : *value;
    }

    // Without an exponent, more significant digits before the separator
    // than the largest extended value has are infinite: no need to hand a
    // megabyte of digits to strtold_l.
    if (!anyExponent) {
        const std::size_t leadingZeros = std::min(integer.find_first_not_of('0'), integer.size());
        if (integer.size() - leadingZeros > maxExtendedIntegerDigits)
            return std::nullopt;
    }

    // The number in the C form, so no locale and no detour through double
    // is involved; the leading zero makes ".5" and a lone separator numbers,
    // and an exponent without digits is left out ("1e" is 1).
    std::string plain;
    plain.reserve(integer.size() + fraction.size() + exponent.size() + 4);
    plain += '0';
    plain += integer;
    if (!fraction.empty()) {
        plain += '.';
        plain += fraction;
    }
    if (!exponent.empty()) {
        plain += 'e';
        plain += exponentSign;
        plain += exponent;
    }
    // strtold_l under the C locale: exact to the last bit of the extended
    // value and independent of the process locale that Qt sets.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    char* end = nullptr;
    const Extended result = strtold_l(plain.c_str(), &end, cLocale);
    if (end != plain.c_str() + plain.size() || std::isinf(result))
        return std::nullopt;
    return negative ? -result : result;
}

void throwConvertError(std::string_view text)
{
    // In one piece: the text may be a megabyte long.
    constexpr std::string_view tail = "' ist kein g\xFCltiger Gleitkommawert";
    std::string message;
    message.reserve(text.size() + tail.size() + 1);
    message += '\'';
    message += text;
    message += tail;
    throw EConvertError(std::move(message));
}

std::string formatFixed(Extended value, int decimals, Separators separators)
{
    if (const std::optional<std::uint64_t> scaled = scaledExactly(std::fabs(value), decimals)) {
        const std::uint64_t unit = powersOfTen[static_cast<std::size_t>(decimals)];
        std::string text = std::signbit(value) ? "-" : "";
        text += std::to_string(*scaled / unit);
        if (decimals > 0) {
            const std::string fraction = std::to_string(*scaled % unit);
            text += separators.decimal;
            text.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
            text += fraction;
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
    significantDigits = std::max(significantDigits, 1);
    // Round once to the significant digits, then lay the digits out.  Many
    // digits do not fit the buffer; snprintf then says how many there are.
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*Le", significantDigits - 1, value);
    std::string text;
    if (n >= static_cast<int>(sizeof buffer)) {
        text.resize(static_cast<std::size_t>(n));
        std::snprintf(text.data(), text.size() + 1, "%.*Le", significantDigits - 1, value);
    } else {
        text.assign(buffer, static_cast<std::size_t>(n));
    }
    const bool negative = text.front() == '-';
    if (negative)
        text.erase(0, 1);
    const std::size_t ePos = text.find_first_of("eE");
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            digits += text[i];
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

// The 18 significant digits of "%.17Le" for a magnitude above 0, and how
// many of them stand before the decimal point.
std::pair<std::string, int> significantDigits(Extended magnitude)
{
    if (const std::optional<SignificantDigits> fast = eighteenDigits(magnitude)) {
        const int before = significantCount - fast->decimals;
        // A carry into a 19th digit: 9.99... becomes 1.00...e+01.
        if (fast->digits == powersOfTen[significantCount])
            return {"1" + std::string(significantCount - 1, '0'), before + 1};
        return {std::to_string(fast->digits), before};
    }
    // The 18 digits of a value above this one round up past the largest
    // value, and such a text would not convert back; those values are
    // written as this one.
    constexpr Extended largestEighteenDigits = 1.18973149535723176e4932L;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", std::min(magnitude, largestEighteenDigits));
    const char* e = std::strchr(buffer, 'e');
    std::string digits;
    for (const char* p = buffer; p != e; ++p)
        if (isDigit(*p))
            digits += *p;
    return {digits, std::atoi(e + 1) + 1};
}

RoundedDigits roundDecimal(Extended magnitude, int decimals)
{
    RoundedDigits result;
    if (magnitude == 0) {
        result.fraction.assign(static_cast<std::size_t>(decimals), '0');
        return result;
    }
    auto [digits, pointPos] = significantDigits(magnitude);
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

Extended valueHeldByField(Extended value, unsigned decimalPlaces)
{
    // The two roundings of formatPattern in whole numbers: to 18
    // significant digits (as printf), then at the field's decimals on the
    // first dropped digit, halves away from zero.  The quotient of two exact
    // whole numbers then rounds as textToFloat reads the text.
    const std::optional<SignificantDigits> fast = eighteenDigits(std::fabs(value));
    if (fast && decimalPlaces < static_cast<unsigned>(significantCount)) {
        std::uint64_t kept = fast->digits;
        int keptDecimals = fast->decimals;
        if (keptDecimals > static_cast<int>(decimalPlaces)) {
            const std::uint64_t dropped = powersOfTen[static_cast<std::size_t>(keptDecimals) - decimalPlaces];
            kept = fast->digits / dropped;
            if (fast->digits % dropped / (dropped / 10) >= 5)
                ++kept;
            keptDecimals = static_cast<int>(decimalPlaces);
        }
        const Extended held =
            static_cast<Extended>(kept) / extendedPowersOfTen[static_cast<std::size_t>(keptDecimals)];
        return std::signbit(value) ? -held : held;
    }
    return textToFloat(formatPattern(value, editPattern(decimalPlaces), pointSeparators), pointSeparators);
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
    std::string out;
    for (const char c : trimSpaces(text)) {
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
    const std::optional<Extended> value = tryTextToFloat(std::string_view(text).substr(0, 63), separators);
    if (!value)
        return false;
    return !(minValue >= 0 && maxValue > 0 && *value < 0);
}

Extended textToFloat(std::string_view text, Separators separators)
{
    const std::optional<Extended> value = tryTextToFloat(text, separators);
    if (!value)
        throwConvertError(text);
    return *value;
}

} // namespace zelv
