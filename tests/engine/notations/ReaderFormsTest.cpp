// The forms of latitude and longitude that people copy, as the reader's one
// grammar reads them, and the near misses that must stay refused.  Texts
// are UTF-8, as the window and the batch mode hand them over.
#include "ClipboardReader.h"
#include "ProcessLocale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelv {
namespace {

constexpr double m = 1.0 / 60;
constexpr double s = 1.0 / 3600;

struct Row {
    std::string text;
    double latitude = 0;
    double longitude = 0;
    // Empty where the text reads; else every one of these in the refusal.
    std::vector<std::string> refusal = {};
};

Row refused(std::string text, std::vector<std::string> words) { return {std::move(text), 0, 0, std::move(words)}; }

void check(const Row& row)
{
    SCOPED_TRACE("[" + row.text + "]");
    for (const Separators separators : {germanSeparators, pointSeparators}) {
        const ReaderResult result = readCoordinatesOfUtf8(row.text, separators);
        if (!row.refusal.empty()) {
            const Refusal* r = std::get_if<Refusal>(&result);
            ASSERT_NE(r, nullptr) << "read, but must be refused";
            const std::string message = refusalMessage(*r);
            for (const std::string& word : row.refusal)
                EXPECT_NE(message.find(word), std::string::npos) << "[" << word << "] in: " << message;
            continue;
        }
        const Reading* reading = std::get_if<Reading>(&result);
        ASSERT_NE(reading, nullptr) << (std::holds_alternative<Refusal>(result)
                                            ? refusalMessage(std::get<Refusal>(result))
                                            : std::string("nothing"));
        const auto* p = std::get_if<GeographicPoint>(&reading->position);
        ASSERT_NE(p, nullptr);
        EXPECT_NEAR(p->Latitude, row.latitude, 1e-9);
        EXPECT_NEAR(p->Longitude, row.longitude, 1e-9);
    }
}

const double lat = 51 + 6 * m + 36.5 * s;
const double lon = 17 + 1 * m + 57.2 * s;
const double latS = 51 + 6 * m + 36 * s;
const double lonS = 17 + 1 * m + 57 * s;
const double latM = 51 + 6.608 * m;
const double lonM = 17 + 1.953 * m;

TEST(ReaderForms, SeparatorsInsteadOfMarks)
{
    for (const Row& row : {
             Row{"51 6 36.5, 17 1 57.2", lat, lon},
             Row{"51:06:36N 17:01:57E", latS, lonS},
             Row{"51-06.608N 17-01.953E", latM, lonM},
             Row{"51.06.36N 17.01.57E", latS, lonS},
             Row{"51.06.36,5N 17.01.57,2E", lat, lon},
             Row{"51 6.608, 17 1.953", latM, lonM},
             Row{"N 51° 06.608, E 017° 01.953", latM, lonM},
         })
        check(row);
}

TEST(ReaderForms, LettersWordsAndTypographyAsMarks)
{
    for (const Row& row : {
             Row{"51d 6m 36.5s N 17d 1m 57.2s E", lat, lon},
             Row{"51d 6’ 36\" N 17d 1’ 57\" E", latS, lonS},
             Row{"51deg 6min 36.5sec N 17deg 1min 57.2sec E", lat, lon},
             Row{"51 Grad 6 Minuten 36 Sekunden nördlicher Breite, 17 Grad 1 Minute 57 Sekunden östlicher Länge",
                 latS, lonS},
             Row{"51°06‘36“N 17°01‘57“E", latS, lonS},
             Row{"51°06´36‘‘N 17°01´57‘‘E", latS, lonS},
             Row{"5106.608N01701.953E", latM, lonM},
             Row{"510636.5N0170157.2E", lat, lon},
             // ″ for the minutes too: the first of two is the minutes.
             Row{"54 ° 02″17″N, 21 ° 45″51″E", 54 + 2 * m + 17 * s, 21 + 45 * m + 51 * s},
         })
        check(row);
}

TEST(ReaderForms, HemisphereWordsOfManyLanguages)
{
    const double la = 51 + 6 * m;
    const double lo = 17 + 1 * m;
    for (const Row& row : {
             Row{"51°06′36″ north, 17°01′57″ east", latS, lonS},
             Row{"51°06′36″ south, 17°01′57″ west", -latS, -lonS},
             Row{"at 51°06′ North latitude and 17°01′ East longitude", la, lo},
             Row{"51 Grad 6 Minuten nördlicher Breite und 17 Grad 1 Minute östlicher Länge", la, lo},
             Row{"51:06 Grad nördlicher Breite und 17:01 Grad östlicher Länge", la, lo},
             Row{"52°31' nördlicher Breite, 13°24' östlicher Länge", 52 + 31 * m, 13.4},
             Row{"50°44' n. B. 16°36' ö. L.", 50 + 44 * m, 16.6},
             Row{"Longitude 17° 01′ 57″ EAST, Latitude 51° 06′ 36″", latS, lonS},
             Row{"Ort 54.5 NORD 20.5 OST", 54.5, 20.5},
             Row{"Ort 54.5 nord 20.5 est", 54.5, 20.5},
             Row{"51°06′ norte, 17°01′ este", la, lo},
             Row{"51°06′ nord, 17°01′ ovest", la, -lo},
             Row{"51°06′ noorderbreedte, 17°01′ oost", la, lo},
             Row{"54 ° 05 'nord, 21 ° 23' øst", 54 + 5 * m, 21 + 23 * m},
             Row{"51°06′ N, 17°01′ Ø", la, lo},
             Row{"51°06′ nordlig bredde, 17°01′ østlig længde", la, lo},
             Row{"é. sz. 51° 06′, k. h. 17° 01′", la, lo},
             Row{"51° 06′ с. ш., 17° 01′ и. д.", la, lo},
             Row{"51° 06′ С, 17° 01′ И", la, lo},
             Row{"55° 42′ СГ Ш, 21° 08′ ИГД", 55.7, 21 + 8 * m},
             Row{"51° 06′ šiaurės platumos, 17° 01′ rytų ilgumos", la, lo},
             Row{"51° 06′ š. pl., 17° 01′ r. ilg.", la, lo},
             Row{"51° 06′ severní šířky, 17° 01′ východní délky", la, lo},
             Row{"51° 06′ s. š., 17° 01′ v. d.", la, lo},
             // A machine translation's leftovers after the compass letter.
             Row{"55°51′N. Sch. 21°45′ O E.", 55.85, 21.75},
         })
        check(row);
}

TEST(ReaderForms, LabelledDecimalsInEitherOrder)
{
    for (const Row& row : {
             Row{"lon: 17.0326 / lat: 51.1100", 51.11, 17.0326},
             Row{"Lon=17.0326 Lat=51.1100", 51.11, 17.0326},
             Row{"latitude: 51.11, longitude: 17.0326,", 51.11, 17.0326},
             Row{"Längengrad 17,0326 Breitengrad 51,1100", 51.11, 17.0326},
             Row{"zeměpisná šířka: 50° 46′ 25″ s. š.\nzeměpisná délka: 14° 11′ 46″ v. d",
                 50 + 46 * m + 25 * s, 14 + 11 * m + 46 * s},
         })
        check(row);
}

TEST(ReaderForms, APlainPairInsideProse)
{
    for (const Row& row : {
             Row{"Treffpunkt: 51.110012, 17.032644, dort parken", 51.110012, 17.032644},
             Row{"(P; GPS: 51.110012, 17.032644).", 51.110012, 17.032644},
             Row{"GPS: 51,110012, 17,032644", 51.110012, 17.032644},
             // Repeats give the finest, whichever comes first.
             Row{"51.110012 17.032644 51.11 17.03", 51.110012, 17.032644},
             Row{"51.11 17.03 51.110012 17.032644", 51.110012, 17.032644},
             Row{"51.110012, 17.032644 / 51°06′36″N 17°01′57.5″E", 51.110012, 17.032644},
             Row{"NS=51/06/36/N|EW=17/01/57/E|type=city", latS, lonS},
             Row{"{{coordinate|NS=54.29278|EW=22.65722}}", 54.29278, 22.65722},
         })
        check(row);
}

TEST(ReaderForms, NearMissesStayRefused)
{
    for (const Row& row : {
             refused("Bamberg BY 240 49.8743 10.9206", {"nur Zahlen"}),
             refused("Einwohner 1234, Lage 51.11 17.03", {"nur Zahlen"}),
             refused("zwischen 54°N 16°E und 54°N 15°E", {"zwei Positionen", "„54°N 16°E“", "„54°N 15°E“"}),
             refused("18°60'E\n54°40'N", {"„18°60'“", "60 oder mehr"}),
             refused("51°60'N 17°01'E", {"„51°60'“", "60 oder mehr"}),
             refused("95°N 17°E", {"„95°N“", "jenseits von 90°"}),
             // Beside an angle that is none, a plain pair is not the text's one pair.
             refused("50°60′ Kirche; Lage 54.2, 21.1", {"„50°60′“", "60 oder mehr"}),
             refused("52°31'N 13°24'", {"„13°24'“", "Himmelsrichtung"}),
             refused("54°42′N / 20°31′N", {"zwei Breiten"}),
             refused("54° 12' N" + std::string(300, '.') + "21° 6' O", {"nicht beieinander"}),
             refused("51°06′ N. cii. 17°01′ cala e.", {"„cala“", "keine bekannte Himmelsrichtung"}),
             refused("54?43?N 20?31?O", {"Fragezeichen", "CSV UTF-8"}),
             // A Windows-1252 degree sign in a UTF-8 text: quoted as what was lost.
             refused("52\xB0" "31'N 13\xB0" "24'", {"„52\uFFFD31'N 13\uFFFD24'“", "Ersatzzeichen"}),
             refused("12.03.2024", {"Es befinden sich keine gültigen Koordinaten"}),
             refused("Rechnung 1,2,3", {"Es befinden sich keine gültigen Koordinaten"}),
         })
        check(row);
}

// Each case failed silently once in a reader's history of small changes:
// a test here fails for its counterpart.
TEST(ReaderForms, CasesThatOnceWentWrongSilently)
{
    for (const Row& row : {
             // A Czech word beside a plain S makes it sever, north.
             Row{"50°5′ S, 14°25′ z. d.", 50 + 5 * m, -(14 + 25 * m)},
             // Two copies of different precision 2′ apart (3.7 km) are two
             // places: half a written place each, not a whole one.
             refused("54°14′N 21°53′E / 54.249°N 21.883°E", {"zwei Positionen"}),
             // Hidden decimals rounded down at the edge of a minute still
             // agree: intervals that only touch count.
             Row{"54° 15′ N, 21° 6′ O54.24166666666621.1", 54.241666666666, 21.1},
             // Template names in any case: read as a template, so that its
             // refusal quotes the whole template, not only its parameters.
             Row{"{{coordinate|NS=54/17/34/N|EW=22/39/26/E}}", 54 + 17 * m + 34 * s, 22 + 39 * m + 26 * s},
             refused("{{coordinate|NS=95.1|EW=22.65722}}", {"„{{coordinate|NS=95.1|EW=22.65722}}“", "Vorlage"}),
             // A geo: address on another datum names it.
             refused("geo:54.7104,20.5101;crs=epsg3857", {"„epsg3857“", "WGS 84"}),
         })
        check(row);
}

// The window runs under the user's locale; no number of the reader follows it.
// One slip in a real copy (a mark out of place, a lost decimal point or
// compass letter) cuts a half short; what is left of it stands beside the
// reading.  Refused, never read as another position.
TEST(ReaderForms, ASlipInARealCopyReadsNoOtherPosition)
{
    for (const Row& row : {
             refused("N 50° 00.759′ E 008° 58.086″", {"„N 50° 00.759′ E 008° 58.086″“", "an falscher Stelle"}),
             refused("é. sz. 55° 04′ 51″, k. h. 21° 53° 11″", {"21° 53°“", "an falscher Stelle"}),
             refused("zeměpisná šířka: 50° 46′ 25° s. š.\nzeměpisná délka: 14° 11′ 46″ v. d", {"an falscher Stelle"}),
             refused("zeměpisná šířka: 50° 46° 25″ s. š.", {"an falscher Stelle"}),
             refused("Coordinates: 54°58N 20″29E / 54.967°N 20.483°E / 54.967; 20.483", {"„20″29E", "an falscher Stelle"}),
             refused("eine Breite: 54 ° 02″17″N, Länge: 21 ° 45″51′E", {"21 ° 45″“", "an falscher Stelle"}),
             refused("Long: : 20.489179 - Lat: : 54;681718", {"die Zahl „681718“ dicht an der Position"}),
             refused("N 53° 05.595 E 010°,43.686", {"die Zahl „43.686“"}),
             refused("ANK Anklam 53;49.962N 013 40.148E", {"„53;49.962N 013 40.148E“", "die Zahl „53“"}),
             refused("N 45 17.460 W122 24800", {"die Zahl „24800“"}),
             refused("N 45;17.460 W122 24.800", {"die Zahl „122 24.800“"}),
             refused("Latitude: 55;274344\nLongitude: 20.970886", {"keine gültigen Koordinaten"}),
             refused("{{coord|54|5||21|23|E|region:PL}}", {"Vorlage"}),
             // As copied, all of them read; so do numbers apart from the position.
             Row{"N 50° 00.759′ E 008° 58.086′", 50 + 0.759 * m, 8 + 58.086 * m},
             Row{"Long: : 20.489179 - Lat: : 54.681718", 54.681718, 20.489179},
             Row{"{{coord|54|5|N|21|23|E|region:PL}}", 54 + 5 * m, 21 + 23 * m},
             Row{"{{coord|54.08|21.38|region:PL_type:city(5000)}}", 54.08, 21.38},
             Row{"Dobrowolsk\tKrasnosnamensk\t1412\t5833\t54° 46′ N, 22° 30′ O", 54 + 46 * m, 22.5},
             Row{"54° N, 20° O, 3 km nördlich der Kirche", 54, 20},
             // An angle that is none, apart from the position, leaves nothing
             // behind for the angles read after it.
             Row{"50°-24′ Kirche; Lage 54°12′N 21°6′O", 54.2, 21.1},
             Row{"50°24′53″7 Kirche; Lage 54°12′N 21°6′O", 54.2, 21.1},
             Row{"50°24′53°N Kirche; Lage 54°12′N 21°6′O", 54.2, 21.1},
             Row{"50.41484°N 10.76943°O 350 m ü. NN", 50.41484, 10.76943},
             Row{"bei 50°24′53″N 10°46′9″O. 1890 erbaut", 50 + 24 * m + 53 * s, 10 + 46 * m + 9 * s},
             Row{"é. sz. 55° 04′ 51″, k. h. 21° 53′ 11″", 55 + 4 * m + 51 * s, 21 + 53 * m + 11 * s},
             Row{"eine Breite: 54 ° 02″17″N, Länge: 21 ° 45″51″E", 54 + 2 * m + 17 * s, 21 + 45 * m + 51 * s},
         })
        check(row);
}

TEST(ReaderForms, NumbersReadTheSameUnderAGermanLocale)
{
    const ProcessLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.valid()) << "the test command generates de_DE.UTF-8";
    for (const Row& row : {
             Row{"{{coord|53.5|N|20.25|E}}", 53.5, 20.25},
             Row{"51.1234567890123456789012345678901234, 17.5", 51.1234567890123456789, 17.5},
         })
        check(row);
}

// The same half position gets the same message, whatever stands before it.
TEST(ReaderForms, OneMessageForOneCause)
{
    const auto messageOf = [](const std::string& text) {
        const ReaderResult result = readCoordinatesOfUtf8(text, germanSeparators);
        const Refusal* r = std::get_if<Refusal>(&result);
        return r ? refusalMessage(*r) : std::string("read");
    };
    EXPECT_EQ(messageOf("54°42'N"), "Nach „54°42'N“ fehlt die Länge.");
    EXPECT_EQ(messageOf("Nord West 54°42'N"), messageOf("54°42'N"));
}

} // namespace
} // namespace zelv
