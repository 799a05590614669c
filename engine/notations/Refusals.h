#pragma once
// Why the clipboard reader gives no position, as a value: the kind of
// refusal and the parts of the text that stopped it.  refusalMessage words
// each kind in German, quoting those parts; it is the one place where the
// reader's messages are written.  Texts are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace zelv {

enum class RefusalKind : std::uint8_t {
    // The fixed notations' own failures.
    NoCoordinates,        // no notation fits: the reader's one message of old
    NumberNotConvertible, // first: the number text as the conversion saw it
    // Latitude and longitude.
    TwoPositions,       // first, second: two readings that disagree
    DoubtfulS,          // a plain S beside E/O/W in a Czech or Slovak text
    LettersNotPartners, // first, second: compass letters of two languages
    UnknownDirection,   // first: the word after an angle
    TwoLatitudes,       // first, second
    TwoLongitudes,      // first, second
    HalvesApart,        // first, second: latitude and longitude with text between
    MissingDirection,   // first: the angle without one, second: the one with
    MissingLongitude,   // first: the latitude
    MissingLatitude,    // first: the longitude
    SignAndDirection,   // first: an angle with a sign and a compass word
    PartOf60,           // first: an angle with minutes or seconds of 60 or more
    DecimalsBeforeLast, // first: an angle with decimals before its last part
    MisplacedMark,      // first: an angle with a mark out of its place
    SignInside,         // first: an angle with a sign inside
    ExtraPart,          // first: an angle with a fourth part
    NumberBeside,       // first: a number, second: it with the reading beside it
    LatitudeBeyond,     // first: the latitude
    LongitudeBeyond,    // first: the longitude
    BareNumbers,        // numbers without marks among words, more than two
    LostCharacters,     // question marks where marks or letters stood
    // Longitudes counted from Ferro.
    FerroSeveral,
    FerroUnreadable,
    FerroLatitudeBeyond,
    FerroLongitudeBeyond,
    FerroWest, // first: the longitude
    // The forms that are the whole text.
    ShortLink,              // first: the link
    MapLinkLatitudeBeyond,  // first: the link, second: the latitude
    MapLinkLongitudeBeyond, // first: the link, second: the longitude
    MapLinkSeveral,         // first: the link
    MapLinkPlaceOnly,       // first: the link
    LinkWithoutPosition,    // first: the link or geo: address
    GeoUriOtherDatum,       // first: the address, second: its crs
    MgrsDigitsOdd,          // first: the reference, count: the digits
    MgrsDigitsUneven,       // first: the reference, count, count2: the two runs
    MgrsTooManyDigits,      // first: the reference
    MgrsZone,               // first: the reference, count: the zone
    MgrsSquare,             // first: the reference, second: the square, third: zone and band
    MgrsPolar,              // first: the reference
    PlusCodeArea,           // first: the code
    PlusCodeShort,          // first: the code and what follows it
    PlusCodeOneDigit,       // first: the code
    PlusCodeTooLong,        // first: the code
    PlusCodeLatitude,       // first: the code
    PlusCodeLongitude,      // first: the code
    SheetNumberImpossible,  // second: the number
    SheetQuadrantImpossible, // second: the number, third: the quadrant
    TemplateUnreadable,     // first: the template
};

// Every kind, for tests that go through all of them.
inline constexpr RefusalKind lastRefusalKind = RefusalKind::TemplateUnreadable;

struct Refusal {
    RefusalKind kind = RefusalKind::NoCoordinates;
    std::string text; // the whole text, for the messages that quote it
    std::string first;
    std::string second;
    std::string third;
    int count = 0;
    int count2 = 0;
};

// What a reader of one form makes of a text: not this form, a value, or why
// the form is recognised but cannot be used.
template <class T>
using FormResult = std::variant<std::monostate, T, Refusal>;

// A refusal of `kind` whose first part is a Windows-1252 text.
Refusal refusalOf(RefusalKind kind, std::string_view windows1252First);

// The title of the box that shows a refusal.
inline constexpr std::string_view refusalTitle = "Fehler";

// The message of a refusal, in German (UTF-8).
std::string refusalMessage(const Refusal& refusal);

// The text in German quotation marks („…“), without blanks around it; a text
// of more than 60 characters is cut there and ends in "…".
std::string quotedText(std::string_view utf8);

} // namespace zelv
