// The clipboard reader on texts of about 1 MB: its entry, as the window
// and the batch mode call it with UTF-8 text, and the five fixed notations
// alone on their Windows-1252 copy, each on garbage, on near-coordinates
// repeated, on texts that are one long coordinate, on each form that is
// the whole text, and on one position amid long text and wikitext
// templates.  All must stay linear in the text; an answer for 1 MB within
// 10 ms is the mark (bytes per second, as the rows report it).
//
// Run by hand: build/<dir>/bench/clipboard_reader_bench

#include "ClipboardReader.h"
#include "RoutinenU.h"
#include "Windows1252.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <utility>
#include <string>

namespace {

using namespace zelv;

constexpr std::size_t megabyte = 1 << 20;

enum class Text {
    Garbage,
    RepeatedPair,
    RepeatedDegrees,
    RepeatedCommas,
    BlanksThenPair,
    LongNumberPair,
    RepeatedMapMarkers,
    LongGeoUri,
    CompassWords,
    LongCompassWords,
    // The forms tried last, each on a text of 1 MB that it recognises.
    LabelBeforeLongPair,
    RepeatsWithLongPart,
    RepeatedSlashes,
    ServiceLinkWithLongQuery,
    LongShortLink,
    MgrsWithLongBlanks,
    PlusCodeWithLongTown,
    FerroAfterLongText,
    // Round three: repeats by precision, axis words, slash, geo: query, map
    // digit groups, unread angles, and the UTF-8 entry's compass words.
    MinutePrecisionRepeatsLong,
    AxisWordsWithLongValue,
    SlashWithLongBlanks,
    GeoUriWithLongQuery,
    GaussKruegerMapGroupsLong,
    ManyUnreadAngles,
    RussianWordsLong,
    RussianWordsRepeated,
    // One position amid other text, and wikitext templates.
    LocationTextAfterLongText,
    RepeatedAgreeingPositions,
    PositionAfterHiddenDecimals,
    PopulationFiguresThenPosition,
    RepeatedDoubtfulS,
    BareNumbersAmidWords,
    CoordTemplateWithLongParameters,
    ManyOtherTemplates,
};

std::string repeated(std::string_view piece)
{
    std::string text;
    text.reserve(megabyte + piece.size());
    while (text.size() < megabyte)
        text += piece;
    return text;
}

std::string build(Text kind)
{
    switch (kind) {
    case Text::Garbage: {
        // Every byte value, from a fixed linear congruential sequence.
        std::string text(megabyte, '\0');
        std::uint32_t x = 12345;
        for (char& c : text) {
            x = x * 1664525u + 1013904223u;
            c = static_cast<char>(x >> 24);
        }
        return text;
    }
    case Text::RepeatedPair:
        return repeated("50.41484, 10.76943\n");
    case Text::RepeatedDegrees:
        return repeated("N 50\xB0 24' 53.4\" E 10\xB0 46' 9.9\" ");
    case Text::RepeatedCommas:
        return repeated("1,2,");
    case Text::BlanksThenPair:
        return std::string(megabyte, ' ') + "50.41484, 10.76943";
    case Text::LongNumberPair:
        return "50.4" + std::string(megabyte, '1') + ", 10.76943";
    case Text::RepeatedMapMarkers:
        return "https://www.google.com/maps/place/X" + repeated("/@50.4,10.7,17z/data=!3d50.41484!4d10.76943");
    case Text::LongGeoUri:
        return "geo:50.41484,10.76943" + repeated(";name=value");
    case Text::CompassWords:
        return repeated("13.405 Ost, 52.52 Nord ");
    case Text::LongCompassWords:
        // Notation 1 converts the million digits before "Ost".
        return std::string(megabyte, '1') + " Ost, 52.52 Nord";
    case Text::LabelBeforeLongPair:
        return "Koordinaten: " + std::string(megabyte, ' ') + "51.15278; 14.98722";
    case Text::RepeatsWithLongPart:
        return "51.15278; 14.98722 / 51.15278\xB0N 14.98722\xB0" "E / " + std::string(megabyte, ' ')
            + "51.15278; 14.98722";
    case Text::RepeatedSlashes:
        return repeated("52.5/");
    case Text::ServiceLinkWithLongQuery:
        return "https://www.google.com/maps?q=52.52,13.405" + repeated("&hl=de");
    case Text::LongShortLink:
        return "https://maps.app.goo.gl/" + repeated("AbCd");
    case Text::MgrsWithLongBlanks:
        return "32UPA 25711" + std::string(megabyte, ' ') + "86252";
    case Text::PlusCodeWithLongTown:
        return "9F4MGCC4+22 " + repeated("Berlin ");
    case Text::MinutePrecisionRepeatsLong:
        return "54\xB0" "14'N 21\xB0" "53'E / 54.233\xB0N 21.883\xB0" "E / " + std::string(megabyte, ' ') + "54.233; 21.883";
    case Text::AxisWordsWithLongValue:
        return "Breite 54.7104, L\xE4nge 20." + std::string(megabyte, '5');
    case Text::SlashWithLongBlanks:
        return "54\xB0" "42'N /" + std::string(megabyte, ' ') + "20\xB0" "31'E";
    case Text::GeoUriWithLongQuery:
        return "geo:54.7104,20.5101?z=14" + repeated("&q=x");
    case Text::GaussKruegerMapGroupsLong:
        return "R 64 32 378 H 56 64 319" + std::string(megabyte, ' ');
    case Text::ManyUnreadAngles:
        return repeated("54\xB0" "43' x. y. ");
    case Text::RussianWordsLong:
        return "54\xC2\xB0" "48\xE2\x80\xB2 \xD1\x81. \xD1\x88. 21\xC2\xB0" "25\xE2\x80\xB2 \xD0\xB2. \xD0\xB4."
            + repeated("\xD0\xAF");
    case Text::RussianWordsRepeated:
        return repeated("54\xC2\xB0 \xD1\x81. \xD1\x88. ");
    case Text::FerroAfterLongText:
        return "52\xB0" "31'12\"N 31\xB0" "04'18\" " + std::string(megabyte, ' ') + "\xF6. F.";
    case Text::LocationTextAfterLongText:
        return repeated("liegt bei ") + "54.5812\xB0N 12.7089\xB0O;";
    case Text::RepeatedAgreeingPositions:
        return repeated("54\xB0 52' N, 21\xB0 6' O");
    case Text::PositionAfterHiddenDecimals:
        return repeated("54.86666666666721.1") + "Koordinaten: 54\xB0 52' N, 21\xB0 6' O";
    case Text::PopulationFiguresThenPosition:
        return repeated("Gussew\t29.234\t22.181\t") + "54\xB0 35' N, 22\xB0 12' O";
    case Text::RepeatedDoubtfulS:
        return "severn\xED " + repeated("53\xB0" "47'S 20\xB0" "30'E ");
    case Text::BareNumbersAmidWords:
        return repeated("Bamberg BY 240 49.8743 10.9206 ");
    case Text::CoordTemplateWithLongParameters:
        return "{{coord|54|5|N|21|23|E" + repeated("|display=inline") + "}}";
    case Text::ManyOtherTemplates:
        return repeated("{{Infobox|Name=Gusev}}");
    }
    return {};
}

// The texts built above are Windows-1252, but for the words of other scripts,
// which are UTF-8 already.
bool isUtf8(Text kind) { return kind == Text::RussianWordsLong || kind == Text::RussianWordsRepeated; }

const std::string& text(Text kind, bool asUtf8)
{
    static std::map<std::pair<Text, bool>, std::string> texts;
    auto it = texts.find({kind, asUtf8});
    if (it == texts.end()) {
        std::string built = build(kind);
        if (asUtf8 && !isUtf8(kind))
            built = fromWindows1252(built);
        it = texts.emplace(std::make_pair(kind, asUtf8), std::move(built)).first;
    }
    return it->second;
}

template <class Read>
void answer(benchmark::State& state, const std::string& t, Read read)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(read(t));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void reader(benchmark::State& state, Text kind)
{
    answer(state, text(kind, true), [](std::string_view t) { return readCoordinatesOfUtf8(t, germanSeparators); });
}

void fiveNotations(benchmark::State& state, Text kind)
{
    answer(state, text(kind, false), [](std::string_view t) { return readFixedNotations(t, germanSeparators); });
}

// Bytes as they come, broken UTF-8 included.
void readerOfBytes(benchmark::State& state, Text kind)
{
    answer(state, text(kind, false), [](std::string_view t) { return readCoordinatesOfUtf8(t, germanSeparators); });
}

#define ZELV_BOTH(kind)                                                                                            \
    BENCHMARK_CAPTURE(reader, kind, Text::kind)->Unit(benchmark::kMillisecond);                                      \
    BENCHMARK_CAPTURE(fiveNotations, kind, Text::kind)->Unit(benchmark::kMillisecond)

ZELV_BOTH(Garbage);
ZELV_BOTH(RepeatedPair);
ZELV_BOTH(RepeatedDegrees);
ZELV_BOTH(RepeatedCommas);
ZELV_BOTH(BlanksThenPair);
ZELV_BOTH(LongNumberPair);
ZELV_BOTH(RepeatedMapMarkers);
ZELV_BOTH(LongGeoUri);
ZELV_BOTH(CompassWords);
ZELV_BOTH(LongCompassWords);

#define ZELV_READER(kind) BENCHMARK_CAPTURE(reader, kind, Text::kind)->Unit(benchmark::kMillisecond)

ZELV_READER(LabelBeforeLongPair);
ZELV_READER(RepeatsWithLongPart);
ZELV_READER(RepeatedSlashes);
ZELV_READER(ServiceLinkWithLongQuery);
ZELV_READER(LongShortLink);
ZELV_READER(MgrsWithLongBlanks);
ZELV_READER(PlusCodeWithLongTown);
ZELV_READER(FerroAfterLongText);
ZELV_READER(MinutePrecisionRepeatsLong);
ZELV_READER(AxisWordsWithLongValue);
ZELV_READER(SlashWithLongBlanks);
ZELV_READER(GeoUriWithLongQuery);
ZELV_READER(GaussKruegerMapGroupsLong);
ZELV_READER(ManyUnreadAngles);
ZELV_READER(RussianWordsLong);
ZELV_READER(RussianWordsRepeated);
ZELV_READER(LocationTextAfterLongText);
ZELV_READER(RepeatedAgreeingPositions);
ZELV_READER(PositionAfterHiddenDecimals);
ZELV_READER(PopulationFiguresThenPosition);
ZELV_READER(RepeatedDoubtfulS);
ZELV_READER(BareNumbersAmidWords);
ZELV_READER(CoordTemplateWithLongParameters);
ZELV_READER(ManyOtherTemplates);
BENCHMARK_CAPTURE(readerOfBytes, Garbage, Text::Garbage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
