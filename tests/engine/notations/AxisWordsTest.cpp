// Latitude and longitude named by their axis words, through the reader.
#include "EntryRows.h"
#include "InLocale.h"

namespace zelv {
namespace {

using namespace entry_rows;

class AxisWords : public ::testing::TestWithParam<Separators> {};

TEST_P(AxisWords, EitherOrderWithOrWithoutColons)
{
    const Row rows[] = {
        {"Breite 54.7104, L\xE4nge 20.5101", point(ReadForm::Pair, 54.7104, 20.5101)},
        {"Breite: 54,7104 L\xE4nge: 20,5101", point(ReadForm::Pair, 54.7104, 20.5101), "decimal commas"},
        {"L\xE4nge 20.5101 Breite 54.7104", point(ReadForm::Pair, 54.7104, 20.5101)},
        {"Latitude: 55.274344 Longitude: 20.970886", point(ReadForm::Pair, 55.274344, 20.970886)},
        {"Long: : 20.489179 - Lat: : 54.681718", point(ReadForm::Pair, 54.681718, 20.489179)},
        {"lat 54.7104 lon 20.5101", point(ReadForm::Pair, 54.7104, 20.5101)},
        {"Lon: -58.3816 / Lat: -34.6037", point(ReadForm::Pair, -34.6037, -58.3816), "signs and a slash"},
        {"Breite: 54\xB0" "42'36'' L\xE4nge: 20\xB0" "30'38''",
         point(ReadForm::Pair, 54 + 42 / 60.0 + 36 / 3600.0, 20 + 30 / 60.0 + 38 / 3600.0)},
        {"Koordinaten: Breite 54.7104, L\xE4nge 20.5101", point(ReadForm::Pair, 54.7104, 20.5101)},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(AxisWords, TextsThatStayUnread)
{
    const Row rows[] = {
        {"Breite 54.7104, Breite 20.5101",
         refused(RefusalKind::TwoLatitudes, {"\x84" "Breite 54.7104\x93", "\x84" "Breite 20.5101\x93"}), "one axis twice"},
        {"Breite 54.7104", refused(RefusalKind::MissingLongitude, {"\x84" "Breite 54.7104\x93"}), "one axis only"},
        {"Breite L\xE4nge 20.5101", refused(RefusalKind::MissingLatitude, {"20.5101\x93"}), "a value missing"},
        {"Breite 95.1, L\xE4nge 20.5", refused(RefusalKind::LatitudeBeyond, {"\x84" "Breite 95.1\x93"}),
         "beyond the pole"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(AxisWords, ShortWordsAndWordsAround)
{
    const Row rows[] = {
        {"Breite: 52.52, 13.405", point(ReadForm::Pair, 52.52, 13.405), "one axis word before a pair"},
        {"Breitengrad 54.7104, L\xE4ngengrad 20.5101", point(ReadForm::Pair, 54.7104, 20.5101), "longer words"},
        {"Lng 20.5 Lat 54.7", point(ReadForm::Pair, 54.7, 20.5), "the latitude comes first whatever the order"},
        {"Ort: Breite 54.7, L\xE4nge 20.5", point(ReadForm::Pair, 54.7, 20.5), "a word before the axis words"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Locales, AxisWords, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
