#include "RoutinenU.h"

#include "Exception.h"
#include "FurtherNotations.h"
#include "MesstischblattText.h"
#include "UnreadAngles.h"
#include "PositionInText.h"
#include "WikiTemplates.h"
#include "TextUtil.h"

#include <cstddef>
#include <optional>
#include <string>

namespace zelv {

namespace {

// Text operations with positions from 1, as the notations are defined.  All
// of them stay inside their text: a part beyond the end is empty, and a part
// that runs past the end is cut there.
using Position = std::ptrdiff_t;

Position length(std::string_view s) { return static_cast<Position>(s.size()); }

// Position of the first occurrence of `what`, 0 when there is none.
Position pos(std::string_view what, std::string_view s)
{
    const std::size_t p = s.find(what);
    return p == std::string_view::npos ? 0 : static_cast<Position>(p) + 1;
}

bool contains(std::string_view s, std::string_view what) { return pos(what, s) != 0; }

// `count` characters from position `from`.
std::string_view copy(std::string_view s, Position from, Position count)
{
    if (from < 1)
        from = 1;
    if (count <= 0 || from > length(s))
        return {};
    const Position available = length(s) - from + 1;
    return s.substr(static_cast<std::size_t>(from - 1),
                    static_cast<std::size_t>(count < available ? count : available));
}

// Everything from position `from` on.
std::string_view copyFrom(std::string_view s, Position from) { return copy(s, from, length(s)); }

constexpr std::string_view degreeSign = "\xB0";
constexpr std::string_view sued = "S\xFC" "d";

// A number written with the decimal point, converted under the locale's
// separators.  The point becomes the locale's decimal separator rather than
// always a comma, so that the same clipboard text reads under every locale.
double decimalNumber(std::string_view text, Separators separators)
{
    // A copy only where a point must become the separator.
    if (separators.decimal == '.' || text.find('.') == std::string_view::npos)
        return static_cast<double>(textToFloat(text, separators));
    std::string number(text);
    for (char& c : number)
        if (c == '.')
            c = separators.decimal;
    return static_cast<double>(textToFloat(number, separators));
}

// Degrees and whole minutes, both digit runs already checked.
double degreesAndMinutes(std::string_view degrees, std::string_view minutes, Separators separators)
{
    return static_cast<double>(textToFloat(degrees, separators) + textToFloat(minutes, separators) / 60);
}

std::optional<TZwischenablageKoordinaten> germanCompassWords(std::string_view text, Separators separators)
{
    if (!(contains(text, "Ost") || contains(text, "West")) || !(contains(text, "Nord") || contains(text, sued)))
        return std::nullopt;

    TZwischenablageKoordinaten result;
    const bool east = contains(text, "Ost");
    const Position p = east ? pos("Ost", text) : pos("West", text);
    // The one character before the word is dropped, whatever it is.
    const double longitude = decimalNumber(copy(text, 1, p - 2), separators);
    result.Laenge = east ? longitude : -longitude;

    const std::string_view h = copyFrom(text, pos(",", text) + 1);
    const bool north = contains(h, "Nord");
    const Position q = north ? pos("Nord", h) : pos(sued, h);
    const double latitude = decimalNumber(copy(h, 1, q - 2), separators);
    result.Breite = north ? latitude : -latitude;
    result.Format = 1;
    return result;
}

struct DegreesMinutes {
    std::string_view degrees;
    std::string_view minutes;
};

// The longitude of notation 2: from position 6 up to its minute sign, the
// first character after the degree sign that is no digit.  A blank, a
// control character, "." or "," there is no minute sign (decimal minutes are
// not read, rather than cut to whole ones).  Wherever a fixed six-character
// field ending in a minute sign would read the minutes, this reads the same;
// it also reads three-digit degrees with two-digit minutes, where such a
// field would lose the last minute digit, and one-digit degrees with
// one-digit minutes, which would overrun it.
DegreesMinutes englishLongitude(std::string_view text)
{
    const std::string_view rest = copyFrom(text, 6);
    const Position d = pos(degreeSign, rest);
    if (d == 0)
        return {};
    Position sign = d + 1;
    while (sign <= length(rest) && isDigit(rest[static_cast<std::size_t>(sign - 1)]))
        ++sign;
    if (sign > length(rest))
        return {};
    const char minuteSign = rest[static_cast<std::size_t>(sign - 1)];
    if (isBlank(minuteSign) || minuteSign == '.' || minuteSign == ',')
        return {};
    const std::string_view field = trimBlanks(copy(rest, 1, sign));
    const Position degreeInField = pos(degreeSign, field);
    return {copy(field, 1, degreeInField - 1), copy(field, degreeInField + 1, length(field) - 1 - degreeInField)};
}

std::optional<TZwischenablageKoordinaten> englishCompassWords(std::string_view text, Separators separators)
{
    if (!(contains(text, "East") || contains(text, "West")) || !(contains(text, "North") || contains(text, "South")))
        return std::nullopt;

    const DegreesMinutes longitude = englishLongitude(text);

    const Position p = contains(text, "North") ? pos("North", text) : pos("South", text);
    const std::string_view r = copyFrom(text, p);
    // After the five-letter word and one more character; the minutes end one
    // character before the end of the text, at the minute sign.
    const std::string_view field = copyFrom(r, 7);
    const Position d = pos(degreeSign, field);
    const DegreesMinutes latitude{copy(field, 1, d - 1), copy(field, d + 1, length(field) - 1 - d)};

    if (!NurZiffern(longitude.degrees) || !NurZiffern(longitude.minutes) || !NurZiffern(latitude.degrees)
        || !NurZiffern(latitude.minutes))
        return std::nullopt;

    TZwischenablageKoordinaten result;
    result.Laenge = degreesAndMinutes(longitude.degrees, longitude.minutes, separators);
    if (contains(text, "West"))
        result.Laenge = -result.Laenge;
    result.Breite = degreesAndMinutes(latitude.degrees, latitude.minutes, separators);
    if (contains(r, "South"))
        result.Breite = -result.Breite;
    result.Format = 2;
    return result;
}

// Index of a capital letter from 'A' up to `last`, or -1.
int letterIndex(char c, char last) { return c >= 'A' && c <= last ? c - 'A' : -1; }

std::optional<TZwischenablageKoordinaten> gridLocator(std::string_view text)
{
    if (text.size() != 6)
        return std::nullopt;
    const int field1 = letterIndex(text[0], 'R');
    const int field2 = letterIndex(text[1], 'R');
    const int sub1 = letterIndex(text[4], 'X');
    const int sub2 = letterIndex(text[5], 'X');
    if (field1 < 0 || field2 < 0 || !isDigit(text[2]) || !isDigit(text[3]) || sub1 < 0 || sub2 < 0)
        return std::nullopt;

    // The south-west corner of the sub-square.
    TZwischenablageKoordinaten result;
    result.Laenge = 20.0 * field1 - 180 + 2.0 * (text[2] - '0') + sub1 / 12.0;
    result.Breite = 10.0 * field2 - 90 + (text[3] - '0') + sub2 / 24.0;
    result.Format = 3;
    return result;
}

std::optional<TZwischenablageKoordinaten> labelledDecimals(std::string_view text, Separators separators)
{
    if (!contains(text, "Lat:") || !contains(text, "Lon:") || !contains(text, "("))
        return std::nullopt;

    // Only the bracketed numbers count, the first one being the latitude.
    TZwischenablageKoordinaten result;
    const Position b = pos("(", text);
    const Position e = pos(")", text);
    result.Breite = decimalNumber(copy(text, b + 1, e - b - 1), separators);
    const std::string_view r = copyFrom(text, e + 2);
    const Position b2 = pos("(", r);
    const Position e2 = pos(")", r);
    result.Laenge = decimalNumber(copy(r, b2 + 1, e2 - b2 - 1), separators);
    result.Format = 4;
    return result;
}

// The trimmed part of t before the first `sign`; t becomes what follows the
// sign.  Without the sign the part is empty and t stays.
std::string_view takeUntil(std::string_view& t, std::string_view sign)
{
    const Position p = pos(sign, t);
    if (p == 0)
        return {};
    const std::string_view part = trimBlanks(copy(t, 1, p - 1));
    t = copyFrom(t, p + 1);
    return part;
}

// The first character of t (0 for an empty t, which no letter matches); t
// becomes the rest.
char takeLetter(std::string_view& t)
{
    if (t.empty())
        return 0;
    const char letter = t.front();
    t = copyFrom(t, 2);
    return letter;
}

// Returns nullopt for "no fit": no notation is left to try.
std::optional<TZwischenablageKoordinaten> lettersAndMinutes(std::string_view text, Separators separators)
{
    std::string_view t = trimBlanks(text);
    const std::string_view latitudeDegrees = takeUntil(t, degreeSign);
    const std::string_view latitudeMinutes = takeUntil(t, "'");
    const char latitudeLetter = takeLetter(t);
    const std::string_view longitudeDegrees = takeUntil(t, degreeSign);
    const std::string_view longitudeMinutes = takeUntil(t, "'");
    const char longitudeLetter = takeLetter(t);

    if (!NurZiffern(latitudeDegrees) || !NurZiffern(latitudeMinutes) || !NurZiffern(longitudeDegrees)
        || !NurZiffern(longitudeMinutes))
        return std::nullopt;
    if ((latitudeLetter != 'N' && latitudeLetter != 'S') || (longitudeLetter != 'O' && longitudeLetter != 'W'))
        return std::nullopt;

    TZwischenablageKoordinaten result;
    result.Breite = degreesAndMinutes(latitudeDegrees, latitudeMinutes, separators);
    if (latitudeLetter == 'S')
        result.Breite = -result.Breite;
    result.Laenge = degreesAndMinutes(longitudeDegrees, longitudeMinutes, separators);
    if (longitudeLetter == 'W')
        result.Laenge = -result.Laenge;
    result.Format = 5;
    return result;
}

} // namespace

bool NurZiffern(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (!isDigit(c))
            return false;
    return true;
}

namespace {

// The five fixed notations; nullopt when none fits.  Conversion errors of
// notations 1 and 4 leave as EConvertError.
std::optional<TZwischenablageKoordinaten> fixedNotations(std::string_view text, Separators separators)
{
    // Notations 1 and 4 are final once entered (a number that does not fit
    // throws); 2 and 3 hand on to the next notation; 5 is the last resort.
    if (auto result = germanCompassWords(text, separators))
        return result;
    if (auto result = englishCompassWords(text, separators))
        return result;
    if (auto result = gridLocator(text))
        return result;
    if (auto result = labelledDecimals(text, separators))
        return result;
    if (contains(text, degreeSign))
        return lettersAndMinutes(text, separators);
    return std::nullopt;
}

[[noreturn]] void throwNoCoordinates()
{
    throw NoCoordinatesError(std::string(noCoordinatesMessage));
}

ClipboardPosition fromFixed(const TZwischenablageKoordinaten& fixed)
{
    return {fixed.Format, GeographicPoint{fixed.Laenge, fixed.Breite}};
}

ClipboardPosition fromOther(const NotationReading& reading)
{
    return std::visit([&](const auto& position) { return ClipboardPosition{reading.notation, position}; },
                      reading.position);
}

// Gauß-Krüger values, which no other notation reads.
std::optional<ClipboardPosition> gaussKruegerText(std::string_view text)
{
    if (const std::optional<GaussKruegerPosition> grid = readGaussKruegerText(text))
        return ClipboardPosition{OldMapNotation::GaussKrueger, *grid};
    return std::nullopt;
}

// A Messtischblatt number, tried after every other form.
std::optional<ClipboardPosition> messtischblattText(std::string_view text)
{
    if (const std::optional<Tk25SheetReference> sheet = readMesstischblattText(text))
        return ClipboardPosition{OldMapNotation::Messtischblatt, *sheet};
    return std::nullopt;
}

// The notations inside a labelled, repeated or Ferro text: the fixed ones
// whose numbers do not follow the locale (2, 3 and 5), then those of
// CoordinateNotations.h, which read the texts of notations 1 and 4 with
// either decimal mark, then Gauß-Krüger values.  So those forms read the
// same under every locale.
std::optional<ClipboardPosition> readLocaleFreeNotations(std::string_view text, Separators separators)
{
    std::optional<TZwischenablageKoordinaten> fixed = englishCompassWords(text, separators);
    if (!fixed)
        fixed = gridLocator(text);
    if (!fixed && contains(text, degreeSign))
        fixed = lettersAndMinutes(text, separators);
    if (fixed)
        return fromFixed(*fixed);
    if (const std::optional<NotationReading> other = readCoordinateNotations(text, separators))
        return fromOther(*other);
    return gaussKruegerText(text);
}

// Last of all: wikitext templates, then one position amid other text.
std::optional<ClipboardPosition> readTextAround(std::string_view text)
{
    if (const std::optional<GeographicPoint> point = readWikiTemplate(text))
        return ClipboardPosition{CoordinateNotation::WikiTemplate, *point};
    if (const std::optional<GeographicPoint> point = readPositionInText(text))
        return ClipboardPosition{CoordinateNotation::PositionInText, *point};
    return std::nullopt;
}

// Where the five end: the notations of CoordinateNotations.h, Gauß-Krüger
// values, the further forms, then the text around a position.  A further
// form's own refusal stands where the text around gives no position, and
// always where its repeated forms were read and disagree.
std::optional<ClipboardPosition> readOtherNotations(std::string_view text, Separators separators)
{
    if (const std::optional<NotationReading> other = readCoordinateNotations(text, separators))
        return fromOther(*other);
    if (std::optional<ClipboardPosition> grid = gaussKruegerText(text))
        return grid;
    std::optional<ClipboardPosition> further;
    try {
        further = readFurtherNotations(text,
                                       [separators](std::string_view t) { return readLocaleFreeNotations(t, separators); });
    } catch (const DisagreeingRepeatsError&) {
        throw;
    } catch (const UnusableCoordinatesError&) {
        std::optional<ClipboardPosition> around;
        try {
            around = readTextAround(text);
        } catch (const UnusableCoordinatesError&) {
        }
        if (around)
            return around;
        throw;
    }
    if (further)
        return further;
    if (std::optional<ClipboardPosition> sheet = messtischblattText(text))
        return sheet;
    return readTextAround(text);
}

} // namespace

std::optional<TZwischenablageKoordinaten> readFixedNotations(std::string_view text, Separators separators)
{
    if (text.empty())
        return std::nullopt;
    if (auto result = fixedNotations(text, separators))
        return result;
    throwNoCoordinates();
}

std::optional<ClipboardPosition> readCoordinates(std::string_view text, Separators separators)
{
    if (text.empty())
        return std::nullopt;
    // "No fit" of the five is a value, not an exception, so that a text the
    // other notations read (a list of decimal pairs, line by line) costs no
    // throw.
    std::optional<TZwischenablageKoordinaten> fixed;
    try {
        fixed = fixedNotations(text, separators);
    } catch (const EConvertError&) {
        // The other notations where notation 1 or 4 stumbles on a number;
        // its error stands when none of them reads the text.
        if (std::optional<ClipboardPosition> other = readOtherNotations(text, separators))
            return other;
        throw;
    }
    if (fixed)
        return fromFixed(*fixed);
    if (std::optional<ClipboardPosition> other = readOtherNotations(text, separators))
        return other;
    // Angles that no form reads: the part that stopped the reader is named.
    explainUnreadAngles(text);
    refuseBareNumbers(text);
    throwNoCoordinates();
}

} // namespace zelv
