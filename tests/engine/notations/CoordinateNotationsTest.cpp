// The notations read where the clipboard reader's five end without
// coordinates: every family with its edges, under the German and a point
// locale, and the texts that must stay unread.
#include "CoordinateNotations.h"
#include "Exception.h"
#include "RoutinenU.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

namespace zelv {
namespace {

using N = CoordinateNotation;

struct Expected {
    bool read = false;
    N notation = N::DecimalPair;
    bool utm = false;
    double longitude = 0; // or the zone
    double latitude = 0;  // or the easting
    double northing = 0;
};

Expected reads(N notation, double longitude, double latitude) { return {true, notation, false, longitude, latitude, 0}; }
Expected grid(int zone, double easting, double northing) { return {true, N::Utm, true, double(zone), easting, northing}; }
const Expected nothing{};

struct Row {
    std::string text;
    Expected expected;
    const char* note = "";
};

constexpr double dms(double d, double m, double s) { return d + m / 60 + s / 3600; }

template <class Position>
void checkPosition(const Position& position, const Expected& e)
{
    if (e.utm) {
        const auto* u = std::get_if<UtmPosition>(&position);
        ASSERT_NE(u, nullptr);
        EXPECT_EQ(u->Zone, static_cast<int>(e.longitude));
        EXPECT_EQ(u->Easting, e.latitude);
        EXPECT_EQ(u->Northing, e.northing);
    } else {
        const auto* g = std::get_if<GeographicPoint>(&position);
        ASSERT_NE(g, nullptr);
        EXPECT_NEAR(g->Longitude, e.longitude, 1e-12);
        EXPECT_NEAR(g->Latitude, e.latitude, 1e-12);
    }
}

void check(const Row& row, Separators separators)
{
    SCOPED_TRACE("text [" + row.text + "] " + row.note);
    const auto r = readCoordinateNotations(row.text, separators);
    const Expected& e = row.expected;
    ASSERT_EQ(r.has_value(), e.read);
    if (!r)
        return;
    EXPECT_EQ(r->notation, e.notation);
    checkPosition(r->position, e);
}

class CoordinateNotations : public ::testing::TestWithParam<Separators> {};

TEST_P(CoordinateNotations, DecimalPairs)
{
    const Row rows[] = {
        {"50.41484, 10.76943", reads(N::DecimalPair, 10.76943, 50.41484)},
        {"50,41484, 10,76943", reads(N::DecimalPair, 10.76943, 50.41484), "decimal comma, list comma"},
        {"50.41484 10.76943", reads(N::DecimalPair, 10.76943, 50.41484)},
        {"50,41484; 10,76943", reads(N::DecimalPair, 10.76943, 50.41484)},
        {"50.41484,10.76943", reads(N::DecimalPair, 10.76943, 50.41484), "a comma after a decimal point separates"},
        {"50,41484,10,76943", reads(N::DecimalPair, 10.76943, 50.41484), "the second comma after a decimal comma"},
        {"50,4, 10,7", reads(N::DecimalPair, 10.7, 50.4)},
        {" \t(50.41484, 10.76943)\r\n", reads(N::DecimalPair, 10.76943, 50.41484), "blanks and one pair of brackets"},
        {"50.41484\r\n10.76943", reads(N::DecimalPair, 10.76943, 50.41484)},
        {"50.41484\xA0" "10.76943", reads(N::DecimalPair, 10.76943, 50.41484), "no-break space"},
        {std::string(100'000, ' ') + "50.41484, 10.76943", reads(N::DecimalPair, 10.76943, 50.41484)},
        {"50." + std::string(2000, '0') + "1, 10.5", reads(N::DecimalPair, 10.5, 50)},
        {"-33.9249, 18.4241", reads(N::DecimalPair, 18.4241, -33.9249)},
        {"\x96" "33.9249, +18.4241", reads(N::DecimalPair, 18.4241, -33.9249), "the dash as minus"},
        {"-0.5, -0.25", reads(N::DecimalPair, -0.25, -0.5)},
        {"-90.0, -180.0", reads(N::DecimalPair, -180, -90)},
        {"10.76943, 50.41484", reads(N::DecimalPair, 50.41484, 10.76943), "both can be latitudes: the first is"},
        {"-122.4194, 37.7749", reads(N::DecimalPair, -122.4194, 37.7749), "the first cannot be a latitude"},
        {"90.5, 10.5", reads(N::DecimalPair, 90.5, 10.5)},
        {"95.5, 100.5", nothing, "neither is a latitude"},
        {"10.5, 180.5", nothing},
        {"190.5, 10.5", nothing},
        {"1,2,3", nothing, "1,2 and 3, and 3 has no decimals"},
        {"50, 4, 10, 7", nothing},
        {"52, 13", nothing, "no decimals: a pair of whole numbers is no position"},
        {"52.5, 13", nothing},
        {"0361 123456", nothing},
        {"12.03.2024", nothing},
        {"50.41484, 10.76943 Berlin", nothing, "only the pair"},
        {"Koordinaten: 50.41484, 10.76943", nothing},
        {"50.41484, 10.76943.", nothing},
        {"((50.41484, 10.76943))", nothing, "one pair of brackets only"},
        {"(50.41484, 10.76943", nothing},
        {"50.41484, , 10.76943", nothing},
        {"50.41484 - 10.76943", nothing, "a sign stands right before its digits"},
        {"50.4, 10.7, 100.5", nothing},
        {"50.4", nothing},
        {"", nothing},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(CoordinateNotations, HemisphereLettersAndWords)
{
    const Row rows[] = {
        {"50.41484\xB0N 10.76943\xB0" "E", reads(N::HemisphereDecimal, 10.76943, 50.41484)},
        {"N 50.41484 E 10.76943", reads(N::HemisphereDecimal, 10.76943, 50.41484)},
        {"10.76943\xB0O 50.41484\xB0N", reads(N::HemisphereDecimal, 10.76943, 50.41484), "the letters decide"},
        {"52.52 Nord, 13.405 Ost", reads(N::HemisphereDecimal, 13.405, 52.52)},
        {"13.405\xB0 Ost, 52.52\xB0 Nord", reads(N::HemisphereDecimal, 13.405, 52.52)},
        {"13,405 Ost, 52,52 Nord", reads(N::HemisphereDecimal, 13.405, 52.52)},
        {"Nord 52.52; Ost 13.405", reads(N::HemisphereDecimal, 13.405, 52.52)},
        {"50.25 S\xFC" "d, 8.5 West", reads(N::HemisphereDecimal, -8.5, -50.25)},
        {"50.25 S\xDC" "D 8.5 WEST", reads(N::HemisphereDecimal, -8.5, -50.25)},
        {"North 50.4 East 10.7", reads(N::HemisphereDecimal, 10.7, 50.4)},
        {"SOUTH 33.9 WEST 18.4", reads(N::HemisphereDecimal, -18.4, -33.9)},
        {"S 33.9249 W 18.4241", reads(N::HemisphereDecimal, -18.4241, -33.9249)},
        {"50.4\xBAN 10.7\xBA" "E", reads(N::HemisphereDecimal, 10.7, 50.4), "masculine ordinal as degree sign"},
        {"N 90 E 180", reads(N::HemisphereDecimal, 180, 90), "whole degrees with letters"},
        {"N50.4E10.7", reads(N::HemisphereDecimal, 10.7, 50.4)},
        {"N 50.4 N 10.7", nothing, "two latitudes"},
        {"E 50.4 W 10.7", nothing},
        {"N 50.4 10.7 E", nothing, "one letter before, one after"},
        {"N 50.4", nothing},
        {"N 50.4 E 10.7 S", nothing},
        {"50.4 N,, 10.7 E", nothing, "one list separator at the most"},
        {"S -33.9 E 18.4", nothing, "a sign beside a letter"},
        {"n 50.4 e 10.7", nothing, "small letters"},
        {"nord 50.4 ost 10.7", nothing},
        {"N 90.5 E 10.5", nothing},
        {"N 50.5 E 180.5", nothing},
        {"50.4 X 10.7 E", nothing},
        {"N 50.4 \xB0 E 10.7", nothing, "a mark stands right after its number"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(CoordinateNotations, DegreesMinutesSeconds)
{
    const double lat = dms(50, 24, 53.4);
    const double lon = dms(10, 46, 9.9);
    const Row rows[] = {
        {"50\xB0" "24'53.4\"N 10\xB0" "46'09.9\"E", reads(N::DegreesMinutesSeconds, lon, lat)},
        {"N 50\xB0 24' 53.4\" E 10\xB0 46' 9.9\"", reads(N::DegreesMinutesSeconds, lon, lat)},
        {"50\xB0" "24'53,4\"N 10\xB0" "46'9,9\"E", reads(N::DegreesMinutesSeconds, lon, lat), "decimal comma"},
        {"50\xBA" "24\x92" "53.4\x94N 10\xB0" "46\xB4" "9.9''E", reads(N::DegreesMinutesSeconds, lon, lat),
         "typed and typeset marks"},
        {"50\xB0" "24\x92" "53.4\x92\x92" "N 10\xB0" "46\xB4" "9.9\xB4\xB4" "E", reads(N::DegreesMinutesSeconds, lon, lat),
         "two minute marks of any kind are seconds"},
        {"N 50 24 53.4 E 10 46 9.9", reads(N::DegreesMinutesSeconds, lon, lat), "letters need no marks"},
        {"-33\xB0 55' 12\", 18\xB0 25' 26\"", reads(N::DegreesMinutesSeconds, dms(18, 25, 26), -dms(33, 55, 12))},
        {"-33\xB0 55' 12\" 18\xB0 25' 26\"", reads(N::DegreesMinutesSeconds, dms(18, 25, 26), -dms(33, 55, 12)),
         "the second degree mark starts the longitude"},
        {"\x96" "33\xB0 55' 12\", 18\xB0 25' 26\"", reads(N::DegreesMinutesSeconds, dms(18, 25, 26), -dms(33, 55, 12))},
        {"-0\xB0 30' 0\", 10\xB0 0' 0\"", reads(N::DegreesMinutesSeconds, 10, -0.5), "the sign is the whole angle's"},
        {"S 33\xB0 55' 12\" O 18\xB0 25' 26\"", reads(N::DegreesMinutesSeconds, dms(18, 25, 26), -dms(33, 55, 12))},
        {"50\xB0 24' 59.99\" N 10\xB0 0' 0\" E", reads(N::DegreesMinutesSeconds, 10, dms(50, 24, 59.99))},
        {"90\xB0 0' 0\"N 180\xB0 0' 0\"W", reads(N::DegreesMinutesSeconds, -180, 90)},
        {"50\xB0" "60'0\"N 10\xB0" "0'0\"E", nothing, "minutes of 60"},
        {"50\xB0" "24'60\"N 10\xB0" "0'0\"E", nothing, "seconds of 60"},
        {"90\xB0" "0'1\"N 10\xB0" "0'0\"E", nothing, "a second beyond the pole"},
        {"50\xB0" "24.5'53\"N 10\xB0" "46'9\"E", nothing, "decimals only in the last part"},
        {"50'24\xB0" "53\"N 10\xB0" "46'9\"E", nothing, "marks out of place"},
        {"50\xB0" "24'53\"N 10.7\xB0" "E", nothing, "both coordinates in the same form"},
        {"50 24 53, 10 46 9", nothing, "plain minutes and seconds need the degree mark"},
        {"50\xB0 24' 53\" 10 46 9", nothing},
        {"50\xB0" "24'53\"7N 10\xB0" "46'9\"E", nothing, "four parts"},
        {"50\xB0 -24' 53\"N 10\xB0 46' 9\"E", nothing},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(CoordinateNotations, DegreesAndDecimalMinutes)
{
    const Row rows[] = {
        {"N 50\xB0 24.890 E 010\xB0 46.166", reads(N::DegreesDecimalMinutes, 10 + 46.166 / 60, 50 + 24.890 / 60)},
        {"N50 24,890 E10 46,166", reads(N::DegreesDecimalMinutes, 10 + 46.166 / 60, 50 + 24.890 / 60)},
        {"52\xB0" "31.5'N 13\xB0" "24.2'O", reads(N::DegreesDecimalMinutes, 13 + 24.2 / 60, 52 + 31.5 / 60)},
        {"52\xB0" "31'N 13\xB0" "24'E", reads(N::DegreesDecimalMinutes, 13.4, 52 + 31.0 / 60), "whole minutes too"},
        {"S 33\xB0 55.2 W 018\xB0 25.433", reads(N::DegreesDecimalMinutes, -(18 + 25.433 / 60), -(33 + 55.2 / 60))},
        {"-33\xB0 55.2', 18\xB0 25.4'", reads(N::DegreesDecimalMinutes, 18 + 25.4 / 60, -(33 + 55.2 / 60))},
        {"N 50\xB0 59.999 E 10\xB0 0", reads(N::DegreesDecimalMinutes, 10, 50 + 59.999 / 60)},
        {"N 50\xB0 60.0 E 10\xB0 46.1", nothing, "minutes of 60"},
        {"N 50.5\xB0 24.8 E 10\xB0 46.1", nothing, "decimal degrees with minutes"},
        {"N 50 24.890 E 10", nothing, "both coordinates in the same form"},
        {"-33 55.2, 18 25.4", nothing, "plain minutes need the degree mark"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(CoordinateNotations, GeoUris)
{
    const Row rows[] = {
        {"geo:50.41484,10.76943", reads(N::GeoUri, 10.76943, 50.41484)},
        {"geo:50.41484,10.76943,310.5", reads(N::GeoUri, 10.76943, 50.41484), "with altitude"},
        {"geo:-33.9,18.4,-12;u=35", reads(N::GeoUri, 18.4, -33.9)},
        {"geo:50.4,10.7;crs=wgs84;u=35.5;name=Foo-Bar", reads(N::GeoUri, 10.7, 50.4)},
        {"GEO:50.4,10.7;CRS=WGS84", reads(N::GeoUri, 10.7, 50.4)},
        {"geo:50,4", reads(N::GeoUri, 4, 50), "a geo: URI has no decimal comma"},
        {" (geo:90,-180)\n", reads(N::GeoUri, -180, 90)},
        {"geo:50.4,10.7;crs=epsg3857", nothing, "another reference system"},
        {"geo:50.4,10.7;crs=", nothing},
        {"geo:50.4,10.7;u=35;crs=wgs84", nothing, "crs comes first"},
        {"geo:50.4,10.7;crs=wgs84;crs=wgs84", nothing},
        {"geo:50.4,10.7;name=x;u=35", nothing, "u comes before other parameters"},
        {"geo:50.4,10.7;u=-5", nothing},
        {"geo:0,0?q=50.4,10.7", nothing, "the place in the query"},
        {"geo:54.7104,20.5101?z=14", reads(N::GeoUri, 20.5101, 54.7104), "the map apps' zoom"},
        {"geo:54.7104,20.5101;u=35", reads(N::GeoUri, 20.5101, 54.7104)},
        {"geo:54.7104,20.5101;crs=wgs84;u=35?q=K%C3%B6nigsberg&z=12", reads(N::GeoUri, 20.5101, 54.7104)},
        {"geo:54.7104,20.5101?z=14&t=k", nothing, "another query parameter"},
        {"geo:54.7104,20.5101?", nothing},
        {"geo:54.7104,20.5101?z=14;u=35", nothing, "the query comes last"},
        {"geo:91,10", nothing},
        {"geo:50.4,180.5", nothing},
        {"geo:50.4;10.7", nothing},
        {"geo:50.4,10.7,5,6", nothing},
        {"geo:50.4,10.7 und mehr", nothing},
        {"geo:", nothing},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(CoordinateNotations, MapLinks)
{
    const Row rows[] = {
        {"https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=15/50.41484/10.76943",
         reads(N::MapLink, 10.76943, 50.41484)},
        {"https://www.openstreetmap.org/#map=15/50.41484/10.76943", reads(N::MapLink, 10.76943, 50.41484)},
        {"https://www.openstreetmap.org/#map=15/-33.9/18.4&layers=H", reads(N::MapLink, 18.4, -33.9)},
        {"https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=12/51.5/11.5",
         reads(N::MapLink, 10.76943, 50.41484), "the marker wins over the view"},
        {"http://osm.org/?mlon=10.7&zoom=5&mlat=50.4", reads(N::MapLink, 10.7, 50.4)},
        {"https://www.google.com/maps/@50.41484,10.76943,17z", reads(N::MapLink, 10.76943, 50.41484)},
        {"https://www.google.de/maps/@-33.9,18.4,3a,75y/data=!3m6", reads(N::MapLink, 18.4, -33.9)},
        {"https://www.google.com/maps/place/Ort/@50.5,10.5,17z/data=!3m1!4b1!4m6!3m5!1s0x0:0x0!8m2"
         "!3d50.41484!4d10.76943!16s%2Fg",
         reads(N::MapLink, 10.76943, 50.41484), "the place wins over the centre of the view"},
        {"HTTPS://WWW.GOOGLE.COM/maps/place/@50.5,10.5,17z/data=!3d50.41484!4d10.76943",
         reads(N::MapLink, 10.76943, 50.41484)},
        {"https://www.google.com/maps/embed?pb=!1m3!1d2527!2d10.7!3d50.4!2m3!1f0", nothing,
         "a third value that is no place"},
        {"https://www.openstreetmap.org/?mlat=50.4#map=15/50.41484/10.76943", nothing, "a marker without mlon"},
        {"https://www.openstreetmap.org/?mlat=50.4&mlon=x#map=15/50.41484/10.76943", nothing},
        {"https://www.openstreetmap.org/?mlat=50.4&mlon=10.7&mlat=51.0", nothing, "two markers that disagree"},
        {"https://www.openstreetmap.org/?mlat=50&mlat=51&mlon=10#map=12/50.5/10.5", nothing,
         "markers that disagree, refused rather than read at the view centre behind them"},
        {"https://www.openstreetmap.org/?mlat=95&mlon=10", nothing},
        {"https://www.openstreetmap.org/#map=15/50.41484", nothing},
        {"https://www.google.com/maps/place/@50.4,10.7,17z/data=!3d50.4!4d10.7!3d51.0!4d11.0", nothing},
        {"https://www.google.com/maps/@50.4,10.7,17z/x/@51.0,11.0,17z", nothing, "two views that disagree"},
        {"https://www.openstreetmap.org/?mlat=50.4&mlon=10.7 Berlin", nothing},
        {"https://www.google.com/maps/search/pizza", nothing},
        {"https://example.org/", nothing},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(CoordinateNotations, UtmGridReferences)
{
    const Row rows[] = {
        {"32U 625712 5586252", grid(32, 625712, 5586252)},
        {"32 U 625712 5586252", grid(32, 625712, 5586252)},
        {"32U 625712mE 5586252mN", grid(32, 625712, 5586252)},
        {"32U 625712 E 5586252 N", grid(32, 625712, 5586252)},
        {"32U 625712,5 5586252.25", grid(32, 625712.5, 5586252.25), "both decimal marks"},
        {"(05U 625712 5586252)", grid(5, 625712, 5586252)},
        {"34H 261878 6243186", grid(34, 261878, 6243186 - 10'000'000.0), "south: the false northing goes"},
        {"1C 500000 1557312", grid(1, 500000, 1557312 - 10'000'000.0)},
        {"60M 500000 9500000", grid(60, 500000, -500000)},
        {"31N 500000 500000", grid(31, 500000, 500000)},
        {"32N 625712 5586252", grid(32, 625712, 5586252), "N read as the hemisphere gives the same"},
        {"33X 500000 8700000", grid(33, 500000, 8700000)},
        {"33X 500000 9100000", grid(33, 500000, 9100000), "band X reaches 84 degrees north: about 82 degrees"},
        {"32M 500000 10000000", grid(32, 500000, 0), "the equator from the south"},
        {"0U 625712 5586252", nothing},
        {"61U 625712 5586252", nothing},
        {"32I 625712 5586252", nothing},
        {"32O 625712 5586252", nothing},
        {"32A 625712 5586252", nothing},
        {"32Y 625712 5586252", nothing},
        {"32u 625712 5586252", nothing},
        {"32S 625712 5586252", nothing, "the northing lies in band U, not S"},
        {"34S 261878 6243186", nothing, "S for south is not read as band S"},
        {"32U 0 5586252", nothing},
        {"32U 1000000 5586252", nothing},
        {"32N 500000 10000001", nothing},
        {"32U 625712", nothing},
        {"32U 625712 5586252 9", nothing},
        {"32U 625712 5586252 Berlin", nothing},
        {"32.5U 625712 5586252", nothing},
        {"325U 625712 5586252", nothing},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

// Where the five notations end without coordinates: the message or notation
// 1's or 4's conversion error today; what the notations here make of it.
TEST_P(CoordinateNotations, TakeOverWhereTheFiveNotationsEnd)
{
    enum class Today { Message, ConvertError };
    struct Case {
        std::string text;
        Today today;
        Expected expected;
    };
    const Case cases[] = {
        {"52.52 Nord, 13.405 Ost", Today::ConvertError, reads(N::HemisphereDecimal, 13.405, 52.52)},
        {"13.405\xB0 Ost, 52.52\xB0 Nord", Today::ConvertError, reads(N::HemisphereDecimal, 13.405, 52.52)},
        {"13,405 Ost, 52,52 Nord", Today::ConvertError, reads(N::HemisphereDecimal, 13.405, 52.52)},
        {"52\xB0" "31'N 13\xB0" "24'E", Today::Message, reads(N::DegreesDecimalMinutes, 13.4, 52 + 31.0 / 60)},
        {"East 12\xB0" "34.5' North 51\xB0" "23'", Today::Message,
         reads(N::DegreesDecimalMinutes, 12 + 34.5 / 60, 51 + 23.0 / 60)},
        {"50.41484, 10.76943", Today::Message, reads(N::DecimalPair, 10.76943, 50.41484)},
        {"32U 625712 5586252", Today::Message, grid(32, 625712, 5586252)},
        {"geo:50.41484,10.76943", Today::Message, reads(N::GeoUri, 10.76943, 50.41484)},
        {"Koordinaten", Today::Message, nothing},
        {"jo62qm", Today::Message, nothing},
        {"52\xB0" "31'N 13\xB0" "24'", Today::Message, nothing},
        {"Ost Nord", Today::ConvertError, nothing},
        {"Lat: (51.25) Lon: (x)", Today::ConvertError, nothing},
        {"Lat: 51.25 Lon: 1.5 (", Today::ConvertError, nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("text [" + c.text + "]");
        // The five alone end without coordinates ...
        if (c.today == Today::Message)
            EXPECT_THROW(readFixedNotations(c.text, GetParam()), NoCoordinatesError);
        else
            EXPECT_THROW(readFixedNotations(c.text, GetParam()), EConvertError);
        // ... and the reader's entry gives what the notations read, or the
        // five's own failure.
        const Expected& e = c.expected;
        if (!e.read) {
            if (c.today == Today::Message)
                EXPECT_THROW(readCoordinates(c.text, GetParam()), NoCoordinatesError);
            else
                EXPECT_THROW(readCoordinates(c.text, GetParam()), EConvertError);
            continue;
        }
        const std::optional<ClipboardPosition> r = readCoordinates(c.text, GetParam());
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->notation, ReadNotation(e.notation));
        checkPosition(r->position, e);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, CoordinateNotations, ::testing::Values(germanSeparators, pointSeparators),
                         [](const ::testing::TestParamInfo<Separators>& info) {
                             return info.param.decimal == ',' ? std::string("DecimalComma")
                                                              : std::string("DecimalPoint");
                         });

} // namespace
} // namespace zelv
