// About 2,000 random positions, each written in one form that the pair
// grammar promises to read (PairGrammar.h, AngleGrammar.h, Lexicon.h): plain
// decimal pairs, compass letters and words of every language of the lexicon
// before and after the numbers, every mark and unit word, separators instead
// of marks, the GPS receivers' compact forms, axis words, labels and prose.
// Each text must read back within half a unit of its last written place.
//
// The words and marks come from the lexicon itself (lexiconWords(),
// charClass()), so a new row of the table is written here too.  The texts
// come from a fixed seed and integer arithmetic only, so every standard
// library writes the same ones; the values are computed from the digits the
// text holds, never from the reader's arithmetic.
#include "ClipboardReader.h"
#include "Lexicon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zelv {
namespace {

// ---- Random choices, the same on every standard library -----------------------

class Random {
public:
    std::uint64_t below(std::uint64_t n) { return engine_() % n; }
    bool chance(std::uint64_t percent) { return below(100) < percent; }
    template <class T>
    const T& pick(const std::vector<T>& v) { return v[below(v.size())]; }

private:
    std::mt19937_64 engine_{0x5a454c56}; // mt19937_64's sequence is fixed by the standard
};

// Picks the items of a list in turn, so that every one is written.
template <class T>
class Rotation {
public:
    explicit Rotation(std::vector<T> items) : items_(std::move(items)) {}
    const T& next() { return items_[next_++ % items_.size()]; }

private:
    std::vector<T> items_;
    std::size_t next_ = 0;
};

// ---- What the lexicon knows ------------------------------------------------------

using Word = const LexiconWord*;

struct Lexicon {
    // Compass words counted from Greenwich, by axis: whole words and
    // abbreviations (any partner), and single letters (partners of their set).
    std::vector<Word> latitudeWords, longitudeWords, latitudeLetters, longitudeLetters;
    std::vector<Word> latitudeNames, longitudeNames, labels, conjunctions;
    std::vector<Word> units[3];
    std::vector<std::string> degreeMarks, minuteMarks, secondMarks;

    Lexicon()
    {
        for (const LexiconWord& w : lexiconWords()) {
            const bool latitude = w.axis == Axis::Latitude;
            if (w.kind == WordKind::Compass && w.meridian == Meridian::Greenwich) {
                if (w.letters == LetterSet::Word)
                    (latitude ? latitudeWords : longitudeWords).push_back(&w);
                else
                    (latitude ? latitudeLetters : longitudeLetters).push_back(&w);
            }
            if (w.kind == WordKind::AxisName)
                (latitude ? latitudeNames : longitudeNames).push_back(&w);
            if (w.kind == WordKind::Label)
                labels.push_back(&w);
            if (w.kind == WordKind::Conjunction)
                conjunctions.push_back(&w);
            if (w.kind == WordKind::Unit)
                units[static_cast<int>(w.unit)].push_back(&w);
        }
        // Every character of one to three bytes, as the lexicon decodes and
        // classes it.
        const auto take = [&](std::string c) {
            if (codePointAt(c, 0).length != c.size())
                return; // not one character
            switch (charClass(codePointAt(c, 0).value)) {
            case CharClass::DegreeMark: degreeMarks.push_back(c); break;
            case CharClass::MinuteMark: minuteMarks.push_back(c); break;
            case CharClass::SecondMark: secondMarks.push_back(c); break;
            default: break;
            }
        };
        for (int first = 0; first < 0xF0; ++first) {
            const int continuations = first < 0xC0 ? 0 : first < 0xE0 ? 1 : 2;
            for (int bits = 0; bits < 1 << (6 * continuations); ++bits) {
                std::string c(1, static_cast<char>(first));
                for (int k = continuations - 1; k >= 0; --k)
                    c += static_cast<char>(0x80 | ((bits >> (6 * k)) & 0x3F));
                take(c);
            }
        }
        // Two minute marks in a row are a second mark: '' ‘‘ ’’.
        for (const std::string& m : std::vector<std::string>(minuteMarks))
            secondMarks.push_back(m + m);
    }

