// The neighbours' Wikipedias and German Wikipedia's infobox, as the window
// and the batch mode hand their UTF-8 text to the reader: compass words and
// labels of Russian, Lithuanian, Czech, Slovak, Polish and German, the link
// letters that ru.wikipedia's copies bring, and repeated notations that
// agree to their written precision.
#include "EntryRows.h"
#include "InLocale.h"

namespace zelv {
namespace {

using namespace entry_rows;

constexpr double dm(double d, double m) { return d + m / 60; }
constexpr double dms(double d, double m, double s) { return d + m / 60 + s / 3600; }

class CompassWords : public ::testing::TestWithParam<Separators> {
protected:
    void checkAll(std::initializer_list<Row> rows)
    {
        for (const Row& row : rows)
            check(row, GetParam(), Encoding::Utf8);
    }
};

TEST_P(CompassWords, RussianWords)
{
    checkAll({
        {"54°48′00″ с. ш. 21°25′00″ в. д.HGЯO", point(ReadForm::Pair, 54.8, dms(21, 25, 0)),
         "ru.wikipedia with the map links' letters"},
        {"Координаты: 54°43′ с. ш. 20°31′ в. д.", point(ReadForm::Pair, dm(54, 43), dm(20, 31))},
        {"54°43′ с. ш. 20°31′ в. д.", point(ReadForm::Pair, dm(54, 43), dm(20, 31)), "no label"},
        {"33°55′ ю. ш. 18°25′ з. д.", point(ReadForm::Pair, -dm(33, 55), -dm(18, 25))},
        {"54°43′с.ш. 20°31′в.д.", point(ReadForm::Pair, dm(54, 43), dm(20, 31)), "without blanks"},
        {"54°43′ сш 20°31′ вд", point(ReadForm::Pair, dm(54, 43), dm(20, 31)), "without dots"},
        {"54.71° северной широты 20.51° восточной долготы", point(ReadForm::Pair, 54.71, 20.51)},
        {"33.9° южной широты 18.4° западной долготы", point(ReadForm::Pair, -33.9, -18.4)},
        {"54°43′ северной широты и 20°30′ восточной долготы", point(ReadForm::Pair, dm(54, 43), dm(20, 30)),
         "prose joins the halves with 'and'"},
        {"54°43′ с. ш. и",
         refused(RefusalKind::MissingLongitude, {"Nach „54°43′ с. ш.“ fehlt die Länge"}),
         "an 'and' with nothing after it"},
        {"54° с. ш.",
         refused(RefusalKind::MissingLongitude, {"Nach „54° с. ш.“ fehlt die Länge"}), "one coordinate only"},
        {"с. ш. и в. д.", noCoordinates, "words without numbers"},
    });
}

TEST_P(CompassWords, LithuanianCzechAndSlovakWords)
{
    checkAll({
        {"55°42′15″ š. pl. 21°13′10″ r. ilg.", point(ReadForm::Pair, dms(55, 42, 15), dms(21, 13, 10))},
        {"Koordinatės: 55°42′15″ š. pl. 21°13′10″ r. ilg.",
         point(ReadForm::Pair, dms(55, 42, 15), dms(21, 13, 10))},
        {"34°36′ p. pl. 58°22′ v. ilg.", point(ReadForm::Pair, -dm(34, 36), -dm(58, 22))},
        {"50°5′16″ s. š., 14°25′13″ v. d.", point(ReadForm::Pair, dms(50, 5, 16), dms(14, 25, 13))},
        {"Souřadnice: 50°5′16″ s. š., 14°25′13″ v. d.",
         point(ReadForm::Pair, dms(50, 5, 16), dms(14, 25, 13))},
        {"22°54′ j. š., 43°12′ z. d.", point(ReadForm::Pair, -dm(22, 54), -dm(43, 12))},
        {"Souřadnice (Wizna): 53°12′ severní šířky 22°23′ východní délky",
         point(ReadForm::Pair, dm(53, 12), dm(22, 23)), "full Czech words, a place in brackets"},
        {"Súradnice: 48°9′ severnej šírky 17°7′ východnej dĺžky", point(ReadForm::Pair, dm(48, 9), dm(17, 7))},
        {"Souřadnice (Wizna): 53 ° 12 'severní šířky 22 ° 23 'východní délky / 53,200 ° S 22,383 ° E / 53.200; 22.383",
         point(ReadForm::Pair, 53.2, 22.383), "beside Czech words a lone S is sever, north"},
        {"53°12′ jižní šířky 22°23′ východní délky / 53,200° S 22,383° E",
         refused(RefusalKind::TwoPositions, {"zwei Positionen", "„53,200° S 22,383° E“"}),
         "beside Czech words S is north, so the two halves of the text disagree"},
        {"50°5′16″ s. š., 14°25′13″ x. y.",
         refused(RefusalKind::UnknownDirection, {"„x. y.“ ist keine bekannte Himmelsrichtung"}),
         "an unknown word is named"},
        {"55°42′15″ š. pl.", refused(RefusalKind::MissingLongitude, {"fehlt die Länge"})},
        {"21°13′10″ r. ilg.", refused(RefusalKind::MissingLatitude, {"fehlt die Breite"})},
    });
}

TEST_P(CompassWords, PolishAndGermanLabelsAndWords)
{
    checkAll({
        {"Współrzędne: 54°18′19″N 16°28′45″E", point(ReadForm::Pair, dms(54, 18, 19), dms(16, 28, 45))},
        {"Geographische Lage: 53° 41′ N, 20° 29′ O", point(ReadForm::Pair, dm(53, 41), dm(20, 29))},
        {"Geographische Lage 53° 41′ N, 20° 29′ O", point(ReadForm::Pair, dm(53, 41), dm(20, 29)),
         "without the colon"},
        {"Koordinaten 54° 44′ N, 20° 29′ O", point(ReadForm::Pair, dm(54, 44), dm(20, 29))},
        {"Koordinaten (Morąg): 53°55′N 19°56′E", point(ReadForm::Pair, dm(53, 55), dm(19, 56)),
         "a place in brackets"},
        {"GPS: 54.710162 , 20.510137", point(ReadForm::Pair, 54.710162, 20.510137)},
        {"21°43´30\" östliche Länge, 54°1´20\" nördliche Breite",
         point(ReadForm::Pair, dms(54, 1, 20), dms(21, 43, 30))},
        {"33°55′ südliche Breite, 18°25′ westliche Länge", point(ReadForm::Pair, -dm(33, 55), -dm(18, 25))},
        {"23.90448 nördliche Breite und 54.89821 östliche Länge", point(ReadForm::Pair, 23.90448, 54.89821),
         "read as written, even where the page swapped the words"},
        {"54° 42′ n. Br., 20° 31′ ö. L.", point(ReadForm::Pair, dm(54, 42), dm(20, 31))},
        {"Koordinaten (54.7): 54.7, 20.5", refused({"nur Zahlen", "mehr als zwei"}),
         "a number in the brackets is no place, so which two are meant stays open"},
        {"Koordinatensystem: 54.7, 20.5", point(ReadForm::Pair, 54.7, 20.5), "a longer word before a pair"},
    });
}

TEST_P(CompassWords, RepeatsAgreeToTheirWrittenPrecision)
{
    checkAll({
        {"Coordinates: 54°14′N 21°53′E / 54.233°N 21.883°E / 54.233; 21.883",
         point(ReadForm::Pair, 54.233, 21.883), "whole minutes and three decimals; the finer is taken"},
        {"54°14′N 21°53′E / 54.233; 21.883", point(ReadForm::Pair, 54.233, 21.883)},
        {"54°N 21°E / 54°N 21°E", point(ReadForm::Pair, 54, 21), "whole degrees"},
        {"54°N 21°E / 54.4°N 21.4°E", point(ReadForm::Pair, 54.4, 21.4), "half a degree and 0.05"},
        {"54°14′N 21°53′E / 54.2417°N 21.883°E", point(ReadForm::Pair, 54.2417, 21.883),
         "30\" and 0.00005 degrees apart at the most"},
        {"54°14′30″N 21°53′30″E / 54.24167°N 21.89167°E",
         point(ReadForm::Pair, 54.24167, 21.89167), "whole seconds and five decimals"},
        {"54°14′N 21°53′E / 54.243°N 21.883°E",
         refused(RefusalKind::TwoPositions, {"zwei Positionen", "„54°14′N 21°53′E“", "„54.243°N 21.883°E“"}),
         "more than 30\" and 0.0005 degrees"},
        {"54°14′30″N 21°53′30″E / 54.24222°N 21.89194°E",
         refused(RefusalKind::TwoPositions, {"zwei Positionen"}), "a second apart"},
        {"54°N 21°E / 55.1°N 21°E",
         refused(RefusalKind::TwoPositions, {"zwei Positionen"}), "more than half a degree and 0.05 apart"},
    });
}

TEST_P(CompassWords, SlashBetweenLatitudeAndLongitude)
{
    checkAll({
        {"54°42′N / 20°31′E", point(ReadForm::Pair, dm(54, 42), dm(20, 31))},
        {"54°42′36″N / 20°30′38″E", point(ReadForm::Pair, dms(54, 42, 36), dms(20, 30, 38))},
        {"Koordinaten: 54.7104°N/20.5101°O", point(ReadForm::Pair, 54.7104, 20.5101)},
        {"54°42′N / 20°31′N",
         refused(RefusalKind::TwoLatitudes, {"zwei Breiten", "„54°42′N“", "„20°31′N“"}), "two latitudes"},
        {"54°42′N / 20°31′E / 20°31′E", point(ReadForm::Pair, dm(54, 42), dm(20, 31)), "the longitude repeated"},
    });
}

INSTANTIATE_TEST_SUITE_P(Locales, CompassWords, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv
