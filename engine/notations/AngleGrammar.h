#pragma once
// The one decoder of an angle, over the lexer's tokens: degrees; degrees and
// minutes; or degrees, minutes and seconds.
//
//   54.7104   54°42′36″   54° 42.6′   54d 42m 36s   54 Grad 42 Minuten
//   54:42:36   54-42.6   54.42.36   54 42 36.5   -33° 55′ 12″
//
// - A part's mark (°, ′, ″ and their look-alikes, or a unit word) must be its
//   own: minutes never stand where degrees do.  A part may stand without its
//   mark; the parts are then apart by blanks, ":", "-" or the points of a
//   dotted angle.  A number with a degree mark always begins a new angle.
// - Only the last part may have decimals; minutes and seconds are below 60.
//   A number that stands where the minutes or seconds belong, after a marked
//   part, and breaks these rules makes the angle no angle ("50° 60.0",
//   "18°60′", "50°24.5′53″") rather than a shorter one.
// - A sign stands glued before the degrees and is the whole angle's.
// - Where ″ stands for both minutes and seconds ("54° 02″17″"), the first is
//   read as minutes.
// - A lone number with more integer digits than degrees can have (four to
//   seven) is read as GPS receivers log it, once its axis is known:
//   "5106.608" is 51° 06.608′ for a latitude, "00007.1" 0° 07.1′ and
//   "0170157.2" 17° 01′ 57.2″ for a longitude.
// Whether a latitude lies within 90° or a longitude within 180° is checked
// where the axis is known (PairGrammar.h).

#include "Lexer.h"

#include <optional>

namespace zelv {

// readAngle sets every field of it (a new field there too).
struct Angle {
    std::size_t tokens = 0; // how many tokens it takes from where it starts
    std::size_t begin = 0;  // its span in the text
    std::size_t end = 0;
    Extended magnitude = 0; // degrees, without the sign
    bool sign = false;
    bool minus = false;
    int parts = 1;
    bool degreeMarked = false; // the degrees carry their mark or word
    bool marked = false;       // a part carries a mark or unit word
    bool decimals = false;     // the last part has decimals
    bool hidden = false;       // one of Wikipedia's hidden decimals
    // Minutes or seconds of 60 or more, or a part after one with decimals:
    // written as one angle, but no angle.
    bool partOf60 = false;
    bool decimalsBeforeLast = false;
    // A mark out of its place (seconds right after the degrees), a sign
    // inside ("50° -24′"), or a number glued after the seconds ("53″7").
    bool misplacedMark = false;
    bool signInside = false;
    bool extraPart = false;

    // Written as one angle, but no angle.
    bool broken() const { return partOf60 || decimalsBeforeLast || misplacedMark || signInside || extraPart; }
    Extended place = 1;        // the last written place, in degrees
    // The lone number, for the GPS forms.
    std::size_t numberBegin = 0;
    int integerDigits = 0;

    Extended value() const { return minus ? -magnitude : magnitude; }
    // One number with decimals and nothing else: "54.7104".
    bool isDecimalNumber() const { return parts == 1 && !marked && decimals; }
};

// The angle whose first token (a sign or the degrees) stands `k` tokens
// ahead; nothing where none starts there.
std::optional<Angle> readAngle(TokenWindow& window, std::size_t k);
// The same into `angle`, whatever it held: false where none starts there.
bool readAngle(TokenWindow& window, std::size_t k, Angle& angle);

// A lone number's GPS form for its axis, where it has four to seven integer
// digits; the angle itself otherwise.  Nothing where the digits make no
// angle of that axis (three digits of degrees for a latitude, eight
// digits); flagged partOf60 where its minutes or seconds reach 60.
std::optional<Angle> angleOnAxis(const Angle& angle, Axis axis, std::string_view text);
// Whether the angle is a lone number of four to seven integer digits, which
// angleOnAxis reads in a GPS form; it gives any other angle back as it is.
bool loggedAsGps(const Angle& angle);

// One unit of the last of `places` decimal places.
Extended unitOfPlaces(int places);

} // namespace zelv
