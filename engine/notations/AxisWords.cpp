#include "AxisWords.h"

#include "NotationText.h"

#include <array>

namespace zelv {

namespace {

enum class Axis { None, Latitude, Longitude };

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '\xE4' || c == '\xC4'; }

// The axis of the word at the start of `t`, which must end there; `t`
// becomes what follows it.  Longer words before those they begin with.
Axis takeAxisWord(std::string_view& t)
{
    struct Word {
        std::string_view text;
        Axis axis;
    };
    static constexpr std::array<Word, 10> words{{
        {"Breite", Axis::Latitude},
        {"Latitude", Axis::Latitude},
        {"Lat", Axis::Latitude},
        {"L\xE4nge", Axis::Longitude},
        {"L\xC4NGE", Axis::Longitude},
        {"Laenge", Axis::Longitude},
        {"Longitude", Axis::Longitude},
        {"Long", Axis::Longitude},
        {"Lon", Axis::Longitude},
        {"Lng", Axis::Longitude},
    }};
    for (const Word& w : words)
        if (startsWithIgnoringCase(t, w.text) && (t.size() == w.text.size() || !isAsciiLetter(t[w.text.size()]))) {
            t.remove_prefix(w.text.size());
            return w.axis;
        }
    return Axis::None;
}

// Blanks and colons after an axis word ("Long: : 20.48").
void skipColons(std::string_view& t)
{
    while (!t.empty() && (isBlankOrNoBreakSpace(t.front()) || t.front() == ':'))
        t.remove_prefix(1);
}

// What stands between two values: blanks, ",", ";", "-" and "/".
std::string_view withoutTrailingSeparators(std::string_view value)
{
    while (!value.empty()
           && (isBlankOrNoBreakSpace(value.back()) || value.back() == ',' || value.back() == ';'
               || value.back() == '-' || value.back() == '/'))
        value.remove_suffix(1);
    return value;
}

// Whether the whole degrees at the start of a value lie beyond the pole: the
// plain pair's rule would then take the values the other way round.
bool beyondThePole(std::string_view value)
{
    std::size_t i = !value.empty() && (value.front() == '-' || value.front() == '+') ? 1 : 0;
    long degrees = 0;
    for (; i < value.size() && isDigit(value[i]) && degrees <= 90; ++i)
        degrees = degrees * 10 + (value[i] - '0');
    return degrees > 90;
}

} // namespace

std::optional<std::string> latitudeLongitudeOfAxisWords(std::string_view text)
{
    std::string_view t = trimBlanksAndNoBreakSpaces(text);
    const Axis first = takeAxisWord(t);
    if (first == Axis::None)
        return std::nullopt;
    skipColons(t);
    // The first value runs up to the next axis word that starts a word.
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i > 0 && isAsciiLetter(t[i - 1]))
            continue;
        std::string_view rest = t.substr(i);
        const Axis second = takeAxisWord(rest);
        if (second == Axis::None)
            continue;
        if (second == first)
            return std::nullopt;
        const std::string_view firstValue = withoutTrailingSeparators(t.substr(0, i));
        skipColons(rest);
        const std::string_view secondValue = trimBlanksAndNoBreakSpaces(rest);
        if (firstValue.empty() || secondValue.empty())
            return std::nullopt;
        const std::string_view latitude = first == Axis::Latitude ? firstValue : secondValue;
        const std::string_view longitude = first == Axis::Latitude ? secondValue : firstValue;
        if (beyondThePole(latitude))
            return std::nullopt;
        return std::string(latitude) + "; " + std::string(longitude);
    }
    return std::nullopt;
}

} // namespace zelv
