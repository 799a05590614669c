#pragma once
// The coordinate notations people paste today, beside the clipboard reader's
// five fixed ones: plain decimal pairs, hemisphere letters and words,
// degrees/minutes/seconds, degrees and decimal minutes, geo: URIs, map links
// and UTM grid references.  Plain C++ over a Windows-1252 text, no state, no
// Qt.  The reader tries these only where its own five end without
// coordinates; this module knows nothing of the five.
//
// The text must be the notation and nothing else: blanks and line breaks
// around it and one pair of round brackets around the whole are allowed,
// anything more ("Koordinaten: ...", a second pair, a full stop) is not
// read, so that an address, a date or a telephone number never becomes a
// position.
//
// Notations (results rounded here for the eye):
//   DecimalPair            50.41484, 10.76943       50,41484; 10,76943
//                          50.41484 10.76943        -33.9249,18.4241
//   HemisphereDecimal      50.41484°N 10.76943°E    N 50.41484 E 10.76943
//                          52.52 Nord, 13.405 Ost   10.76943°O 50.41484°N
//   DegreesMinutesSeconds  50°24'53.4"N 10°46'09.9"E    -33° 55' 12", 18° 25' 26"
//   DegreesDecimalMinutes  N 50° 24.890 E 010° 46.166   N50 24,890 E10 46,166
//                          52°31.5'N 13°24.2'O
//   GeoUri                 geo:50.41484,10.76943,310;crs=wgs84;u=35
//   MapLink                https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=15/50.4/10.7
//                          https://www.google.com/maps/place/X/@50.4,10.7,17z/data=!3d50.41484!4d10.76943
//   Utm                    32U 625712 5586252       32 U 625712mE 5586252mN
//
// Marks: degrees 0xB0 ° and 0xBA º; minutes "'", 0x92 ’ and 0xB4 ´;
// seconds '"', 0x94 ” and any two minute marks in a row; minus "-" and the
// dash 0x96 –.  (The window's conversion to Windows-1252 already turns ˚ into
// °, the primes ′ ″ into ' and '', and the minus sign U+2212 into "-".)
// Blanks are the characters 0x00 to 0x20 and the no-break space 0xA0.
//
// Rules where a text could be read two ways:
// - Decimal marks.  A "." between two digits is always a decimal point; a
//   "," between two digits is a decimal comma unless the number before it
//   already has its decimal mark, and then it separates two numbers.  Every
//   other "," separates, as ";" does.  So "50,41484, 10,76943" and
//   "50.41484,10.76943" are pairs, "1,2,3" is 1,2 and 3 and (3 being no
//   decimal) not read, and "12.03.2024" is no number at all.  Both marks
//   read under every locale: the result never depends on `separators`.
// - Plain pairs (no hemisphere letters) are latitude, longitude.  Where the
//   first value cannot be a latitude (beyond +-90) and the second can, they
//   are longitude, latitude.  A plain pair of single numbers needs a decimal
//   mark with digits after it in both ("52, 13" or "3 4" is no position);
//   a plain pair with minutes needs the degree mark on its degrees.
// - Hemisphere letters N S E O W (capitals only) and the words Nord Süd Ost
//   West North South East (capitalised or all capitals) decide the order.
//   Both stand before their numbers or both after them; a sign beside a
//   letter is not read (S -33 could mean either hemisphere).
// - Without letters, a leading minus or plus on the degrees gives the sign
//   of the whole angle: -0° 30' is -0.5.
// - Degrees, minutes and seconds: only the last part may have decimals;
//   each part's mark, where it has one, must be its own (° ' "); both
//   coordinates have the same number of parts.
// - UTM: the letter after the zone is the latitude band C..X (without I and
//   O; C..M south, N..X north).  A band that does not fit the northing (more
//   than half a degree outside it) is not read: "34S 261878 6243186" writes
//   S for south, and reading it as band S would put Cape Town in the north.
//   N alone passes with any northern northing, because the band N and the
//   hemisphere N give the same position.
// - Map links: the place marker (OpenStreetMap's mlat/mlon, Google's
//   !3d/!4d, and the markers of MapServiceLinks.h) wins over the centre of
//   the view (#map=zoom/lat/lon, /@lat,lon, and the views there);
//   two markers or two views of the same rank that disagree, and a marker
//   whose values are no numbers, leave the link unread.
// - geo: URIs as RFC 5870 writes them, with or without altitude; crs, if
//   given, must be wgs84 and come first, u comes before other parameters;
//   the map apps' query after them ("?z=15", "?q=...") is ignored, but
//   geo:0,0?q=... is no position: Android puts the place into the search.
// Ranges: a latitude beyond +-90, a longitude beyond +-180, minutes or
// seconds of 60 or more, a zone outside 1..60, an easting outside
// 0 < e < 1,000,000 m or a northing outside 0..10,000,000 m are no
// coordinates.

#include "CoordinateTranslator.h"
#include "NumberText.h"

#include <optional>
#include <string_view>
#include <variant>

namespace zelv {

enum class CoordinateNotation {
    DecimalPair,
    HemisphereDecimal,
    DegreesMinutesSeconds,
    DegreesDecimalMinutes,
    GeoUri,
    MapLink,
    Utm,
    // Read beside these, by FurtherNotations.h.
    Mgrs,
    PlusCode,
    FerroLongitude,
    // Read after all of them (WikiTemplates.h, PositionInText.h).
    WikiTemplate,
    PositionInText,
};

// A UTM position as the window's grid fields hold it: the zone (1..60), the
// easting in metres (false easting included), and the northing in metres
// counted from the equator, negative in the south (a printed southern
// northing less its 10,000,000 m false northing).
struct UtmPosition {
    int Zone = 0;
    double Easting = 0;
    double Northing = 0;
};

struct NotationReading {
    CoordinateNotation notation = CoordinateNotation::DecimalPair;
    // Decimal degrees, east and north positive; or a UTM position.
    std::variant<GeographicPoint, UtmPosition> position;
};

// Reads one of the notations above out of a whole Windows-1252 text;
// nothing when none of them reads it.  Linear in the text.  Numbers go
// through the general conversion with `separators`; the result is the same
// under every locale.  Throws nothing of its own.
std::optional<NotationReading> readCoordinateNotations(std::string_view text, Separators separators);

} // namespace zelv
