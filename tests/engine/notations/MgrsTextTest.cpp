// MGRS grid references through the clipboard reader: the forms people copy,
// the references that get a message of their own, and random points in every
// zone and band against GeographicLib's GeoConvert.
#include "EntryRows.h"
#include "InLocale.h"

#include <cmath>

namespace zelv {
namespace {

using namespace entry_rows;
constexpr ReadForm mgrs = ReadForm::Mgrs;

class MgrsTexts : public ::testing::TestWithParam<Separators> {};

TEST_P(MgrsTexts, FillZoneEastingAndNorthing)
{
    const Row rows[] = {
        {"32UPA2571186252", grid(mgrs, 32, 625711, 5586252), "1 m: the digits as written"},
        {"33UUU 91779 20072", grid(mgrs, 33, 391779, 5820072)},
        {"33U UU 9177 2007", grid(mgrs, 33, 391775, 5820075), "10 m: the centre of the square"},
        {"33UUU91772007", grid(mgrs, 33, 391775, 5820075)},
        {"32UPA", grid(mgrs, 32, 650000, 5550000), "no digits: the centre of the 100 km square"},
        {"32UPA 2 8", grid(mgrs, 32, 625000, 5585000)},
        {"\t32UPA 25711 86252\r\n", grid(mgrs, 32, 625711, 5586252), "blanks and a line break around it"},
        {"4QFJ1234567890", grid(mgrs, 4, 612345, 2367890), "one-digit zone"},
        {"04QFJ12345 67890", grid(mgrs, 4, 612345, 2367890), "zone with a leading zero"},
        {"34HBH6187843186", grid(mgrs, 34, 261878, 6243186 - 10'000'000), "south: counted from the equator"},
        {"38MPE 5 5", grid(mgrs, 38, 655000, -45000), "a square across the equator, band M"},
        {"38NPF 5 5", grid(mgrs, 38, 655000, 55000), "the same square from the north, band N"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(MgrsTexts, RecognisedButUnusable)
{
    const Row rows[] = {
        {"32UPA257118625", refused({"MGRS", "\x84" "32UPA257118625\x93", "es sind 9"}), "an odd number of digits"},
        {"32UPA 2571 86252", refused({"MGRS", "4 und 5"})},
        {"32UPA 257111 862521", refused({"MGRS", "f\xFCnf"}), "finer than 1 m"},
        {"61UPA 1 1", refused({"MGRS", "61", "1 bis 60"})},
        {"0UPA 1 1", refused({"MGRS", "Zone 0"})},
        {"32UAA 1 1", refused({"MGRS", "\x84" "AA\x93", "32U"}), "the column letter of another zone"},
        {"38NPE 5 5", refused({"MGRS", "PE", "38N"}), "a square wholly south of its band"},
        {"38VMS", refused({"MGRS", "MS"}), "north of band V"},
        {"ZGC 12345 67890", refused({"MGRS", "Polargebiet", "UTM-Felder"}), "polar: UPS"},
        {"BAN1234567890", refused({"MGRS", "Polargebiet"})},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(MgrsTexts, TextsThatAreNoReference)
{
    const Row rows[] = {
        {"32upa2571186252", noCoordinates, "small letters"},
        {"32 UPA 25711 86252", noCoordinates, "a blank between zone and band"},
        {"32UPA 2571 1 86252", noCoordinates, "three digit runs"},
        {"32UPA2571186252 Berlin", noCoordinates},
        {"123UPA 1 1", noCoordinates},
        {"32IPA 1 1", noCoordinates, "I is no band"},
        {"ZGC", noCoordinates, "a word: polar needs digits"},
        {"ABC 1", noCoordinates},
        {"12Uhr", noCoordinates},
        {"INV", noCoordinates},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

// Random points in all 60 zones and 20 bands, none to five digit pairs;
// every third reference written with blanks, as GPS units print them.
struct OracleRow {
    const char* text;
    int zone;
    double centreEasting;  // of the square, by GeoConvert
    double centreNorthing; // counted from the equator
    double pointEasting;   // of the point the reference was made from
    double pointNorthing;
    double squareSize;
};

const OracleRow oracleRows[] = {
#include "MgrsAgainstGeoConvert.inc"
};

TEST_P(MgrsTexts, AgreeWithGeoConvertInEveryZoneAndBand)
{
    for (const OracleRow& row : oracleRows) {
        SCOPED_TRACE(row.text);
        const ReaderResult result = readCoordinatesOfUtf8(row.text, GetParam());
        const auto* r = std::get_if<Reading>(&result);
        ASSERT_NE(r, nullptr) << describe(result);
        EXPECT_EQ(r->form, ReadForm::Mgrs);
        const auto& u = std::get<UtmPosition>(r->position);
        EXPECT_EQ(u.Zone, row.zone);
        // The centre in whole metres, as the fields hold it.
        EXPECT_EQ(u.Easting, std::floor(row.centreEasting));
        EXPECT_EQ(u.Northing, std::floor(row.centreNorthing));
        // And within the square's size of the point it was made from.
        EXPECT_LE(std::fabs(u.Easting - row.pointEasting), row.squareSize);
        EXPECT_LE(std::fabs(u.Northing - row.pointNorthing), row.squareSize);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, MgrsTexts, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