    // The letters of the other axis that `letter` pairs with: its own set.
    std::vector<Word> partnersOf(Word letter) const
    {
        std::vector<Word> partners;
        for (Word w : letter->axis == Axis::Latitude ? longitudeLetters : latitudeLetters)
            if (w->letters == letter->letters)
                partners.push_back(w);
        return partners;
    }
};

const Lexicon& lexicon()
{
    static const Lexicon l;
    return l;
}

// ---- An angle as written ----------------------------------------------------------

std::uint64_t powerOfTen(int places)
{
    std::uint64_t p = 1;
    for (int i = 0; i < places; ++i)
        p *= 10;
    return p;
}

std::string digits(std::uint64_t value, int width = 1)
{
    std::string s = std::to_string(value);
    return s.size() < static_cast<std::size_t>(width) ? std::string(width - s.size(), '0') + s : s;
}

// Degrees; degrees and minutes; or degrees, minutes and seconds, the last
// part with `places` decimals, held as a whole number of its last place.
struct AngleDigits {
    int parts = 1;
    int places = 0;
    std::uint64_t units = 0;
    bool negative = false;

    std::uint64_t perDegree() const { return (parts == 1 ? 1 : parts == 2 ? 60 : 3600) * powerOfTen(places); }
    std::uint64_t degrees() const { return units / perDegree(); }
    std::uint64_t minutes() const { return units % perDegree() / (parts == 2 ? 1 : 60) / powerOfTen(places); }
    std::uint64_t seconds() const { return units % (60 * powerOfTen(places)) / powerOfTen(places); }
    std::uint64_t fraction() const { return units % powerOfTen(places); }
    long double value() const
    {
        const long double v = static_cast<long double>(units) / static_cast<long double>(perDegree());
        return negative ? -v : v;
    }
    long double place() const { return 1.0L / static_cast<long double>(perDegree()); }
    // The last part's decimals with their mark, or nothing.
    std::string decimals(char mark) const { return places == 0 ? "" : mark + digits(fraction(), places); }
};

// A random angle below 89° of latitude or 179° of longitude.  Now and then
// its degrees are 0 or 1, where the forms with fixed digit counts ("00007.1",
// "0°07′") and the sign of small values matter.
AngleDigits randomAngle(Random& r, Axis axis, int parts, int places)
{
    AngleDigits a;
    a.parts = parts;
    a.places = places;
    const std::uint64_t degrees = r.chance(8) ? r.below(2) : r.below(axis == Axis::Latitude ? 89 : 179);
    a.units = degrees * a.perDegree() + r.below(a.perDegree());
    a.negative = r.chance(50);
    return a;
}

// ---- How a text is written ----------------------------------------------------------

struct Style {
    Rotation<std::string> degreeMarks{lexicon().degreeMarks};
    Rotation<std::string> minuteMarks{lexicon().minuteMarks};
    Rotation<std::string> secondMarks{lexicon().secondMarks};
    Rotation<Word> units[3]{Rotation<Word>(lexicon().units[0]), Rotation<Word>(lexicon().units[1]),
                            Rotation<Word>(lexicon().units[2])};
    Rotation<Word> latitudeLetters{lexicon().latitudeLetters};
    Rotation<Word> conjunctions{lexicon().conjunctions};
};

// A word of the table as texts write it: parts apart by blanks, by dots, by
// both, or glued where both are single letters; a dot may end it (not a
// label's); a longer word in capitals or small letters.
std::string written(Word w, Random& r)
{
    std::vector<std::string> parts;
    for (std::string_view rest = w->spelling;;) {
        const std::size_t blank = rest.find(' ');
        parts.emplace_back(rest.substr(0, blank));
        if (blank == std::string_view::npos)
            break;
        rest.remove_prefix(blank + 1);
    }
    const auto singleLetter = [](const std::string& part) {
        return !part.empty() && part.size() == static_cast<std::size_t>(codePointAt(part, 0).length);
    };
    if (parts.size() == 1 && singleLetter(parts[0]))
        return parts[0]; // single letters match only as written
    const std::uint64_t style = r.below(4); // blanks, ". ", ".", glued letters
    std::string s = parts[0];
    for (std::size_t p = 1; p < parts.size(); ++p) {
        if (style == 3 && singleLetter(parts[p - 1]) && singleLetter(parts[p]))
            ; // "сш", "NB"
        else if (style == 0 || style == 3)
            s += ' ';
        else
            s += style == 1 ? ". " : ".";
        s += parts[p];
    }
    const bool dotted = (style == 1 || style == 2) && parts.size() > 1;
    if (w->kind != WordKind::Label && (dotted ? r.chance(80) : r.chance(15)))
        s += '.';
    bool ascii = true;
    for (const char c : s)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii && r.chance(20)) {
        const bool capitals = r.chance(50);
        for (char& c : s)
            if (capitals && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (!capitals && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// The sign written before a signed angle: "-", "−", "+" or none.
std::string signOf(const AngleDigits& a, Random& r)
{
    return a.negative ? (r.chance(85) ? "-" : "\u2212") : (r.chance(10) ? "+" : "");
}

std::string decimalDegrees(const AngleDigits& a, char mark)
{
    return digits(a.degrees()) + a.decimals(mark);
}

// 51°06′36.5″, 51° 06.608′, 51°06.608 (the last mark left out), 017°01′.
std::string withMarks(const AngleDigits& a, char mark, Style& st, Random& r, bool zeroPadded)
{
    const bool blanks = r.chance(40);
    const bool lastMarked = r.chance(75);
    std::string s = digits(a.degrees(), zeroPadded ? 3 : 1);
    if (a.parts == 1)
        return s + a.decimals(mark) + st.degreeMarks.next();
    s += st.degreeMarks.next() + (blanks ? " " : "") + digits(a.minutes(), r.chance(70) ? 2 : 1);
    if (a.parts == 2)
        return s + a.decimals(mark) + (lastMarked ? st.minuteMarks.next() : "");
    // "54° 02″17″": a second mark for the minutes too.
    const bool doublePrimes = r.chance(10);
    s += (doublePrimes ? st.secondMarks.next() : st.minuteMarks.next()) + (blanks ? " " : "")
         + digits(a.seconds(), r.chance(70) ? 2 : 1);
    return s + a.decimals(mark) + (lastMarked || doublePrimes ? st.secondMarks.next() : "");
}

// 51d 06m 36.5s, 51 Grad 6 Minuten, 51deg06min.
std::string withUnitWords(const AngleDigits& a, char mark, Style& st, Random& r)
{
    const auto unit = [&](int u) {
        const std::string word = written(st.units[u].next(), r);
        return (r.chance(50) ? " " : "") + word;
    };
    std::string s = digits(a.degrees()) + (a.parts == 1 ? a.decimals(mark) : "") + unit(0);
    if (a.parts >= 2)
        s += " " + digits(a.minutes(), 2) + (a.parts == 2 ? a.decimals(mark) : "") + unit(1);
    if (a.parts == 3)
        s += " " + digits(a.seconds(), 2) + a.decimals(mark) + unit(2);
    return s;
}

// 51:06:36.5, 51-06.608, 51.06.36,5 (seconds only), 51 6 36.5.
std::string withSeparators(const AngleDigits& a, char between, char mark, Random& r)
{
    const int width = between == ' ' && r.chance(50) ? 1 : 2;
    std::string s = digits(a.degrees()) + between + digits(a.minutes(), width);
    if (a.parts == 3)
        s += between + digits(a.seconds(), width);
    return s + a.decimals(mark);
}

// 5106.608 and 01701.953; 510636.5 and 0170157.2.
std::string compactGps(const AngleDigits& a, Axis axis, char mark)
{
    std::string s = digits(a.degrees(), axis == Axis::Latitude ? 2 : 3) + digits(a.minutes(), 2);
    if (a.parts == 3)
        s += digits(a.seconds(), 2);
    return s + a.decimals(mark);
}

// ---- A generated text ----------------------------------------------------------------

struct Sample {
    std::string text;
    long double latitude = 0;
    long double longitude = 0;
    long double latitudePlace = 1;
    long double longitudePlace = 1;
    std::vector<Word> words; // the lexicon's words it holds
};

// One half: the angle's text and its words.
struct Half {
    std::string angle;
    AngleDigits digits;
    Word compass = nullptr;
};

// A text of two halves, with the values and places of their digits.
Sample sampleOf(const Half& latitude, const Half& longitude, std::string text)
{
    Sample s;
    s.text = std::move(text);
    s.latitude = latitude.digits.value();
    s.longitude = longitude.digits.value();
    s.latitudePlace = latitude.digits.place();
    s.longitudePlace = longitude.digits.place();
    return s;
}

const std::vector<std::string> separatorsAfterWords = {" ", ", ", "; ", " / ", " | ", "\t", "\n", " - ", ",\n"};

// Two halves with compass words after (51.1 N 17.0 E) or before (N 51.1 E
// 17.0), apart by a separator or an "and" of the lexicon.
Sample directed(Half latitude, Half longitude, bool latitudeFirst, bool before, bool glued, Style& st, Random& r)
{
    std::vector<Word> words;
    for (Half* h : {&latitude, &longitude}) {
        h->digits.negative = h->compass->negative;
        const std::string word = written(h->compass, r);
        const std::string gap = glued ? "" : " ";
        h->angle = before ? word + gap + h->angle : h->angle + gap + word;
        words.push_back(h->compass);
    }
    const Half& first = latitudeFirst ? latitude : longitude;
    const Half& second = latitudeFirst ? longitude : latitude;
    std::string between = r.pick(separatorsAfterWords);
    if (r.chance(15)) {
        // Unless it joins the next word into another word of the lexicon:
        // "a G" is the Latvian "a. g.", not "and" before the Turkish G.
        const Word conjunction = st.conjunctions.next();
        const std::string word = written(conjunction, r);
        if (matchLexiconWord(word + " " + second.angle, 0).end == word.size()) {
            between = " " + word + " ";
            words.push_back(conjunction);
        }
    }
    Sample s = sampleOf(latitude, longitude, first.angle + between + second.angle);
    s.words = words;
    return s;
}

// Two halves without words, latitude first, each with its own sign.
Sample plain(const Half& latitude, const Half& longitude, const std::string& between)
{
    return sampleOf(latitude, longitude, latitude.angle + between + longitude.angle);
}

// A random pair of compass letters of one set: N/S with E/O/W, J with V/Z,
// K/G with D/B, С/Ю/Ј with В/З/И.
std::pair<Word, Word> letterPair(Style& st, Random& r)
{
    const Word latitude = st.latitudeLetters.next();
    return {latitude, r.pick(lexicon().partnersOf(latitude))};
}

struct Generator;
using Form = Sample (*)(Generator&, std::size_t);

struct Generator {
    Random r;
    Style st;

    char decimalMark() { return r.chance(50) ? '.' : ','; }
    int places(int least, int most) { return least + static_cast<int>(r.below(static_cast<std::uint64_t>(most - least + 1))); }
    AngleDigits angle(Axis axis, int parts, int places) { return randomAngle(r, axis, parts, places); }

    // Latitude and longitude from random digits, each written by `write`.
    template <class Write>
    std::array<Half, 2> halves(int parts, int leastPlaces, int mostPlaces, Write write)
    {
        std::array<Half, 2> both;
        for (Axis axis : {Axis::Latitude, Axis::Longitude}) {
            Half& h = both[axis == Axis::Longitude];
            h.digits = angle(axis, parts, places(leastPlaces, mostPlaces));
            h.angle = write(h.digits, axis);
        }
        return both;
    }

    // Halves with marks: degrees with °, or degrees and minutes, or all three.
    Half marked(Axis axis, int parts, char mark, bool signedValue)
    {
        Half h;
        h.digits = angle(axis, parts, places(0, 4));
        h.angle = (signedValue ? signOf(h.digits, r) : "") + withMarks(h.digits, mark, st, r, axis == Axis::Longitude && r.chance(20));
        if (!signedValue)
            h.digits.negative = false;
        return h;
    }
    Half decimal(Axis axis, char mark, bool signedValue)
    {
        Half h;
        h.digits = angle(axis, 1, places(1, 7));
        h.angle = (signedValue ? signOf(h.digits, r) : "") + decimalDegrees(h.digits, mark);
        if (!signedValue)
            h.digits.negative = false;
        return h;
    }
    // A half in any of the forms of a number that compass words go with.
    Half anyNumber(Axis axis, int parts, char mark)
    {
        return parts == 1 ? decimal(axis, mark, false) : marked(axis, parts, mark, false);
    }
    Sample withLetters(Half latitude, Half longitude, bool mayGlue)
    {
        const auto [lat, lon] = letterPair(st, r);
        latitude.compass = lat;
        longitude.compass = lon;
        return directed(latitude, longitude, r.chance(65), r.chance(40), mayGlue && r.chance(40), st, r);
    }
};

// ---- The forms -------------------------------------------------------------------------

Sample decimalPairPoint(Generator& g, std::size_t)
{
    static const std::vector<std::string> between = {", ", "; ", " ", "\n", ",", "\t", " / ", ";"};
    return plain(g.decimal(Axis::Latitude, '.', true), g.decimal(Axis::Longitude, '.', true), g.r.pick(between));
}

Sample decimalPairComma(Generator& g, std::size_t)
{
    static const std::vector<std::string> between = {"; ", ", ", ";"};
    return plain(g.decimal(Axis::Latitude, ',', true), g.decimal(Axis::Longitude, ',', true), g.r.pick(between));
}

Sample markedPairWithoutLetters(Generator& g, std::size_t)
{
    static const std::vector<std::string> between = {", ", "; ", " ", "\n", " / "};
    const int parts = 1 + static_cast<int>(g.r.below(3));
    const char mark = g.decimalMark();
    const Half latitude = g.marked(Axis::Latitude, parts, mark, true);
    const Half longitude = g.marked(Axis::Longitude, parts, mark, true);
    return plain(latitude, longitude, mark == ',' ? g.r.pick(std::vector<std::string>{", ", "; "}) : g.r.pick(between));
}

Sample decimalWithLetters(Generator& g, bool before)
{
    const char mark = g.decimalMark();
    Half latitude = g.decimal(Axis::Latitude, mark, false);
    Half longitude = g.decimal(Axis::Longitude, mark, false);
    if (g.r.chance(50))
        for (Half* h : {&latitude, &longitude})
            h->angle += g.st.degreeMarks.next();
    const auto [lat, lon] = letterPair(g.st, g.r);
    latitude.compass = lat;
    longitude.compass = lon;
    return directed(latitude, longitude, g.r.chance(65), before, g.r.chance(40), g.st, g.r);
}

Sample lettersAfterDecimals(Generator& g, std::size_t) { return decimalWithLetters(g, false); }
Sample lettersBeforeDecimals(Generator& g, std::size_t) { return decimalWithLetters(g, true); }

Sample degreesMinutes(Generator& g, std::size_t)
{
    const char mark = g.decimalMark();
    return g.withLetters(g.marked(Axis::Latitude, 2, mark, false), g.marked(Axis::Longitude, 2, mark, false), true);
}

Sample degreesMinutesSeconds(Generator& g, std::size_t)
{
    const char mark = g.decimalMark();
    return g.withLetters(g.marked(Axis::Latitude, 3, mark, false), g.marked(Axis::Longitude, 3, mark, false), true);
}

// Only the Latin letters beside unit words: "57.2s B" would be the German
// compass word "s. B.".
Sample unitWords(Generator& g, std::size_t)
{
    const int parts = 1 + static_cast<int>(g.r.below(3));
    const char mark = g.decimalMark();
    std::array<Half, 2> halves = g.halves(parts, parts == 1 ? 1 : 0, 3, [&](const AngleDigits& a, Axis) {
        return withUnitWords(a, mark, g.st, g.r);
    });
    std::vector<Word> latin;
    for (Word w : lexicon().latitudeLetters)
        if (w->letters == LetterSet::Latin)
            latin.push_back(w);
    halves[0].compass = g.r.pick(latin);
    halves[1].compass = g.r.pick(lexicon().partnersOf(halves[0].compass));
    return directed(halves[0], halves[1], g.r.chance(65), g.r.chance(40), false, g.st, g.r);
}

// 51:06:36N, 51-06.608N, 51.06.36,5N, 51 6 36.5 N; without letters, signed,
// only as the whole text ("51 6 36.5, 17 1 57.2").
Sample separatorsForMarks(Generator& g, std::size_t j)
{
    static const std::string separators = ":-. ";
    const char between = separators[j % separators.size()];
    const int parts = between == '.' ? 3 : 2 + static_cast<int>(g.r.below(2));
    const char mark = g.decimalMark();
    std::array<Half, 2> halves = g.halves(parts, 0, 3, [&](const AngleDigits& a, Axis) {
        return withSeparators(a, between, mark, g.r);
    });
    if (g.r.chance(20)) {
        for (Half& h : halves)
            h.angle = signOf(h.digits, g.r) + h.angle;
        return plain(halves[0], halves[1], mark == ',' || g.r.chance(50) ? "; " : ", ");
    }
    return g.withLetters(halves[0], halves[1], between != ' ');
}

// 5106.608N01701.953E, 510636.5N0170157.2E, N5106.608 E01701.953.
Sample compactGpsForms(Generator& g, std::size_t)
{
    const int parts = 2 + static_cast<int>(g.r.below(2));
    const char mark = g.decimalMark();
    std::array<Half, 2> halves = g.halves(parts, 0, 4, [&](const AngleDigits& a, Axis axis) {
        return compactGps(a, axis, mark);
    });
    const auto [lat, lon] = letterPair(g.st, g.r);
    halves[0].compass = lat;
    halves[1].compass = lon;
    const bool before = g.r.chance(30);
    const bool latitudeFirst = g.r.chance(75);
    if (!before && g.r.chance(60)) {
        // Glued through: "5106.608N01701.953E".
        for (Half* h : {&halves[0], &halves[1]})
            h->angle += written(h->compass, g.r);
        halves[0].digits.negative = lat->negative;
        halves[1].digits.negative = lon->negative;
        Sample s = sampleOf(halves[0], halves[1], latitudeFirst ? halves[0].angle + halves[1].angle
                                                                : halves[1].angle + halves[0].angle);
        s.words = {lat, lon};
        return s;
    }
    return directed(halves[0], halves[1], latitudeFirst, before, true, g.st, g.r);
}

// Every compass word of the lexicon, each beside a partner: words with
// words (any language), letters with the letters of their set.  The pairs
// cover every word; each pair is written in both orders.
std::vector<std::pair<Word, Word>> compassPairs()
{
    const Lexicon& l = lexicon();
    std::vector<std::pair<Word, Word>> pairs;
    const auto cover = [&](const std::vector<Word>& latitudes, const std::vector<Word>& longitudes) {
        if (latitudes.empty() || longitudes.empty())
            return;
        for (std::size_t i = 0; i < std::max(latitudes.size(), longitudes.size()); ++i)
            pairs.emplace_back(latitudes[i % latitudes.size()], longitudes[i % longitudes.size()]);
    };
    cover(l.latitudeWords, l.longitudeWords);
    for (LetterSet set : {LetterSet::Latin, LetterSet::CzechSlovak, LetterSet::Turkish, LetterSet::Cyrillic}) {
        std::vector<Word> latitudes;
        std::vector<Word> longitudes;
        for (Word w : l.latitudeLetters)
            if (w->letters == set)
                latitudes.push_back(w);
        for (Word w : l.longitudeLetters)
            if (w->letters == set)
                longitudes.push_back(w);
        cover(latitudes, longitudes);
    }
    return pairs;
}

const std::vector<std::pair<Word, Word>>& everyCompassPair()
{
    static const std::vector<std::pair<Word, Word>> pairs = compassPairs();
    return pairs;
}

Sample compassWords(Generator& g, std::size_t j, bool before)
{
    const auto& pairs = everyCompassPair();
    const auto [lat, lon] = pairs[j % pairs.size()];
    const int parts = 1 + static_cast<int>(g.r.below(3));
    const char mark = g.decimalMark();
    Half latitude = g.anyNumber(Axis::Latitude, parts, mark);
    Half longitude = g.anyNumber(Axis::Longitude, parts, mark);
    latitude.compass = lat;
    longitude.compass = lon;
    return directed(latitude, longitude, (j / pairs.size()) % 2 == 0, before, false, g.st, g.r);
}

Sample compassWordsAfter(Generator& g, std::size_t j) { return compassWords(g, j, false); }
Sample compassWordsBefore(Generator& g, std::size_t j) { return compassWords(g, j, true); }

// "Breite 51.11, Länge 17.03", "lat: 51.11 / lon: 17.03", "Lon=17.03 Lat=51.11";
// once every name stood in both orders, now and then only one half named
// ("Breite: 52.52, 13.405").
Sample axisWords(Generator& g, std::size_t j)
{
    static const std::vector<std::string> after = {" ", ": ", ":", "=", " = ", " : "};
    static const std::vector<std::string> between = {", ", " / ", " ", "; ", "\n", " | ", "\t"};
    const Lexicon& l = lexicon();
    const std::size_t n = std::max(l.latitudeNames.size(), l.longitudeNames.size());
    const Word latName = l.latitudeNames[j % l.latitudeNames.size()];
    const Word lonName = l.longitudeNames[j % l.longitudeNames.size()];
    const bool latitudeFirst = (j / n) % 2 == 0;
    const char mark = g.decimalMark();
    const int parts = g.r.chance(60) ? 1 : 2 + static_cast<int>(g.r.below(2));
    Half latitude = parts == 1 ? g.decimal(Axis::Latitude, mark, true) : g.marked(Axis::Latitude, parts, mark, true);
    Half longitude = parts == 1 ? g.decimal(Axis::Longitude, mark, true) : g.marked(Axis::Longitude, parts, mark, true);
    const std::uint64_t unnamed = j >= 2 * n && g.r.chance(30) ? 1 + g.r.below(2) : 0; // none, the latitude, the longitude
    if (unnamed != 1)
        latitude.angle = written(latName, g.r) + g.r.pick(after) + latitude.angle;
    if (unnamed != 2)
        longitude.angle = written(lonName, g.r) + g.r.pick(after) + longitude.angle;
    const std::string gap = g.r.pick(between);
    Sample s = sampleOf(latitude, longitude, latitudeFirst ? latitude.angle + gap + longitude.angle
                                                           : longitude.angle + gap + latitude.angle);
    if (unnamed != 1)
        s.words.push_back(latName);
    if (unnamed != 2)
        s.words.push_back(lonName);
    return s;
}

// The forms a label may stand before.
const std::vector<Form>& labelledForms();

// "Koordinaten: " and every other label before a text of another form.  A
// Czech or Slovak label makes a plain "S" doubtful: such texts are left to
// the other labels.
Sample labelled(Generator& g, std::size_t j)
{
    const Word label = lexicon().labels[j % lexicon().labels.size()];
    for (;;) {
        Sample s = labelledForms()[g.r.below(labelledForms().size())](g, g.r.below(1000));
        bool plainS = false;
        for (Word w : s.words)
            plainS = plainS || w->plainS;
        if (plainS && label->czechOrSlovak)
            continue;
        s.text = written(label, g.r) + ": " + s.text;
        s.words.push_back(label);
        return s;
    }
}

Sample amidProse(Generator& g, std::size_t j)
{
    static const std::vector<std::pair<std::string, std::string>> frames = {
        {"Treffpunkt: ", ", dort parken"},
        {"Das Grab liegt bei ", " auf dem alten Friedhof."},
        {"Meeting point ", " near the old mill"},
        {"Laut Kirchenbuch wurde er dort geboren (", "), die Kirche steht noch."},
        // Long enough that the reader passes over the words far from the numbers.
        {"Der Hof wurde nach dem großen Brand aufgegeben; die Familie zog in die Stadt, wo sie bis zum Krieg "
         "blieb. Die Stelle, an der das Haus stand, ist heute ein Acker am Waldrand, gut zu erkennen an der "
         "alten Linde, die der Urgroßvater gepflanzt haben soll: ",
         " nach der Vermessung des Vereins, zuletzt besucht im Herbst, als die Felder schon abgeerntet waren "
         "und man den alten Grundriss im Boden noch ahnen konnte."},
    };
    const auto& [before, after] = frames[j % frames.size()];
    const char mark = g.decimalMark();
    Sample s = plain(g.decimal(Axis::Latitude, mark, true), g.decimal(Axis::Longitude, mark, true),
                     mark == ',' || g.r.chance(30) ? "; " : ", ");
    s.text = before + s.text + after;
    return s;
}

struct NamedForm {
    const char* name;
    Form write;
    // How many texts: a fair share, or what it takes to write every word.
    std::size_t count;
};

constexpr std::size_t share = 113;

const std::vector<NamedForm>& forms()
{
    static const std::vector<NamedForm> all = {
        {"decimal pair, decimal point", decimalPairPoint, share},
        {"decimal pair, decimal comma", decimalPairComma, share},
        {"marked pair without letters", markedPairWithoutLetters, share},
        {"decimal degrees, letters after", lettersAfterDecimals, share},
        {"decimal degrees, letters before", lettersBeforeDecimals, share},
        {"degrees and decimal minutes, marks", degreesMinutes, share},
        {"degrees, minutes, seconds, marks", degreesMinutesSeconds, share},
        {"unit words", unitWords, share},
        {"separators instead of marks", separatorsForMarks, share},
        {"compact GPS forms", compactGpsForms, share},
        {"compass words after", compassWordsAfter, 2 * everyCompassPair().size()},
        {"compass words before", compassWordsBefore, 2 * everyCompassPair().size()},
        {"axis words", axisWords, std::max(share, 2 * std::max(lexicon().latitudeNames.size(), lexicon().longitudeNames.size()))},
        {"label before the text", labelled, std::max(share, lexicon().labels.size())},
        {"decimal pair amid prose", amidProse, share},
    };
    return all;
}

const std::vector<Form>& labelledForms()
{
    static const std::vector<Form> all = {decimalPairPoint, decimalPairComma, markedPairWithoutLetters,
                                          lettersAfterDecimals, lettersBeforeDecimals, degreesMinutes,
                                          degreesMinutesSeconds, unitWords, separatorsForMarks, compactGpsForms,
                                          compassWordsAfter, compassWordsBefore, axisWords};
    return all;
}

// ---- Reading back ----------------------------------------------------------------------

std::string shown(std::string_view text)
{
    std::string s;
    for (const char c : text)
        s += c == '\n' ? std::string("\\n") : c == '\t' ? std::string("\\t") : std::string(1, c);
    return s;
}

const char* formName(ReadForm f)
{
    switch (f) {
    case ReadForm::FixedNotation: return "fixed notation";
    case ReadForm::Pair: return "pair";
    case ReadForm::GeoUri: return "geo: address";
    case ReadForm::MapLink: return "map link";
    case ReadForm::Utm: return "UTM";
    case ReadForm::Mgrs: return "MGRS";
    case ReadForm::GaussKrueger: return "Gauss-Krueger";
    case ReadForm::PlusCode: return "Plus Code";
    case ReadForm::GridLocator: return "grid locator";
    case ReadForm::Messtischblatt: return "Messtischblatt";
    case ReadForm::WikiTemplate: return "wiki template";
    }
    return "?";
}

// The five fixed notations (RoutinenU.h) read texts with their German and
// English compass words, or with ° and '; in these a reading of theirs may
// stand, within the same precision.
bool inFixedNotationWords(const std::string& text)
{
    for (const char* word : {"Nord", "S\u00FCd", "Ost", "West", "North", "South", "East"})
        if (text.find(word) != std::string::npos)
            return true;
    return text.find("\u00B0") != std::string::npos && text.find('\'') != std::string::npos;
}

// Why the text did not read back, or nothing where it did.
std::optional<std::string> readBack(const Sample& s, Separators separators)
{
    const ReaderResult result = readCoordinatesOfUtf8(s.text, separators);
    std::ostringstream out;
    out.precision(12);
    out << "text [" << shown(s.text) << "] (decimal separator '" << separators.decimal << "')\n  expected latitude "
        << static_cast<double>(s.latitude) << " \u00B1 " << static_cast<double>(s.latitudePlace / 2) << ", longitude "
        << static_cast<double>(s.longitude) << " \u00B1 " << static_cast<double>(s.longitudePlace / 2) << "\n  read: ";
    if (const Refusal* r = std::get_if<Refusal>(&result)) {
        out << "refused (kind " << static_cast<int>(r->kind) << "): " << refusalMessage(*r);
        return out.str();
    }
    const Reading* reading = std::get_if<Reading>(&result);
    if (!reading) {
        out << "nothing to read";
        return out.str();
    }
    out << formName(reading->form);
    const GeographicPoint* p = std::get_if<GeographicPoint>(&reading->position);
    if (!p) {
        out << ", not a geographic position";
        return out.str();
    }
    out << " latitude " << p->Latitude << ", longitude " << p->Longitude;
    const bool formOk = reading->form == ReadForm::Pair
                        || (reading->form == ReadForm::FixedNotation && inFixedNotationWords(s.text));
    const bool within = std::fabs(p->Latitude - s.latitude) <= s.latitudePlace / 2 + 1e-9L
                        && std::fabs(p->Longitude - s.longitude) <= s.longitudePlace / 2 + 1e-9L;
    if (formOk && within)
        return std::nullopt;
    return out.str();
}

TEST(GeneratedForms, EveryFormReadsBackWithinItsWrittenPrecision)
{
    Generator g;
    std::set<Word> written;
    std::ostringstream summary;
    std::size_t total = 0;
    const char* comma = "";
    for (const NamedForm& form : forms()) {
        std::size_t failures = 0;
        std::string firstFailures;
        for (std::size_t j = 0; j < form.count; ++j) {
            const Sample s = form.write(g, j);
            written.insert(s.words.begin(), s.words.end());
            // Both the German and the point locale's separators: only the
            // fixed notations use them, and the pair grammar must not care.
            const std::optional<std::string> fault = readBack(s, total % 2 ? germanSeparators : pointSeparators);
            ++total;
            if (fault && ++failures <= 8)
                firstFailures += "\n" + *fault;
        }
        if (failures > 0)
            ADD_FAILURE() << form.name << ": " << failures << " of " << form.count << " texts not read back"
                          << firstFailures;
        summary << comma << form.name << " " << form.count;
        comma = ", ";
    }
    // The generator writes every compass word, axis word, label and "and" of the
    // lexicon: a new row of the table is tested without a new line here.
    const Lexicon& l = lexicon();
    for (const auto* list : {&l.latitudeWords, &l.longitudeWords, &l.latitudeLetters, &l.longitudeLetters,
                             &l.latitudeNames, &l.longitudeNames, &l.labels, &l.conjunctions})
        for (Word w : *list)
            EXPECT_TRUE(written.count(w)) << "no text holds the word [" << w->spelling << "]";
    std::cout << "Generated forms (" << total << " texts): " << summary.str() << "\n";
    RecordProperty("forms", summary.str());
}

} // namespace
} // namespace zelv
