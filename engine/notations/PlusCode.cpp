#include "PlusCode.h"

#include "NotationText.h"

#include <cmath>
#include <string>

namespace zelv {

namespace {

constexpr std::string_view codeDigits = "23456789CFGHJMPQRVWX";
constexpr std::size_t fullLength = 8; // digits before the "+"
constexpr std::size_t pairDigits = 10;
constexpr std::size_t mostDigits = 15;

int digitValue(char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    const std::size_t value = codeDigits.find(c);
    return value == std::string_view::npos ? -1 : static_cast<int>(value);
}

bool isCodeCharacter(char c) { return digitValue(c) >= 0 || c == '0'; }

// Whether a code padded with "0" is shaped as one: an even number of digits,
// then "0" up to the "+", and nothing after it.
bool isPaddedShape(std::string_view before, std::string_view after)
{
    const std::size_t zeros = before.find('0');
    if (zeros == 0 || zeros % 2 != 0 || !after.empty())
        return false;
    return before.find_first_not_of('0', zeros) == std::string_view::npos;
}

} // namespace

FormResult<GeographicPoint> readPlusCode(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && isBlankOrNoBreakSpace(text[start]))
        ++start;
    // A code has sixteen characters at the most; a word of twice that is
    // none, however long it runs on.
    constexpr std::size_t longestWord = 32;
    std::size_t end = start;
    while (end < text.size() && !isBlankOrNoBreakSpace(text[end]))
        if (++end - start > longestWord)
            return {};
    const std::string_view code = text.substr(start, end - start);
    const std::size_t plus = code.find('+');
    if (plus == std::string_view::npos || code.find('+', plus + 1) != std::string_view::npos)
        return {};
    const std::string_view before = code.substr(0, plus);
    const std::string_view after = code.substr(plus + 1);
    for (const std::string_view part : {before, after})
        for (const char c : part)
            if (!isCodeCharacter(c))
                return {};
    if (before.size() < 2 || before.size() > fullLength || before.size() % 2 != 0
        || after.find('0') != std::string_view::npos)
        return {};

    if (before.find('0') != std::string_view::npos) {
        if (before.size() != fullLength || !isPaddedShape(before, after))
            return {};
        return refusalOf(RefusalKind::PlusCodeArea, code);
    }
    if (before.size() < fullLength) {
        // Short codes keep four or six digits before the "+"; two alone
        // ("22+22") are more likely a sum than a code.
        if (before.size() < 4 || after.size() < 2)
            return {};
        return refusalOf(RefusalKind::PlusCodeShort, text);
    }
    if (after.size() == 1)
        return refusalOf(RefusalKind::PlusCodeOneDigit, code);
    if (before.size() + after.size() > mostDigits)
        return refusalOf(RefusalKind::PlusCodeTooLong, code);
    if (digitValue(before[0]) > 8)
        return refusalOf(RefusalKind::PlusCodeLatitude, code);
    if (digitValue(before[1]) > 17)
        return refusalOf(RefusalKind::PlusCodeLongitude, code);

    // Whole cells, counted from the south-west corner of the globe: exact in
    // integers; only the last step divides.
    std::string digits(before);
    digits.append(after);
    long long latitudeCells = 0;
    long long longitudeCells = 0;
    long double latitudeCell = 400; // degrees; each pair divides by 20
    long double longitudeCell = 400;
    for (std::size_t i = 0; i < digits.size() && i < pairDigits; i += 2) {
        latitudeCells = latitudeCells * 20 + digitValue(digits[i]);
        longitudeCells = longitudeCells * 20 + digitValue(digits[i + 1]);
        latitudeCell /= 20;
        longitudeCell /= 20;
    }
    for (std::size_t i = pairDigits; i < digits.size(); ++i) {
        const int value = digitValue(digits[i]);
        latitudeCells = latitudeCells * 5 + value / 4;
        longitudeCells = longitudeCells * 4 + value % 4;
        latitudeCell /= 5;
        longitudeCell /= 4;
    }
    const long double latitude = -90 + (static_cast<long double>(latitudeCells) + 0.5L) * latitudeCell;
    const long double longitude = -180 + (static_cast<long double>(longitudeCells) + 0.5L) * longitudeCell;
    return GeographicPoint{static_cast<double>(longitude), static_cast<double>(latitude)};
}

} // namespace zelv
