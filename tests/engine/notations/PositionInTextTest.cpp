// One position amid other text, and the wikitext templates: what the entry
// reads where every other form gives nothing, and the near misses that must
// stay refused.
#include "EntryRows.h"
#include "InLocale.h"

#include <gtest/gtest.h>

namespace zelv {
namespace {

using namespace entry_rows;

class PositionInText : public ::testing::TestWithParam<Separators> {};

constexpr double second = 1.0 / 3600;
constexpr double minute = 1.0 / 60;

TEST_P(PositionInText, OnePositionWhateverStandsAround)
{
    const Row rows[] = {
        {"liegt bei 54.5812\xB0N 12.7089\xB0O;", point(ReadForm::Pair, 54.5812, 12.7089),
         "the program's own location text"},
        {"liegt bei -33.92490\xB0N -18.42410\xB0O;",
         refused(RefusalKind::SignAndDirection, {"\x84-33.92490\xB0N\x93", "Vorzeichen und eine Himmelsrichtung"}),
         "a sign beside a compass letter is not read"},
        {"Gussew\t?????\tGumbinnen\tGussew\t29.234\t22.181\t54\xB0 35' N, 22\xB0 12' O",
         point(ReadForm::Pair, 54 + 35 * minute, 22.2), "population figures before a position"},
        {"Pi\xEAkne ??ki (54\xB0 19' 11'' N, 22\xB0 16' 7''O)",
         point(ReadForm::Pair, 54 + 19 * minute + 11 * second, 22 + 16 * minute + 7 * second),
         "a place name and brackets"},
        {"Koordinaten 13.405 Ost, 52.52 Nord", point(ReadForm::Pair, 52.52, 13.405),
         "notation 1 stumbles on the word before; the label without its colon is read"},
        {"52.52, 13.405 / 13.405\xB0 Ost, 52.52\xB0 Nord!", point(ReadForm::Pair, 52.52, 13.405),
         "one complete position beside a bare pair that agrees"},
        {"It is very roughly near latitude 54\xB0N, longitude 021\xB0" "E.", point(ReadForm::Pair, 54, 21),
         "prose with the words of the axes"},
        {"53\xB0 50' 42'' nord, 21\xB0 08' 35'' est", point(ReadForm::Pair, 53.845, 21 + 8 * minute + 35 * second),
         "French words"},
        {"54 \xB0 46 ' Norden, 20 \xB0 36 ' Osten", point(ReadForm::Pair, 54 + 46 * minute, 20.6),
         "German nouns of the directions"},
        {"Antipode: 54\xB0S 161\xB0W", point(ReadForm::Pair, -54, -161), "south and west"},
        {"55\xB0" "8'10''N, 21\xB0" "54'20''E (G)",
         point(ReadForm::Pair, 55 + 8 * minute + 10 * second, 21 + 54 * minute + 20 * second),
         "a lone letter after the position is no half of another"},
        {"Ort: N 54\xB0 12' O 21\xB0 6' (Kirche)", point(ReadForm::Pair, 54.2, 21.1),
         "letters before the numbers, nothing after them"},
        {"Nord 54\xB0 12' Ost 21\xB0 6' N 54\xB0 12' O 21\xB0 6'", point(ReadForm::Pair, 54.2, 21.1),
         "the same position twice, letters before"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(PositionInText, GluedRepeatsThatAgree)
{
    const Row rows[] = {
        {"Koordinaten: 54\xB0 52' N, 21\xB0 6' O54.86666666666721.1Koordinaten: 54\xB0 52' N, 21\xB0 6' O",
         point(ReadForm::Pair, 54.866666666667, 21.1, 1e-12), "hidden decimals and the label repeated"},
        {"55\xB0 5' N, 21\xB0 53' O (mapo)55.08083333333321.886388888889Koordinatoj: 55\xB0 5' N, 21\xB0 53' O (mapo)",
         point(ReadForm::Pair, 55.080833333333, 21.886388888889, 1e-12),
         "hidden decimals finer than the minutes shown, and within them"},
        {"Geographische Lage: 54\xB0 13' N, 21\xB0 46' OKoordinaten: 54\xB0 12' 48'' N, 21\xB0 45' 58'' O",
         point(ReadForm::Pair, 54 + 12 * minute + 48 * second, 21 + 45 * minute + 58 * second),
         "the minute form glued to the second form: the finer is taken"},
        {"Koordinaten: 54\xB0 01' N, 21\xB0 23' O54\xB0 01' N, 21\xB0 23' O",
         point(ReadForm::Pair, 54 + 1 * minute, 21 + 23 * minute), "a cell copied twice"},
        {"Coordinates: 54\xB0" "48'N21\xB0" "25'E / 54.800\xB0N 21.417\xB0" "E", point(ReadForm::Pair, 54.8, 21.417),
         "N glued to the longitude; minutes and three decimals agree, the decimals are finer"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(PositionInText, MarksAsPeopleSetThem)
{
    const Row rows[] = {
        {"Koordinaten (Mor?g): 53 \xB0 55'N 19 \xB0 56'E / 53,917 \xB0 N 19,933 \xB0 O.",
         point(ReadForm::Pair, 53.917, 19.933), "blanks around the signs, decimal commas"},
        {"Wilkasy bei 21\xB0" "43\xB4" "30\" O, 54\xB0" "1\xB4" "20\" N",
         point(ReadForm::Pair, 54 + 1 * minute + 20 * second, 21 + 43 * minute + 30 * second),
         "acute accent for minutes, longitude first"},
        {"Coordinates: 54\xB0" "58N 20\xB0" "29E / 54.967\xB0N 20.483\xB0" "E", point(ReadForm::Pair, 54.967, 20.483),
         "minute marks missing before the letters"},
        {"Ort: 53 49.962N 013 40.148E", point(ReadForm::Pair, 53 + 49.962 * minute, 13 + 40.148 * minute),
         "aviation's degrees and decimal minutes"},
        {"Ort: N 50\xB0 00.759' E 008\xB0 58.086'", point(ReadForm::Pair, 50 + 0.759 * minute, 8 + 58.086 * minute),
         "letters before decimal minutes"},
        {"Koordinaten: 53 \xB0 24'47 '' ?.?. 19 \xB0 45'39 '' ????? / 53.41306 \xB0 N 19.76083 \xB0 E",
         point(ReadForm::Pair, 53.41306, 19.76083), "a half without known letters beside a complete position"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(PositionInText, LettersOfOtherLanguagesOnlyWithTheirPartners)
{
    const Row rows[] = {
        {"Poloha: 53\xB0" "47'S 20\xB0" "30'V", point(ReadForm::Pair, 53 + 47 * minute, 20.5),
         "Slovak S (sever) beside V (v\xFD" "chod) is north"},
        {"Poloha: 53\xB0" "47'J 20\xB0" "30'Z",
         point(ReadForm::Pair, -(53 + 47 * minute), -20.5), "j\xE1h and z\xE1pad"},
        {"Koordinatlar: 53 \xB0 49'17 '' K 22 \xB0 21'44'' D",
         point(ReadForm::Pair, 53 + 49 * minute + 17 * second, 22 + 21 * minute + 44 * second),
         "Turkish kuzey and do\xF0u"},
        {"Poloha: 53\xB0" "47'N 20\xB0" "30'V", refused({"\x84N\x93 und \x84V\x93", "nicht zusammen"}),
         "V has no partner in N"},
        {"Poloha: 53\xB0" "47'K 20\xB0" "30'E", refused({"\x84K\x93 und \x84" "E\x93", "nicht zusammen"}),
         "K has no partner in E"},
        {"Sou?adnice: 53,200 \xB0 S 22,383 \xB0 E, severn\xED \x9A\xED?ky", refused({"\x84S\x93", "sever"}),
         "S beside E in a Czech text could mean either"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

// The reader passes over the prose between numbers; the letters right
// after a position and right before one must still be read.
TEST_P(PositionInText, PositionsAmidLongProse)
{
    std::string prose;
    for (int i = 0; i < 20; ++i)
        prose += " Das Dorf (Kreis Gumbinnen) hat eine Kirche; sie steht am Markt. ";
    const auto amid = [&](const std::string& position) { return prose + position + prose; };
    const Row rows[] = {
        {amid("54\xB0 12' N 21\xB0 6' O"), point(ReadForm::Pair, 54.2, 21.1), "letters after the numbers"},
        {amid("N 54\xB0 12', O 21\xB0 6'"), point(ReadForm::Pair, 54.2, 21.1), "letters before the numbers"},
        {amid("(N. 54.2, O. 21.1)"), point(ReadForm::Pair, 54.2, 21.1), "abbreviated, in brackets"},
        {amid("bei latitude 54\xB0N, longitude 021\xB0" "E"), point(ReadForm::Pair, 54, 21), "words of the axes"},
        {amid("54\xB0 12' N") + amid("21\xB0 6' O"),
         refused(RefusalKind::HalvesApart, {"\x84" "54\xB0 12' N\x93 und \x84" "21\xB0 6' O\x93 nicht beieinander"}),
         "halves far apart are no position"},
        {amid("54\xB0 12' N 21\xB0 6' O") + amid("54\xB0 52' N 21\xB0 6' O"), refused({"zwei Positionen"}),
         "two positions far apart that disagree"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(PositionInText, NearMissesStayRefused)
{
    const Row rows[] = {
        {"Koordinaten: 54\xB0 52' N, 21\xB0 6' O Koordinaten: 54\xB0 12' N, 21\xB0 6' O",
         refused({"zwei Positionen", "54\xB0 52' N", "54\xB0 12' N"}), "two positions that disagree"},
        {"Koordinaten: 54\xB0 52' N, 21\xB0 6' O54.96666666666721.1", refused({"zwei Positionen"}),
         "hidden decimals that disagree with the position shown"},
        {"Einwohner 29.234, 22.181, H\xF6he 240 m", refused({"nur Zahlen", "mehr als zwei"}),
         "population figures and a height, no position"},
        {"Bamberg BY 240 49.8743 10.9206", refused({"nur Zahlen"}), "a station height before two decimals"},
        {"Geographische Lage: 20,483333333333|primary dim=10000 globe= name= region=PL-WN type=city", noCoordinates,
         "template debris with one number"},
        {"liegt bei 54.5812\xB0N", refused({"54.5812\xB0N", "fehlt die L\xE4nge"}), "half a position"},
        {"54.86666666666721.1", noCoordinates, "hidden decimals alone"},
        {"Die Grenze verl\xE4uft nach Westen. 54\xB0 12' N 21\xB0 6' O",
         refused({"zwei Positionen", "Westen. 54\xB0 12' N 21\xB0 6'", "54\xB0 12' N 21\xB0 6' O"}),
         "a compass word before the numbers and letters after them read two ways"},
        {"liegt bei 95.5\xB0N 12.7\xB0O;",
         refused(RefusalKind::LatitudeBeyond, {"Breite \x84" "95.5\xB0N\x93 jenseits von 90\xB0"}),
         "a latitude beyond 90 degrees"},
        {"52\xB0" "31'12\"N 31\xB0" "04'18\" W of Ferro",
         refused(RefusalKind::FerroWest, {"westlich von Ferro"}), "not Greenwich's meridian"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

TEST_P(PositionInText, WikitextTemplates)
{
    const Row rows[] = {
        {"{{coord|54|5|N|21|23|E|region:PL|display=title,inline}}",
         point(ReadForm::WikiTemplate, 54 + 5 * minute, 21 + 23 * minute), "degrees and minutes"},
        {"{{Coord|54|5|12|N|21|23|30.5|W}}",
         point(ReadForm::WikiTemplate, 54 + 5 * minute + 12 * second, -(21 + 23 * minute + 30.5 * second)),
         "seconds, west"},
        {"{{coord|54|S|21|E}}", point(ReadForm::WikiTemplate, -54, 21), "whole degrees"},
        {"{{coord|54.0833|21.3833|display=inline}}", point(ReadForm::WikiTemplate, 54.0833, 21.3833), "decimal"},
        {"{{coord|-33.9249|18.4241}}", point(ReadForm::WikiTemplate, -33.9249, 18.4241), "signed decimal"},
        {"{{coord|54.5|N|21.25|E}}", point(ReadForm::WikiTemplate, 54.5, 21.25), "decimal with letters"},
        {"| Lage = {{Coordinate|NS=54/17/34/N|EW=22/39/26/E|type=city|region=PL-WN}} Dorf",
         point(ReadForm::WikiTemplate, 54 + 17 * minute + 34 * second, 22 + 39 * minute + 26 * second),
         "German Wikipedia's template amid an infobox line"},
        {"{{Coordinate|article=/|NS=54.29278|EW=-22.65722}}", point(ReadForm::WikiTemplate, 54.29278, -22.65722),
         "signed decimals; other parameters ignored"},
        {"{{coord|54|65|N|21|23|E}}", refused({"Vorlage"}), "minutes of 60 and more"},
        {"{{coord|54.5|5|N|21|23|E}}", refused({"Vorlage"}), "decimals before the last part"},
        {"{{Coordinate|NS=54/17/34/N|type=city}}", refused({"Vorlage"}), "no longitude"},
        {"{{coord|95|0|N|21|23|E}}", refused({"Vorlage"}), "a latitude beyond 90 degrees"},
        {"{{Infobox Ort|Name=Gusev}}", noCoordinates, "another template"},
    };
    for (const Row& row : rows)
        check(row, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Locales, PositionInText, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
