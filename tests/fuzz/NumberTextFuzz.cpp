// libFuzzer harness for the number texts.  The input is three control bytes,
// ten bytes of an 80-bit value and then "text\npattern": the text goes
// through the conversions and the typing test, the pattern through the
// display formatting.  Under either separator set:
// - formatting never crashes, whatever the value, digits, decimals or
//   pattern;
// - a text that converts gives the same value with the separators swapped
//   under the other set;
// - a converted value, written with 21 significant digits, converts back to
//   itself; written in the settings file's form (where that reads back),
//   the edit text's form or with fixed decimals, it converts to a value that
//   writes the same text;
// - the window's display patterns write a text that, made ready for
//   conversion, gives the value of the edit text with the same decimals;
// - a text that passes the typing test still passes once regrouped, with
//   the same value.
// A broken invariant is a finding; conversion failures are answers.

#include "Exception.h"
#include "NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace zelv;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool converts(std::string_view text, Separators separators, Extended& value)
{
    const std::optional<Extended> converted = tryTextToFloat(text, separators);
    if (converted)
        value = *converted;
    return converted.has_value();
}

// The text with its "," and "." swapped: the same number under the other set.
std::string swapped(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = c == ',' ? '.' : c == '.' ? ',' : c;
    return out;
}

// A value from ten bytes in the x87 layout with its integer bit set as
// arithmetic sets it, so that the encodings that no computation yields
// (pseudo-denormals, unnormals) stay out.
Extended valueFrom(const std::uint8_t* bytes)
{
    std::uint64_t mantissa = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&mantissa, bytes, sizeof mantissa);
    std::memcpy(&signAndExponent, bytes + 8, sizeof signAndExponent);
    const std::uint64_t integerBit = std::uint64_t{1} << 63;
    mantissa = (signAndExponent & 0x7FFF) != 0 ? mantissa | integerBit : mantissa & ~integerBit;
    Extended value = 0;
    static_assert(sizeof(Extended) >= 10);
    std::memcpy(&value, &mantissa, sizeof mantissa);
    std::memcpy(reinterpret_cast<char*>(&value) + 8, &signAndExponent, sizeof signAndExponent);
    return value;
}

// Written and converted again, the text stays the same.
template <class Format>
void requireStable(Extended value, Separators separators, Format format)
{
    const std::string text = format(value);
    Extended again = 0;
    require(converts(text, separators, again));
    require(format(again) == text);
}

struct WindowPattern {
    const char* pattern;
    unsigned decimals;
};

// The display formats of the window's numeric fields.
constexpr WindowPattern windowPatterns[] = {
    {",0.000000", 6}, {",0", 0}, {"0", 0}, {",0.0", 1}, {"########", 0}, {"#0.000", 3}, {"#######", 0},
};

void checkValue(Extended value, Separators separators, unsigned decimals)
{
    if (!std::isfinite(value))
        return;
    Extended back = 0;
    require(converts(formatGeneral(value, 21, separators), separators, back) && back == value);
    // The settings file's 18 digits: stable where they read back; only next
    // to the largest value do they round up past it (the store then writes
    // more digits).
    const std::string stored = formatGeneral(value, 18, separators);
    Extended storedValue = 0;
    if (converts(stored, separators, storedValue))
        require(formatGeneral(storedValue, 18, separators) == stored);
    else
        require(std::fabs(value) > 1.18973149535723176e4932L);
    requireStable(value, separators, [&](Extended v) { return formatFixed(v, int(decimals), separators); });
    const std::string edit = editPattern(decimals);
    requireStable(value, separators, [&](Extended v) { return formatPattern(v, edit, separators); });
    require(isAcceptableTyping(formatPattern(value, edit, separators), decimals, 0, 0, separators));

    for (const WindowPattern& p : windowPatterns) {
        Extended shown = 0;
        Extended edited = 0;
        require(converts(normalizeNumberText(formatDisplay(value, p.pattern, separators), separators), separators,
                         shown));
        require(converts(formatPattern(value, editPattern(p.decimals), separators), separators, edited));
        require(shown == edited);
    }
}

void checkTyping(std::string_view text, unsigned decimals, Extended minValue, Extended maxValue,
                 Separators separators)
{
    if (text.size() > 63 || !isAcceptableTyping(text, decimals, minValue, maxValue, separators))
        return;
    const std::string normalized = normalizeNumberText(text, separators);
    Extended value = 0;
    require(converts(normalized, separators, value));
    const std::string regrouped = groupDigits(normalized, true, separators);
    if (regrouped.size() > 63)
        return;
    require(isAcceptableTyping(regrouped, decimals, minValue, maxValue, separators));
    Extended again = 0;
    require(converts(normalizeNumberText(regrouped, separators), separators, again) && again == value);
}

void checkUnder(Separators separators, Separators other, std::string_view text, std::string_view pattern,
                Extended raw, int digits, unsigned decimals)
{
    // Formatting anything: no crash, no sanitizer report.
    (void)formatGeneral(raw, digits, separators);
    (void)formatFixed(raw, digits, separators);
    (void)formatPattern(raw, pattern, separators);
    (void)formatDisplay(raw, pattern, separators);
    (void)groupDigits(text, true, separators);
    checkValue(raw, separators, decimals);

    Extended value = 0;
    try {
        value = textToFloat(text, separators);
    } catch (const EConvertError&) {
        Extended ignored = 0;
        require(!converts(text, separators, ignored));
        return;
    }
    Extended swappedValue = 0;
    require(converts(swapped(text), other, swappedValue));
    require(swappedValue == value || (std::isnan(value) && std::isnan(swappedValue)));
    checkValue(value, separators, decimals);
    (void)formatPattern(value, pattern, separators);

    checkTyping(text, decimals, 0, 0, separators);
    checkTyping(text, decimals, 0, 59, separators);
    checkTyping(text, decimals, -180, 180, separators);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t header = 3 + 10;
    if (size < header)
        return 0;
    const bool point = (data[0] & 1) != 0;
    const unsigned decimals = data[1] % 20;
    const int digits = static_cast<std::int8_t>(data[2]);
    const Extended raw = valueFrom(data + 3);

    const std::string_view rest(reinterpret_cast<const char*>(data) + header, size - header);
    const std::size_t newline = rest.find('\n');
    const std::string_view text = rest.substr(0, newline);
    const std::string_view pattern = newline == std::string_view::npos ? std::string_view() : rest.substr(newline + 1);

    if (point)
        checkUnder(pointSeparators, germanSeparators, text, pattern, raw, digits, decimals);
    else
        checkUnder(germanSeparators, pointSeparators, text, pattern, raw, digits, decimals);
    return 0;
}
