#include "NumberText.h"

#include "Exception.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <locale.h>

namespace zelv {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool tryTextToFloat(std::string_view text, Separators separators, Extended& value)
{
    std::size_t i = 0;
    std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    while (n > i && text[n - 1] == ' ')
        --n;

    // Rebuild the number in the C form that from_chars reads, so no locale
    // and no detour through double is involved.
    std::string plain;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool anyDigit = false;
    bool anySeparator = false;
    while (i < n && isDigit(text[i])) {
        plain += text[i++];
        anyDigit = true;
    }
    if (i < n && text[i] == separators.decimal) {
        anySeparator = true;
        plain += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            plain += text[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit && !anySeparator)
        return false;
    if (!anyDigit)
        plain = "0";
    else if (plain.front() == '.')
        plain.insert(plain.begin(), '0');
    if (plain.back() == '.')
        plain.pop_back();

    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        std::string exponent;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            exponent += text[i++];
        std::string digits;
        while (i < n && isDigit(text[i]))
            digits += text[i++];
        if (!digits.empty())
            plain += 'e' + exponent + digits;
    }
    if (i != n)
        return false;

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
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*Le", significantDigits - 1, value);
    std::string text(buffer, static_cast<std::size_t>(n));
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

Extended textToFloat(std::string_view text, Separators separators)
{
    Extended value = 0;
    if (!tryTextToFloat(text, separators, value))
        throwConvertError(text);
    return value;
}

} // namespace zelv
