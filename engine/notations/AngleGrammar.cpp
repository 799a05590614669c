#include "AngleGrammar.h"

#include <array>
#include <cmath>

namespace zelv {

namespace {

bool isMark(const Token* t, AngleUnit unit)
{
    return t && t->marks(unit);
}

bool isAnyMark(const Token* t)
{
    return t && t->marksPart;
}

// How the parts of an angle stand apart where they carry no marks.
enum class Apart { Undecided, Blanks, Colons, Dashes, Points };

} // namespace

namespace {

// Up to 27 places by table: the powers of ten are exact there, so each
// unit is the correctly rounded 1/10^n, at compile time as at run time.
constexpr std::array<Extended, 28> placeUnits = [] {
    std::array<Extended, 28> u{};
    Extended v = 1;
    for (auto& e : u) {
        e = 1 / v;
        v *= 10;
    }
    return u;
}();

} // namespace

Extended unitOfPlaces(int places)
{
    return places < static_cast<int>(placeUnits.size()) ? placeUnits[static_cast<std::size_t>(places)]
                                                         : std::pow(10.0L, static_cast<Extended>(-places));
}

std::optional<Angle> readAngle(TokenWindow& w, std::size_t k)
{
    Angle a;
    if (!readAngle(w, k, a))
        return std::nullopt;
    return a;
}

bool readAngle(TokenWindow& w, std::size_t k, Angle& a)
{
    std::size_t i = k;
    const Token* t = w.at(i);
    if (!t)
        return false;
    // The fields set only on some paths, as a new Angle has them; the others
    // are set on every path that reads an angle.
    a.sign = a.minus = false;
    a.parts = 1;
    a.degreeMarked = a.marked = a.hidden = false;
    a.partOf60 = a.decimalsBeforeLast = a.misplacedMark = a.signInside = a.extraPart = false;
    a.begin = t->begin;
    if (t->kind == TokenKind::Sign) {
        const Token* number = w.at(i + 1);
        if (!number || number->kind != TokenKind::Number || number->blankBefore || number->hidden)
            return false;
        a.sign = true;
        a.minus = t->minus;
        t = number;
        ++i;
    }
    if (t->kind != TokenKind::Number)
        return false;
    a.magnitude = t->value;
    a.place = unitOfPlaces(t->places);
    a.decimals = t->places > 0;
    a.numberBegin = t->begin;
    a.integerDigits = t->integerDigits;
    a.end = t->end;
    ++i;
    if (t->hidden) {
        a.hidden = true;
        a.place = unitOfPlaces(12);
        a.tokens = i - k;
        return true;
    }

    const Token* mark = w.at(i);
    if (isMark(mark, AngleUnit::Degree)) {
        a.degreeMarked = a.marked = true;
        a.end = mark->end;
        ++i;
    } else if (isAnyMark(mark) && !(mark->isWord(WordKind::Unit) && mark->blankBefore)) {
        // Minutes or seconds where the degrees should stand.
        return false;
    }

    Apart apart = Apart::Undecided;
    bool previousMarked = a.degreeMarked;
    for (int part = 2; part <= 3; ++part) {
        std::size_t j = i;
        const Token* s = w.at(j);
        Apart by = Apart::Blanks;
        if (s && s->kind == TokenKind::PartSeparator) {
            by = s->separator == CharClass::Point ? Apart::Points : Apart::Dashes;
            ++j;
        } else if (s && s->isSeparator(CharClass::Colon) && !s->blankBefore && !previousMarked) {
            by = Apart::Colons;
            ++j;
        }
        const Token* n = w.at(j);
        if (previousMarked && n && n->kind == TokenKind::Sign && w.at(j + 1)
            && w.at(j + 1)->kind == TokenKind::Number && !w.at(j + 1)->blankBefore
            && !isMark(w.at(j + 2), AngleUnit::Degree)) {
            a.signInside = true;
            a.end = isAnyMark(w.at(j + 2)) ? w.at(j + 2)->end : w.at(j + 1)->end;
            i = j + (isAnyMark(w.at(j + 2)) ? 3 : 2);
            break;
        }
        if (!n || n->kind != TokenKind::Number || n->hidden || n->letterBefore)
            break;
        if (by != Apart::Blanks && n->blankBefore)
            break;
        if (by == Apart::Blanks && !previousMarked && !n->blankBefore)
            break;
        if (!previousMarked && apart != Apart::Undecided && apart != by)
            break;
        const Token* after = w.at(j + 1);
        // "51:06 Grad": the unit after parts apart by colons is the whole's.
        const bool unitOfTheWhole = by == Apart::Colons && after && after->kind == TokenKind::Word
                                    && isMark(after, AngleUnit::Degree);
        if (isMark(after, AngleUnit::Degree) && !unitOfTheWhole) {
            // The degrees of the next angle, where it stands apart; glued to
            // this angle's mark ("50°24′53°N") a degree sign stands where a
            // minute or second sign belongs.
            if (previousMarked && by == Apart::Blanks && !n->blankBefore) {
                a.misplacedMark = true;
                a.end = after->end;
                i = j + 2;
            }
            break;
        }
        const AngleUnit unit = part == 2 ? AngleUnit::Minute : AngleUnit::Second;
        if (a.decimals || n->value >= 60) {
            // After a marked part this number is its minutes or seconds, and
            // no such.  Unmarked, it is a number of its own ("1412 5833").
            if (!previousMarked)
                break;
            (a.decimals ? a.decimalsBeforeLast : a.partOf60) = true;
            a.end = isAnyMark(after) ? after->end : n->end;
            i = j + (isAnyMark(after) ? 2 : 1);
            break;
        }
        bool marked = false;
        if (isMark(after, unit)) {
            marked = true;
        } else if (part == 2 && isMark(after, AngleUnit::Second)) {
            // "54° 02″17″": a double prime for the minutes as well.
            const Token* seconds = w.at(j + 2);
            if (!(seconds && seconds->kind == TokenKind::Number && isMark(w.at(j + 3), AngleUnit::Second)))
                break;
            marked = true;
        } else if (isAnyMark(after) && !unitOfTheWhole) {
            // Seconds where the minutes belong, minutes where the seconds do.
            if (!previousMarked)
                break;
            a.misplacedMark = true;
            a.end = after->end;
            i = j + 2;
            break;
        }
        if (!previousMarked)
            apart = by;
        a.magnitude += n->value / (part == 2 ? 60 : 3600);
        a.place = unitOfPlaces(n->places) / (part == 2 ? 60 : 3600);
        a.decimals = n->places > 0;
        a.parts = part;
        a.marked = a.marked || marked;
        a.end = marked ? after->end : n->end;
        i = j + (marked ? 2 : 1);
        previousMarked = marked;
    }
    // "53″7": a number glued after the seconds is a fourth part.
    const Token* more = w.at(i);
    if (a.parts == 3 && a.marked && more && more->kind == TokenKind::Number && !more->blankBefore
        && !a.broken()) {
        a.extraPart = true;
        a.end = more->end;
        ++i;
    }
    // "51:06 Grad": the unit after degrees and minutes written with colons.
    if (apart == Apart::Colons && isMark(w.at(i), AngleUnit::Degree)) {
        a.end = w.at(i)->end;
        ++i;
    }
    a.tokens = i - k;
    return true;
}

bool loggedAsGps(const Angle& angle)
{
    // Degrees have three integer digits at the most; a lone number written
    // with more is a GPS receiver's, whatever its value: "00007.1W" is
    // 0° 07.1′, not 7.1°.
    return angle.parts == 1 && !angle.marked && !angle.hidden && !angle.sign && angle.integerDigits >= 4;
}

std::optional<Angle> angleOnAxis(const Angle& angle, Axis axis, std::string_view text)
{
    if (!loggedAsGps(angle))
        return angle;
    int degreeDigits = 0;
    bool seconds = false;
    switch (angle.integerDigits) {
    case 4: degreeDigits = 2; break;
    case 5: degreeDigits = 3; break;
    case 6: degreeDigits = 2, seconds = true; break;
    case 7: degreeDigits = 3, seconds = true; break;
    default: return std::nullopt;
    }
    if (axis == Axis::Latitude && degreeDigits == 3)
        return std::nullopt;
    const auto digits = [&](int from, int count) {
        Extended v = 0;
        for (int d = from; d < from + count; ++d)
            v = v * 10 + (text[angle.numberBegin + static_cast<std::size_t>(d)] - '0');
        return v;
    };
    const Extended whole = digits(0, angle.integerDigits);
    const Extended fraction = angle.magnitude - whole;
    const Extended degrees = digits(0, degreeDigits);
    Extended minutes = digits(degreeDigits, 2);
    const Extended secondsValue = seconds ? digits(degreeDigits + 2, 2) + fraction : 0;
    if (!seconds)
        minutes += fraction;
    Angle gps = angle;
    if (minutes >= 60 || secondsValue >= 60) {
        gps.partOf60 = true;
        return gps;
    }
    gps.magnitude = degrees + minutes / 60 + secondsValue / 3600;
    gps.parts = seconds ? 3 : 2;
    gps.place = angle.place / (seconds ? 3600 : 60);
    return gps;
}

} // namespace zelv
