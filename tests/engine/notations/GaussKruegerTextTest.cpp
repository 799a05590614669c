// Gauß-Krüger text: every form in zones 2 to 7, the texts that must not read,
// and the clipboard reader's order, under both locales' separators.
#include "EntryRows.h"
#include "GaussKruegerText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

namespace zelv {
namespace {

struct Row {
    std::string text;
    std::optional<GaussKruegerPosition> expected; // nullopt: not read
};

GaussKruegerPosition gk(int zone, double easting, double northing) { return {zone, easting, northing}; }

// The texts themselves do not depend on the locale; each row runs under
// both, through the reader alone and through the clipboard reader's entry.
class GaussKruegerText : public ::testing::TestWithParam<Separators> {};

const Row forms[] = {
    // labelled, the labels and their marks
    {"R 4412345 H 5598765", gk(4, 4412345, 5598765)},
    {"RW: 4412345 HW: 5598765", gk(4, 4412345, 5598765)},
    {"RW:4412345 HW:5598765", gk(4, 4412345, 5598765)},
    {"Rechtswert = 2512345, Hochwert = 5612345", gk(2, 2512345, 5612345)},
    {"Rechts: 3412345; Hoch: 5398765", gk(3, 3412345, 5398765)},
    {"rechtswert 3412345 hochwert 5398765", gk(3, 3412345, 5398765)},
    {"R=5412345\nH=5798765", gk(5, 5412345, 5798765)},
    {"R 5412345\r\nH 5798765\r\n", gk(5, 5412345, 5798765)},
    // the labels give the order
    {"H 5664319 R 6432378", gk(6, 6432378, 5664319)},
    {"Hochwert: 6064646, Rechtswert: 7468677", gk(7, 7468677, 6064646)},
    // grouped digits: blanks and no-break spaces (thin spaces arrive as these)
    {"R 4 412 345 H 5 598 765", gk(4, 4412345, 5598765)},
    // As maps print the grid values, big and small digits apart: 2-2-3.
    {"R 64 32 378 H 56 64 319", gk(6, 6432378, 5664319)},
    {"R: 64 94 731, H: 56 14 739", gk(6, 6494731, 5614739)},
    {"H 56 64 319 R 64 32 378", gk(6, 6432378, 5664319)},
    {"Rechtswert 34 12 345 Hochwert 5 398 765", gk(3, 3412345, 5398765)},
    {"R 4\xA0" "412\xA0" "345 H 5\xA0" "598\xA0" "765", gk(4, 4412345, 5598765)},
    {"4 412 345 5 598 765", gk(4, 4412345, 5598765)},
    {"44 12 345 5598765", std::nullopt}, // a group of two inside
    // decimals with point or comma
    {"R 4412345.67 H 5598765.4", gk(4, 4412345.67, 5598765.4)},
    {"R 4412345,67; H 5598765,4", gk(4, 4412345.67, 5598765.4)},
    {"4412345,5, 5598765,25", gk(4, 4412345.5, 5598765.25)},
    // unlabelled, Rechtswert first, zones 2 to 7
    {"2512345 5612345", gk(2, 2512345, 5612345)},
    {"3412345, 5398765", gk(3, 3412345, 5398765)},
    {"4412345;5598765", gk(4, 4412345, 5598765)},
    {"  5412345\n5798765  ", gk(5, 5412345, 5798765)},
    {"6432378 5664319", gk(6, 6432378, 5664319)},
    {"7468677 6064646", gk(7, 7468677, 6064646)},
    // the Hochwert's bounds are included
    {"4412345 5000000", gk(4, 4412345, 5000000)},
    {"4412345 6200000", gk(4, 4412345, 6200000)},
};

const Row notRead[] = {
    {"441234 559876", std::nullopt},           // six digits
    {"R 441234 H 5598765", std::nullopt},      // six digits, labelled
    {"44123456 55987650", std::nullopt},       // eight digits
    {"4412345 4999999", std::nullopt},         // Hochwert below the range
    {"4412345 6200001", std::nullopt},         // and above it
    {"R 4412345 H 6300000", std::nullopt},     // labelled as well
    {"1412345 5598765", std::nullopt},         // zone digit 1
    {"8412345 5598765", std::nullopt},         // zone digit 8
    {"9412345 5598765", std::nullopt},         // zone digit 9
    {"0412345 5598765", std::nullopt},         // zone digit 0
    {"0441 1234567", std::nullopt},            // a telephone number
    {"5598765 4412345", std::nullopt},         // unlabelled the other way round
    {"R 4412345 R 5598765", std::nullopt},     // the same label twice
    {"R 4412345 5598765", std::nullopt},       // one label only
    {"X 4412345 Y 5598765", std::nullopt},     // other labels
    {"Rx 4412345 H 5598765", std::nullopt},    // a label run on
    {"4412345 5598765 m", std::nullopt},       // more than the notation
    {"4412345 5598765 4412345", std::nullopt}, // a third number
    {"4412345H5598765", std::nullopt},         // no separator
    {"4412345,5598765", std::nullopt},         // a decimal comma, then nothing
    {"4412345.5.5 5598765", std::nullopt},     // two decimal marks
    {"-4412345 5598765", std::nullopt},        // a sign
    {"4412345", std::nullopt},                 // one number
    {"64 32 378 56 64 319", std::nullopt},     // map groups without labels
    {"R 64 32 37 H 56 64 319", std::nullopt},  // 2-2-2
    {"R 64 32 3788 H 56 64 319", std::nullopt},// 2-2-4
    {"R 64 3 378 H 56 64 319", std::nullopt},  // 2-1-3
    {"R 84 32 378 H 56 64 319", std::nullopt}, // zone digit 8 in map groups
    {"R 64 32 378 H 62 64 319", std::nullopt}, // Hochwert beyond the sheets
};

void check(const Row& row, Separators separators)
{
    SCOPED_TRACE(row.text);
    const std::optional<GaussKruegerPosition> read = readGaussKruegerText(row.text);
    ASSERT_EQ(read.has_value(), row.expected.has_value());
    if (!read)
        return;
    EXPECT_EQ(read->Zone, row.expected->Zone);
    EXPECT_DOUBLE_EQ(read->Easting, row.expected->Easting);
    EXPECT_DOUBLE_EQ(read->Northing, row.expected->Northing);

    // The clipboard reader gives the same, as Gauß-Krüger values.
    entry_rows::check({row.text, entry_rows::grid(ReadForm::GaussKrueger, read->Zone, read->Easting, read->Northing)},
                      separators);
}

TEST_P(GaussKruegerText, EveryFormInZones2To7)
{
    for (const Row& row : forms)
        check(row, GetParam());
}

TEST_P(GaussKruegerText, TextsThatAreNoGaussKrueger)
{
    for (const Row& row : notRead)
        check(row, GetParam());
}

TEST_P(GaussKruegerText, TheOtherNotationsComeFirst)
{
    const entry_rows::Row rows[] = {
        {"50.41484, 10.76943", entry_rows::point(ReadForm::Pair, 50.41484, 10.76943),
         "a text another form reads stays with it"},
        {"0441 1234567", entry_rows::noCoordinates, "a text that no form reads"},
    };
    for (const entry_rows::Row& row : rows)
        entry_rows::check(row, GetParam());
}

TEST(GaussKruegerZone, MeridianAndReferenceEasting)
{
    const struct {
        int zone, meridian;
        long long referenceEasting;
    } zones[] = {{2, 6, 2500000}, {3, 9, 3500000}, {4, 12, 4500000},
                 {5, 15, 5500000}, {6, 18, 6500000}, {7, 21, 7500000}};
    for (const auto& z : zones) {
        EXPECT_EQ(gaussKruegerMeridian(z.zone), z.meridian) << z.zone;
        EXPECT_EQ(gaussKruegerReferenceEasting(z.zone), z.referenceEasting) << z.zone;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, GaussKruegerText, ::testing::Values(germanSeparators, pointSeparators),
                         [](const ::testing::TestParamInfo<Separators>& info) {
                             return std::string(info.param.decimal == ',' ? "German" : "Point");
                         });

} // namespace
} // namespace zelv
