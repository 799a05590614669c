// The forms read where the clipboard reader's five fixed notations end
// without coordinates: pairs of decimals, compass letters and words,
// degrees with minutes and seconds, geo: addresses, map links and UTM, each
// with its edges, under the German and a point locale, and what the entry
// makes of the texts just beside them.
#include "EntryRows.h"
#include "InLocale.h"
#include "RoutinenU.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace zelv {
namespace {

using namespace entry_rows;

constexpr double dms(double d, double m, double s) { return d + m / 60 + s / 3600; }

class PairsAndLinks : public ::testing::TestWithParam<Separators> {
protected:
    // The values stand as written: a position is read to the last bit of
    // its decimals.
    void checkAll(std::initializer_list<Row> rows)
    {
        for (Row row : rows) {
            if (row.expected.kind == Kind::Point)
                row.expected.tolerance = 1e-12;
            check(row, GetParam());
        }
    }
};

// A link or geo: address that is recognised but gives no position that can
// be read.
const Expected withoutPosition = refused(RefusalKind::LinkWithoutPosition, {"keine vollst\xE4ndige Position"});

TEST_P(PairsAndLinks, DecimalPairs)
{
    checkAll({
        {"50.41484, 10.76943", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"50,41484, 10,76943", point(ReadForm::Pair, 50.41484, 10.76943), "decimal comma, list comma"},
        {"50.41484 10.76943", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"50,41484; 10,76943", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"50.41484,10.76943", point(ReadForm::Pair, 50.41484, 10.76943), "a comma after a decimal point separates"},
        {"50,41484,10,76943", point(ReadForm::Pair, 50.41484, 10.76943), "the second comma after a decimal comma"},
        {"50,4, 10,7", point(ReadForm::Pair, 50.4, 10.7)},
        {" \t(50.41484, 10.76943)\r\n", point(ReadForm::Pair, 50.41484, 10.76943), "blanks and one pair of brackets"},
        {"50.41484\r\n10.76943", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"50.41484\xA0" "10.76943", point(ReadForm::Pair, 50.41484, 10.76943), "no-break space"},
        {std::string(100'000, ' ') + "50.41484, 10.76943", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"50." + std::string(2000, '0') + "1, 10.5", point(ReadForm::Pair, 50, 10.5)},
        {"-33.9249, 18.4241", point(ReadForm::Pair, -33.9249, 18.4241)},
        {"\x96" "33.9249, +18.4241", point(ReadForm::Pair, -33.9249, 18.4241), "the dash as minus"},
        {"-0.5, -0.25", point(ReadForm::Pair, -0.5, -0.25)},
        {"-90.0, -180.0", point(ReadForm::Pair, -90, -180)},
        {"10.76943, 50.41484", point(ReadForm::Pair, 10.76943, 50.41484), "both can be latitudes: the first is"},
        {"-122.4194, 37.7749", point(ReadForm::Pair, 37.7749, -122.4194), "the first cannot be a latitude"},
        {"90.5, 10.5", point(ReadForm::Pair, 10.5, 90.5)},
        {"95.5, 100.5", noCoordinates, "neither is a latitude"},
        {"10.5, 180.5", noCoordinates},
        {"190.5, 10.5", noCoordinates},
        {"1,2,3", noCoordinates, "1,2 and 3, and 3 has no decimals"},
        {"50, 4, 10, 7", noCoordinates},
        {"52, 13", noCoordinates, "no decimals: a pair of whole numbers is no position"},
        {"52.5, 13", noCoordinates},
        {"0361 123456", noCoordinates},
        {"12.03.2024", noCoordinates},
        {"50.41484, 10.76943 Berlin", point(ReadForm::Pair, 50.41484, 10.76943), "a word after the pair"},
        {"Koordinaten: 50.41484, 10.76943", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"50.41484, 10.76943.", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"((50.41484, 10.76943))", point(ReadForm::Pair, 50.41484, 10.76943), "brackets twice"},
        {"(50.41484, 10.76943", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"50.41484, , 10.76943", noCoordinates},
        {"50.41484 - 10.76943", noCoordinates, "a sign stands right before its digits"},
        {"50.4, 10.7, 100.5", noCoordinates},
        {"50.4", noCoordinates},
        {"", nothing},
    });
}

TEST_P(PairsAndLinks, HemisphereLettersAndWords)
{
    checkAll({
        {"50.41484\xB0N 10.76943\xB0" "E", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"N 50.41484 E 10.76943", point(ReadForm::Pair, 50.41484, 10.76943)},
        {"10.76943\xB0O 50.41484\xB0N", point(ReadForm::Pair, 50.41484, 10.76943), "the letters decide"},
        {"52.52 Nord, 13.405 Ost", point(ReadForm::Pair, 52.52, 13.405)},
        {"13.405\xB0 Ost, 52.52\xB0 Nord", point(ReadForm::Pair, 52.52, 13.405)},
        {"13,405 Ost, 52,52 Nord", point(ReadForm::Pair, 52.52, 13.405)},
        {"Nord 52.52; Ost 13.405", point(ReadForm::Pair, 52.52, 13.405)},
        {"50.25 S\xFC" "d, 8.5 West", point(ReadForm::Pair, -50.25, -8.5)},
        {"50.25 S\xDC" "D 8.5 WEST", point(ReadForm::Pair, -50.25, -8.5)},
        {"North 50.4 East 10.7", point(ReadForm::Pair, 50.4, 10.7)},
        {"SOUTH 33.9 WEST 18.4", point(ReadForm::Pair, -33.9, -18.4)},
        {"S 33.9249 W 18.4241", point(ReadForm::Pair, -33.9249, -18.4241)},
        {"50.4\xBAN 10.7\xBA" "E", point(ReadForm::Pair, 50.4, 10.7), "masculine ordinal as degree sign"},
        {"N 90 E 180", point(ReadForm::Pair, 90, 180), "whole degrees with letters"},
        {"N50.4E10.7", point(ReadForm::Pair, 50.4, 10.7)},
        {"N 50.4 N 10.7", noCoordinates, "two latitudes"},
        {"E 50.4 W 10.7", noCoordinates},
        {"N 50.4 10.7 E", point(ReadForm::Pair, 50.4, 10.7), "one letter before, one after"},
        {"N 50.4", refused(RefusalKind::MissingLongitude, {"Nach \x84N 50.4\x93 fehlt die L\xE4nge"})},
        {"N 50.4 E 10.7 S",
         refused(RefusalKind::TwoPositions, {"zwei Positionen", "\x84N 50.4 E 10.7\x93", "\x84" "50.4 E 10.7 S\x93"})},
        {"50.4 N,, 10.7 E",
         refused(RefusalKind::HalvesApart, {"\x84" "50.4 N\x93 und \x84" "10.7 E\x93 nicht beieinander"}),
         "one list separator at the most"},
        {"S -33.9 E 18.4",
         refused(RefusalKind::SignAndDirection, {"Vorzeichen und eine Himmelsrichtung"}), "a sign beside a letter"},
        {"n 50.4 e 10.7", noCoordinates, "small letters"},
        {"nord 50.4 ost 10.7", point(ReadForm::Pair, 50.4, 10.7)},
        {"N 90.5 E 10.5", refused(RefusalKind::LatitudeBeyond, {"\x84N 90.5\x93"})},
        {"N 50.5 E 180.5", refused(RefusalKind::LongitudeBeyond, {"\x84" "E 180.5\x93"})},
        {"50.4 X 10.7 E", noCoordinates},
        {"N 50.4 \xB0 E 10.7", point(ReadForm::Pair, 50.4, 10.7), "a mark stands right after its number"},
    });
}

TEST_P(PairsAndLinks, DegreesMinutesSeconds)
{
    const double lat = dms(50, 24, 53.4);
    const double lon = dms(10, 46, 9.9);
    checkAll({
        {"50\xB0" "24'53.4\"N 10\xB0" "46'09.9\"E", point(ReadForm::Pair, lat, lon)},
        {"N 50\xB0 24' 53.4\" E 10\xB0 46' 9.9\"", point(ReadForm::Pair, lat, lon)},
        {"50\xB0" "24'53,4\"N 10\xB0" "46'9,9\"E", point(ReadForm::Pair, lat, lon), "decimal comma"},
        {"50\xBA" "24\x92" "53.4\x94N 10\xB0" "46\xB4" "9.9''E", point(ReadForm::Pair, lat, lon),
         "typed and typeset marks"},
        {"50\xB0" "24\x92" "53.4\x92\x92" "N 10\xB0" "46\xB4" "9.9\xB4\xB4" "E", point(ReadForm::Pair, lat, lon),
         "two minute marks of any kind are seconds"},
        {"N 50 24 53.4 E 10 46 9.9", point(ReadForm::Pair, lat, lon), "letters need no marks"},
        {"-33\xB0 55' 12\", 18\xB0 25' 26\"", point(ReadForm::Pair, -dms(33, 55, 12), dms(18, 25, 26))},
        {"-33\xB0 55' 12\" 18\xB0 25' 26\"", point(ReadForm::Pair, -dms(33, 55, 12), dms(18, 25, 26)),
         "the second degree mark starts the longitude"},
        {"\x96" "33\xB0 55' 12\", 18\xB0 25' 26\"", point(ReadForm::Pair, -dms(33, 55, 12), dms(18, 25, 26))},
        {"-0\xB0 30' 0\", 10\xB0 0' 0\"", point(ReadForm::Pair, -0.5, 10), "the sign is the whole angle's"},
        {"S 33\xB0 55' 12\" O 18\xB0 25' 26\"", point(ReadForm::Pair, -dms(33, 55, 12), dms(18, 25, 26))},
        {"50\xB0 24' 59.99\" N 10\xB0 0' 0\" E", point(ReadForm::Pair, dms(50, 24, 59.99), 10)},
        {"90\xB0 0' 0\"N 180\xB0 0' 0\"W", point(ReadForm::Pair, 90, -180)},
        {"50\xB0" "60'0\"N 10\xB0" "0'0\"E",
         refused(RefusalKind::PartOf60, {"\x84" "50\xB0" "60'\x93", "Minuten oder Sekunden von 60"}), "minutes of 60"},
        {"50\xB0" "24'60\"N 10\xB0" "0'0\"E",
         refused(RefusalKind::PartOf60, {"\x84" "50\xB0" "24'60\"\x93", "Minuten oder Sekunden von 60"}),
         "seconds of 60"},
        {"90\xB0" "0'1\"N 10\xB0" "0'0\"E",
         refused(RefusalKind::LatitudeBeyond, {"Breite \x84" "90\xB0" "0'1\"N\x93 jenseits von 90\xB0"}),
         "a second beyond the pole"},
        {"50\xB0" "24.5'53\"N 10\xB0" "46'9\"E",
         refused(RefusalKind::DecimalsBeforeLast,
                 {"\x84" "50\xB0" "24.5'53\"\x93", "Nachkommastellen hat nur der letzte Teil"}),
         "decimals only in the last part"},
        {"50'24\xB0" "53\"N 10\xB0" "46'9\"E",
         refused(RefusalKind::MissingDirection, {"fehlt bei \x84" "24\xB0\x93 die Himmelsrichtung"}),
         "marks out of place"},
        {"50\xB0" "24'53\"N 10.7\xB0" "E", point(ReadForm::Pair, dms(50, 24, 53), 10.7), "the halves in two forms"},
        {"50 24 53, 10 46 9", point(ReadForm::Pair, dms(50, 24, 53), dms(10, 46, 9)),
         "parts without marks, the whole text"},
        {"Ort 50 24 53, 10 46 9", noCoordinates, "parts without marks amid words are no angles"},
        {"50\xB0 24' 53\" 10 46 9", point(ReadForm::Pair, dms(50, 24, 53), dms(10, 46, 9))},
        {"50\xB0" "24'53\"7N 10\xB0" "46'9\"E",
         refused(RefusalKind::ExtraPart, {"\x84" "50\xB0" "24'53\"7\x93", "folgt den Sekunden noch eine Zahl"}),
         "four parts, not a latitude of 7\xB0"},
        {"50\xB0 -24' 53\"N 10\xB0 46' 9\"E",
         refused(RefusalKind::SignInside, {"\x84" "50\xB0 -24'\x93", "Vorzeichen mitten im Winkel"})},
        // A degree sign glued where the seconds' or minutes' sign belongs
        // is no new angle: not 53\xB0 N or 24\xB0 N.
        {"50\xB0" "24'53\xB0N 10\xB0" "46'9\"E",
         refused(RefusalKind::MisplacedMark, {"\x84" "50\xB0" "24'53\xB0\x93", "an falscher Stelle"})},
        {"50\xB0" "24\xB0N 10\xB0" "46'E", refused(RefusalKind::MisplacedMark, {"\x84" "50\xB0" "24\xB0\x93"})},
        {"50\xB0" "24'53'N 10\xB0" "46'9\"E", refused(RefusalKind::MisplacedMark, {"\x84" "50\xB0" "24'53'\x93"}),
         "a minute sign for the seconds"},
        {"50\xB0 24' 53\xB0 N, 10\xB0 46' 9\" O", refused(RefusalKind::MisplacedMark, {"\x84" "50\xB0 24' 53\xB0\x93"}),
         "apart by a blank, still no pair of 53\xB0 N"},
        {"50\xB0" "24' 53\xB0 N 10\xB0 46' E", refused(RefusalKind::MisplacedMark, {"\x84" "50\xB0" "24' 53\xB0\x93"}),
         "the compass word between the halves"},
        {"50\xB0" "24' 10\xB0" "46'", point(ReadForm::Pair, 50.4, 10 + 46 / 60.0), "two angles apart"},
    });
}

TEST_P(PairsAndLinks, DegreesAndDecimalMinutes)
{
    checkAll({
        {"N 50\xB0 24.890 E 010\xB0 46.166", point(ReadForm::Pair, 50 + 24.890 / 60, 10 + 46.166 / 60)},
        {"N50 24,890 E10 46,166", point(ReadForm::Pair, 50 + 24.890 / 60, 10 + 46.166 / 60)},
        {"52\xB0" "31.5'N 13\xB0" "24.2'O", point(ReadForm::Pair, 52 + 31.5 / 60, 13 + 24.2 / 60)},
        {"52\xB0" "31'N 13\xB0" "24'E", point(ReadForm::Pair, 52 + 31.0 / 60, 13.4), "whole minutes too"},
        {"S 33\xB0 55.2 W 018\xB0 25.433", point(ReadForm::Pair, -(33 + 55.2 / 60), -(18 + 25.433 / 60))},
        {"-33\xB0 55.2', 18\xB0 25.4'", point(ReadForm::Pair, -(33 + 55.2 / 60), 18 + 25.4 / 60)},
        {"N 50\xB0 59.999 E 10\xB0 0", point(ReadForm::Pair, 50 + 59.999 / 60, 10)},
        {"N 50\xB0 60.0 E 10\xB0 46.1",
         refused(RefusalKind::PartOf60, {"\x84" "50\xB0 60.0\x93", "Minuten oder Sekunden von 60"}), "minutes of 60"},
        {"N 50.5\xB0 24.8 E 10\xB0 46.1",
         refused(RefusalKind::DecimalsBeforeLast,
                 {"\x84" "50.5\xB0 24.8\x93", "Nachkommastellen hat nur der letzte Teil"}),
         "decimal degrees with minutes"},
        {"N 50 24.890 E 10", point(ReadForm::Pair, 50 + 24.890 / 60, 10), "the halves in two forms"},
        {"-33 55.2, 18 25.4", point(ReadForm::Pair, -(33 + 55.2 / 60), 18 + 25.4 / 60), "the whole text"},
        {"Ort -33 55.2, 18 25.4", refused(RefusalKind::BareNumbers, {"nur Zahlen"}), "amid words they are no angles"},
    });
}

TEST_P(PairsAndLinks, GeoUris)
{
    checkAll({
        {"geo:50.41484,10.76943", point(ReadForm::GeoUri, 50.41484, 10.76943)},
        {"geo:50.41484,10.76943,310.5", point(ReadForm::GeoUri, 50.41484, 10.76943), "with altitude"},
        {"geo:-33.9,18.4,-12;u=35", point(ReadForm::GeoUri, -33.9, 18.4)},
        {"geo:50.4,10.7;crs=wgs84;u=35.5;name=Foo-Bar", point(ReadForm::GeoUri, 50.4, 10.7)},
        {"GEO:50.4,10.7;CRS=WGS84", point(ReadForm::GeoUri, 50.4, 10.7)},
        {"geo:50,4", point(ReadForm::GeoUri, 50, 4), "a geo: URI has no decimal comma"},
        {" (geo:90,-180)\n", point(ReadForm::GeoUri, 90, -180)},
        {"geo:50.4,10.7;crs=epsg3857",
         refused(RefusalKind::GeoUriOtherDatum, {"Bezugssystem \x84" "epsg3857\x93"}), "another reference system"},
        {"geo:50.4,10.7;crs=", refused(RefusalKind::GeoUriOtherDatum, {"Bezugssystem \x84\x93"})},
        {"geo:50.4,10.7;u=35;crs=wgs84", withoutPosition, "crs comes first"},
        {"geo:50.4,10.7;crs=wgs84;crs=wgs84", withoutPosition},
        {"geo:50.4,10.7;name=x;u=35", withoutPosition, "u comes before other parameters"},
        {"geo:50.4,10.7;u=-5", withoutPosition},
        {"geo:0,0?q=50.4,10.7", withoutPosition, "the place in the query"},
        {"geo:54.7104,20.5101?z=14", point(ReadForm::GeoUri, 54.7104, 20.5101), "the map apps' zoom"},
        {"geo:54.7104,20.5101;u=35", point(ReadForm::GeoUri, 54.7104, 20.5101)},
        {"geo:54.7104,20.5101;crs=wgs84;u=35?q=K%C3%B6nigsberg&z=12", point(ReadForm::GeoUri, 54.7104, 20.5101)},
        {"geo:54.7104,20.5101?z=14&t=k", withoutPosition, "another query parameter"},
        {"geo:54.7104,20.5101?", withoutPosition},
        {"geo:54.7104,20.5101?z=14;u=35", withoutPosition, "the query comes last"},
        {"geo:91,10", withoutPosition},
        {"geo:50.4,180.5", withoutPosition},
        {"geo:50.4;10.7", withoutPosition},
        {"geo:50.4,10.7,5,6", withoutPosition},
        {"geo:50.4,10.7 und mehr", withoutPosition},
        {"geo:", withoutPosition},
    });
}

TEST_P(PairsAndLinks, MapLinks)
{
    checkAll({
        {"https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=15/50.41484/10.76943",
         point(ReadForm::MapLink, 50.41484, 10.76943)},
        {"https://www.openstreetmap.org/#map=15/50.41484/10.76943", point(ReadForm::MapLink, 50.41484, 10.76943)},
        {"https://www.openstreetmap.org/#map=15/-33.9/18.4&layers=H", point(ReadForm::MapLink, -33.9, 18.4)},
        {"https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=12/51.5/11.5",
         point(ReadForm::MapLink, 50.41484, 10.76943), "the marker wins over the view"},
        {"http://osm.org/?mlon=10.7&zoom=5&mlat=50.4", point(ReadForm::MapLink, 50.4, 10.7)},
        {"https://www.google.com/maps/@50.41484,10.76943,17z", point(ReadForm::MapLink, 50.41484, 10.76943)},
        {"https://www.google.de/maps/@-33.9,18.4,3a,75y/data=!3m6", point(ReadForm::MapLink, -33.9, 18.4)},
        {"https://www.google.com/maps/place/Ort/@50.5,10.5,17z/data=!3m1!4b1!4m6!3m5!1s0x0:0x0!8m2"
         "!3d50.41484!4d10.76943!16s%2Fg",
         point(ReadForm::MapLink, 50.41484, 10.76943), "the place wins over the centre of the view"},
        {"HTTPS://WWW.GOOGLE.COM/maps/place/@50.5,10.5,17z/data=!3d50.41484!4d10.76943",
         point(ReadForm::MapLink, 50.41484, 10.76943)},
        {"https://www.google.com/maps/embed?pb=!1m3!1d2527!2d10.7!3d50.4!2m3!1f0", withoutPosition,
         "a third value that is no place"},
        {"https://www.openstreetmap.org/?mlat=50.4#map=15/50.41484/10.76943", withoutPosition, "a marker without mlon"},
        {"https://www.openstreetmap.org/?mlat=50.4&mlon=x#map=15/50.41484/10.76943", withoutPosition},
        {"https://www.openstreetmap.org/?mlat=50.4&mlon=10.7&mlat=51.0", withoutPosition, "two markers that disagree"},
        {"https://www.openstreetmap.org/?mlat=50&mlat=51&mlon=10#map=12/50.5/10.5", withoutPosition,
         "markers that disagree, refused rather than read at the view centre behind them"},
        {"https://www.openstreetmap.org/?mlat=95&mlon=10", withoutPosition},
        {"https://www.openstreetmap.org/#map=15/50.41484", withoutPosition},
        {"https://www.google.com/maps/place/@50.4,10.7,17z/data=!3d50.4!4d10.7!3d51.0!4d11.0", withoutPosition},
        {"https://www.google.com/maps/@50.4,10.7,17z/x/@51.0,11.0,17z", withoutPosition, "two views that disagree"},
        {"https://www.openstreetmap.org/?mlat=50.4&mlon=10.7 Berlin", withoutPosition},
        {"https://www.google.com/maps/search/pizza",
         refused(RefusalKind::MapLinkPlaceOnly, {"Ortsnamen oder eine Suche"})},
        {"https://example.org/", withoutPosition},
    });
}

TEST_P(PairsAndLinks, UtmGridReferences)
{
    checkAll({
        {"32U 625712 5586252", grid(ReadForm::Utm, 32, 625712, 5586252)},
        {"32 U 625712 5586252", grid(ReadForm::Utm, 32, 625712, 5586252)},
        {"32U 625712mE 5586252mN", grid(ReadForm::Utm, 32, 625712, 5586252)},
        {"32U 625712 E 5586252 N", grid(ReadForm::Utm, 32, 625712, 5586252)},
        {"32U 625712,5 5586252.25", grid(ReadForm::Utm, 32, 625712.5, 5586252.25), "both decimal marks"},
        {"(05U 625712 5586252)", grid(ReadForm::Utm, 5, 625712, 5586252)},
        {"34H 261878 6243186",
         grid(ReadForm::Utm, 34, 261878, 6243186 - 10'000'000.0), "south: the false northing goes"},
        {"1C 500000 1557312", grid(ReadForm::Utm, 1, 500000, 1557312 - 10'000'000.0)},
        {"60M 500000 9500000", grid(ReadForm::Utm, 60, 500000, -500000)},
        {"31N 500000 500000", grid(ReadForm::Utm, 31, 500000, 500000)},
        {"32N 625712 5586252", grid(ReadForm::Utm, 32, 625712, 5586252), "N read as the hemisphere gives the same"},
        {"33X 500000 8700000", grid(ReadForm::Utm, 33, 500000, 8700000)},
        {"33X 500000 9100000",
         grid(ReadForm::Utm, 33, 500000, 9100000), "band X reaches 84 degrees north: about 82 degrees"},
        {"32M 500000 10000000", grid(ReadForm::Utm, 32, 500000, 0), "the equator from the south"},
        {"0U 625712 5586252", noCoordinates},
        {"61U 625712 5586252", noCoordinates},
        {"32I 625712 5586252", noCoordinates},
        {"32O 625712 5586252", noCoordinates},
        {"32A 625712 5586252", noCoordinates},
        {"32Y 625712 5586252", noCoordinates},
        {"32u 625712 5586252", noCoordinates},
        {"32S 625712 5586252", noCoordinates, "the northing lies in band U, not S"},
        {"34S 261878 6243186", noCoordinates, "S for south is not read as band S"},
        {"32U 0 5586252", noCoordinates},
        {"32U 1000000 5586252", noCoordinates},
        {"32N 500000 10000001", noCoordinates},
        {"32U 625712", noCoordinates},
        {"32U 625712 5586252 9", noCoordinates},
        {"32U 625712 5586252 Berlin", noCoordinates},
        {"32.5U 625712 5586252", noCoordinates},
        {"325U 625712 5586252", noCoordinates},
    });
}

// Where the five notations end without coordinates, with the plain message
// or notation 1's or 4's conversion error: what the entry makes of the text.
TEST_P(PairsAndLinks, TakeOverWhereTheFiveNotationsEnd)
{
    enum class Today { Message, ConvertError };
    struct Case {
        std::string text;
        Today today;
        Expected expected;
        const char* note = "";
    };
    const Case cases[] = {
        {"52.52 Nord, 13.405 Ost", Today::ConvertError, point(ReadForm::Pair, 52.52, 13.405)},
        {"13.405\xB0 Ost, 52.52\xB0 Nord", Today::ConvertError, point(ReadForm::Pair, 52.52, 13.405)},
        {"13,405 Ost, 52,52 Nord", Today::ConvertError, point(ReadForm::Pair, 52.52, 13.405)},
        {"52\xB0" "31'N 13\xB0" "24'E", Today::Message, point(ReadForm::Pair, 52 + 31.0 / 60, 13.4)},
        {"East 12\xB0" "34.5' North 51\xB0" "23'", Today::Message,
         point(ReadForm::Pair, 51 + 23.0 / 60, 12 + 34.5 / 60)},
        {"50.41484, 10.76943", Today::Message, point(ReadForm::Pair, 50.41484, 10.76943)},
        {"32U 625712 5586252", Today::Message, grid(ReadForm::Utm, 32, 625712, 5586252)},
        {"geo:50.41484,10.76943", Today::Message, point(ReadForm::GeoUri, 50.41484, 10.76943)},
        {"Koordinaten", Today::Message, noCoordinates},
        {"jo62qm", Today::Message, noCoordinates},
        {"52\xB0" "31'N 13\xB0" "24'", Today::Message,
         refused(RefusalKind::MissingDirection, {"bei \x84" "13\xB0" "24'\x93 die Himmelsrichtung"})},
        {"Ost Nord", Today::ConvertError, convertError("'' ist kein g\xFC" "ltiger Gleitkommawert")},
        {"Lat: (51.25) Lon: (x)", Today::ConvertError, convertError("'x' ist kein g\xFC" "ltiger Gleitkommawert")},
        {"Lat: 51.25 Lon: 1.5 (", Today::ConvertError, point(ReadForm::Pair, 51.25, 1.5),
         "no closing bracket: the labels name the halves"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("text [" + fromWindows1252(c.text) + "]");
        // The five alone end without coordinates ...
        const FixedNotationResult fixed = readFixedNotations(c.text, GetParam());
        EXPECT_FALSE(fixed.reading.has_value());
        EXPECT_EQ(fixed.unconvertible.has_value(), c.today == Today::ConvertError);
        // ... and the entry gives what the other forms read, or the five's
        // own failure where the text says no more.
        check({c.text, c.expected, c.note}, GetParam());
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, PairsAndLinks, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
