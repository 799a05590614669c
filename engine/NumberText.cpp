#include "NumberText.h"

#include "Exception.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
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

Extended textToFloat(std::string_view text, Separators separators)
{
    Extended value = 0;
    if (!tryTextToFloat(text, separators, value))
        throwConvertError(text);
    return value;
}

} // namespace zelv
