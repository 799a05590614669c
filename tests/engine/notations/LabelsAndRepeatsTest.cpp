// Labels before coordinates and one position in two or three notations, as
// Wikipedia's articles give them, through the clipboard reader (texts as the
// window hands them on: primes as "'" and "''", invisible characters gone).
#include "EntryRows.h"
#include "InLocale.h"

namespace zelv {
namespace {

using namespace entry_rows;

constexpr double dms(double d, double m, double s) { return d + m / 60 + s / 3600; }
const double goerlitzNorth = dms(51, 9, 10);
const double goerlitzEast = dms(14, 59, 14);

class LabelsAndRepeats : public ::testing::TestWithParam<Separators> {};

TEST_P(LabelsAndRepeats, LabelsAreSkipped)
{
    const Row rows[] = {
        {"Koordinaten: 51\xB0 9' 10'' N, 14\xB0 59' 14'' O",
         point(ReadForm::Pair, goerlitzNorth, goerlitzEast), "German Wikipedia"},
        {"Koordinate: 51.15278, 14.98722", point(ReadForm::Pair, 51.15278, 14.98722)},
        {"Coordinates: 51.15278\xB0N 14.98722\xB0" "E", point(ReadForm::Pair, 51.15278, 14.98722)},
        {"  Position:52.52, 13.405", point(ReadForm::Pair, 52.52, 13.405)},
        {"Lage: 52\xB0" "31'N 13\xB0" "24'O", point(ReadForm::Pair, dms(52, 31, 0), dms(13, 24, 0)),
         "notation 5 after it"},
        {"KOORDINATEN: 52.52, 13.405", point(ReadForm::Pair, 52.52, 13.405)},
        {"Koordinaten 52.52, 13.405", point(ReadForm::Pair, 52.52, 13.405), "a label without its colon"},
        {"Geographische Lage: 53\xB0 41' N, 20\xB0 29' O",
         point(ReadForm::Pair, 53 + 41 / 60.0, 20 + 29 / 60.0), "German Wikipedia's infobox"},
        {"Koordinaten (Mor?g): 53\xB0" "55'N 19\xB0" "56'E", point(ReadForm::Pair, 53 + 55 / 60.0, 19 + 56 / 60.0),
         "a place in brackets, its letter beyond Windows-1252"},
        {"GPS: 54.710162 , 20.510137", point(ReadForm::Pair, 54.710162, 20.510137)},
        {"Position: 32UPA2571186252", grid(ReadForm::Mgrs, 32, 625711, 5586252)},
        {"Position: JO62QM", point(ReadForm::GridLocator, 52.5, 13 + 1.0 / 3),
         "the locator, which alone is notation 3"},
        {"Koordinaten: 13.405 Ost, 52.52 Nord", point(ReadForm::Pair, 52.52, 13.405),
         "notation 1 stumbles on the label; the words are read with either decimal mark"},
        {"Koordinaten: 13,405 Ost, 52,52 Nord", point(ReadForm::Pair, 52.52, 13.405)},
        {"Die Koordinaten: 52.52, 13.405", point(ReadForm::Pair, 52.52, 13.405), "a word before the label"},
        {"Breite: 52.52, 13.405", point(ReadForm::Pair, 52.52, 13.405), "an axis word before the pair"},
        {"Koordinaten- 13.405 Ost, 52.52 Nord", point(ReadForm::Pair, 52.52, 13.405),
         "no label, and notation 1 stumbles; the compass words make the position amid the text"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(LabelsAndRepeats, RepeatsThatAgreeAreRead)
{
    const Row rows[] = {
        {"51\xB0" "09'10''N 14\xB0" "59'14''E / 51.15278\xB0N 14.98722\xB0" "E / 51.15278; 14.98722",
         point(ReadForm::Pair, 51.15278, 14.98722), "English Wikipedia, three notations; the finest first"},
        {"51\xB0" "09'10''N 14\xB0" "59'14''E / 51.15278\xB0N 14.98722\xB0" "E",
         point(ReadForm::Pair, 51.15278, 14.98722)},
        {"51.15278; 14.98722/51\xB0" "09'10''N 14\xB0" "59'14''E", point(ReadForm::Pair, 51.15278, 14.98722),
         "five decimals are finer than whole seconds"},
        {"51\xB0" "09'10''N 14\xB0" "59'14''E / 51.153\xB0N 14.987\xB0" "E",
         point(ReadForm::Pair, goerlitzNorth, goerlitzEast), "whole seconds are finer than three decimals"},
        {"JO62QM / 52.5, 13.3333", point(ReadForm::Pair, 52.5, 13.3333), "four decimals are finer than the locator"},
        {"Coordinates: 51\xB0" "09'10''N 14\xB0" "59'14''E / 51.15278\xB0N 14.98722\xB0" "E",
         point(ReadForm::Pair, 51.15278, 14.98722)},
        {"51\xB0" "09'10''N 14\xB0" "59'14''E / 51\xB0" "09'10.5''N 14\xB0" "59'13.5''E",
         point(ReadForm::Pair, dms(51, 9, 10.5), dms(14, 59, 13.5)),
         "half a second apart: one position, the one to tenths of a second"},
        {"0\xB0" "0'0''N 179\xB0" "59'59.99''E / 0.0; -180.00000",
         point(ReadForm::Pair, 0, dms(179, 59, 59.99)), "across the antimeridian"},
        {"0\xB0" "0'0''N 179\xB0" "59'59.8''E / 0.0; -179.99999",
         refused(RefusalKind::TwoPositions, {"zwei Positionen"}),
         "0.24 seconds across it, more than 0.05 and 0.018 seconds"},
        {"1.5; 2.5 / 1.5; 2.5 / 1.5; 2.5 / 1.5; 2.5", point(ReadForm::Pair, 1.5, 2.5), "four parts"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(LabelsAndRepeats, RepeatsThatDisagreeOrFailGetTheirCause)
{
    const Row rows[] = {
        {"51\xB0" "09'10''N 14\xB0" "59'14''E / 51\xB0" "09'10.6''N 14\xB0" "59'14''E",
         refused(RefusalKind::TwoPositions, {"zwei Positionen", "\x84" "51\xB0" "09'10''N 14\xB0" "59'14''E\x93",
                                             "\x84" "51\xB0" "09'10.6''N 14\xB0" "59'14''E\x93"}),
         "0.6 seconds apart, more than 0.5 and 0.05 seconds"},
        {"51.15278; 14.98722 / 51.15278; 14.98722 / 52.52; 13.405",
         refused(RefusalKind::TwoPositions,
                 {"zwei Positionen", "\x84" "51.15278; 14.98722\x93", "\x84" "52.52; 13.405\x93"})},
        {"52.52; 13.405 / 32U 392000 5820000", refused(RefusalKind::BareNumbers, {"nur Zahlen", "mehr als zwei"}),
         "a grid position cannot be compared here"},
        // "Nordpol" is no compass word, so no complete position stands in
        // the text around (PositionInTextTest reads "... Nord!").
        {"52.52, 13.405 / 13.405\xB0 Ost, 52.52\xB0 Nordpol!",
         refused(RefusalKind::UnknownDirection, {"\x84Nordpol\x93 ist keine bekannte Himmelsrichtung"}),
         "a part on which notation 1 stumbles is not read"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(LabelsAndRepeats, APairBesideAPartWithoutNumbers)
{
    const Row rows[] = {
        {"51.15278; 14.98722 / G\xF6rlitz", point(ReadForm::Pair, 51.15278, 14.98722), "the place's name"},
        {"Berlin / 52.52; 13.405", point(ReadForm::Pair, 52.52, 13.405)},
        {"51.15278; 14.98722 / ", point(ReadForm::Pair, 51.15278, 14.98722), "an empty part"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(LabelsAndRepeats, TextsThatKeepTheReadersMessage)
{
    const Row rows[] = {
        {"12/03/2024", noCoordinates, "a date"},
        {"/", noCoordinates},
        {"Koordinaten: Berlin", noCoordinates},
        {"Koordinaten:", noCoordinates},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Locales, LabelsAndRepeats, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
