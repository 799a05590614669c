#include "PairGrammar.h"

#include "AngleGrammar.h"
#include "WikiTemplates.h"

#include <cmath>
#include <string>

namespace zelv {

namespace {

// How far Ferro's meridian lies west of Greenwich, by the convention of the
// old German and Austrian surveys.
constexpr Extended ferroWestOfGreenwich = 17 + 40.0L / 60;

constexpr std::size_t mostLooseAnglesKept = 8;

const LexiconWord* wordOf(const Token* t, WordKind kind)
{
    return t && t->kind == TokenKind::Word && t->word && t->word->kind == kind ? t->word : nullptr;
}

bool startsAngle(TokenWindow& w, std::size_t k)
{
    const Token* t = w.at(k);
    if (!t)
        return false;
    if (t->kind == TokenKind::Sign) {
        const Token* n = w.at(k + 1);
        return n && n->kind == TokenKind::Number && !n->blankBefore;
    }
    return t->kind == TokenKind::Number && !t->hidden;
}

bool sameMeaning(const LexiconWord& a, const LexiconWord& b)
{
    return a.axis == b.axis && a.negative == b.negative && a.meridian == b.meridian;
}

struct Word {
    const LexiconWord* word = nullptr;
    std::size_t begin = 0;
    std::size_t end = 0;
    explicit operator bool() const { return word != nullptr; }
};

Word wordAt(const Token* t)
{
    return {t->word, t->begin, t->end};
}

// One half of a position: [axis word] [compass word] angle [compass word].
// readHalf sets every field of it (a new field there too): the scanner
// keeps two and reads into them, for a new one of this size is zeroed by a
// slow string instruction.
struct Half {
    std::size_t first = 0;      // window offset of its first token
    std::size_t afterAngle = 0; // past the angle
    std::size_t end = 0;        // past the compass word after it
    std::size_t begin = 0;      // its span in the text, its words included
    std::size_t endByte = 0;
    Angle angle;
    Word axisName;
    Word before;
    Word after;
    bool conflict = false; // a second compass word after it says something else
    bool glued = false;    // a lone number glued to letters ("JO62QM", "B96")
};

// Reads the half at `k` into `h`, whatever it held; false where none starts
// there.  `taken`: a compass word at this byte belongs to the angle before
// it.
bool readHalf(TokenWindow& w, std::size_t k, Half& h, std::size_t taken = std::string_view::npos)
{
    // The fields set only on some paths; the others are set on every path
    // that reads a half.
    h.axisName = {};
    h.before = {};
    h.after = {};
    h.conflict = h.glued = false;
    h.first = k;
    std::size_t i = k;
    if (wordOf(w.at(i), WordKind::AxisName)) {
        h.axisName = wordAt(w.at(i));
        ++i;
        for (int n = 0; n < 3; ++n) {
            const Token* t = w.at(i);
            if (!t || !(t->isSeparator(CharClass::Colon) || t->isSeparator(CharClass::Equals)))
                break;
            ++i;
        }
    }
    if (wordOf(w.at(i), WordKind::Compass) && startsAngle(w, i + 1) && w.at(i)->begin != taken) {
        h.before = wordAt(w.at(i));
        ++i;
    }
    Angle& angle = h.angle;
    if (!readAngle(w, i, angle))
        return false;
    if (angle.parts == 1 && !angle.marked) {
        const Token* number = w.at(i + (angle.sign ? 1 : 0));
        h.glued = number->letterBefore || number->letterAfter;
    }
    i += angle.tokens;
    h.afterAngle = i;
    if (wordOf(w.at(i), WordKind::Compass)) {
        h.after = wordAt(w.at(i));
        ++i;
        // "21°45′ O E.": the same said twice; "31°04′ E ö. F.": two meridians.
        while (wordOf(w.at(i), WordKind::Compass) && !startsAngle(w, i + 1)) {
            h.conflict = h.conflict || !sameMeaning(*w.at(i)->word, *h.after.word);
            ++i;
        }
    }
    h.end = i;
    h.begin = h.axisName ? h.axisName.begin : h.before ? h.before.begin : angle.begin;
    h.endByte = h.after ? w.at(i - 1)->end : angle.end;
    return true;
}

// What stands between two halves.
struct Between {
    std::size_t next = 0; // where the second half starts
    int separators = 0;
    bool minus = false; // a "-" between blanks
    bool conjunction = false;
    bool junk = false;
    bool ok = false;
};

bool isLetterRunOfAtMost(std::string_view text, const Token* t, std::size_t letters)
{
    std::size_t n = 0;
    for (std::size_t i = t->begin; i < t->end && text[i] != '.'; i += codePointAt(text, i).length)
        ++n;
    return n <= letters;
}

Between between(TokenWindow& w, std::size_t j, bool afterCompass)
{
    Between b;
    std::size_t k = j;
    int breaks = 0;
    for (int n = 0; n < 5; ++n, ++k) {
        const Token* t = w.at(k);
        if (!t)
            break;
        if (t->kind == TokenKind::Separator) {
            switch (t->separator) {
            case CharClass::Comma: case CharClass::Semicolon: case CharClass::Slash: case CharClass::Bar:
            case CharClass::Tab: case CharClass::Ampersand:
                ++b.separators;
                continue;
            case CharClass::Minus:
                ++b.separators;
                b.minus = true;
                continue;
            default:
                break;
            }
        } else if (t->kind == TokenKind::LineBreak) {
            ++breaks;
            continue;
        } else if (wordOf(t, WordKind::Conjunction) && !b.conjunction) {
            b.conjunction = true;
            continue;
        } else if (t->kind == TokenKind::Word && !t->word && afterCompass && k == j
                   && isLetterRunOfAtMost(w.text(), t, 3)) {
            // "55°51′N. Sch. 21°45′ O": what a machine translation left of a
            // two-part abbreviation.
            b.junk = true;
            continue;
        }
        break;
    }
    b.next = k;
    b.ok = b.separators <= 1 && breaks <= 1;
    return b;
}

std::string spanText(std::string_view text, std::size_t begin, std::size_t end)
{
    return std::string(text.substr(begin, end - begin));
}

class Scanner {
public:
    Scanner(TokenWindow& w, Evidence& e) : w_(w), e_(e), text_(w.text()) {}

    void run()
    {
        while (w_.at(0))
            w_.advance(step());
    }

    // Told of every token once: what the text holds beside its positions.
    static void note(Evidence& e, const Token& t)
    {
        // "54?43?N": a question mark glued after a number or mark, before
        // the next number or a compass word, stands for a lost mark.
        if (e.lostCandidate && (t.kind == TokenKind::Number || (t.kind == TokenKind::Word && t.word
                                                                && t.word->kind == WordKind::Compass)))
            e.lostCharacter = e.lostCandidate;
        const bool question = t.isLost();
        if (!question || t.blankBefore)
            e.lostCandidate.reset();
        const TokenKind previous = e.previousToken;
        e.previousToken = question ? previous : t.kind;
        if (question && !t.blankBefore
            && (previous == TokenKind::Number || previous == TokenKind::DegreeMark
                || previous == TokenKind::MinuteMark || previous == TokenKind::SecondMark))
            e.lostCandidate = t.begin;
        if (t.kind != TokenKind::Word || !t.word)
            return;
        e.czechWord = e.czechWord || t.word->czechOrSlovak;
        if (t.word->meridian != Meridian::Greenwich)
            ++e.ferroMarks;
    }

private:
    // Reads at the head of the window; how many tokens were taken.
    std::size_t step()
    {
        const Token* t = w_.at(0);
        if (t->kind == TokenKind::TemplateOpen
            || (t->kind == TokenKind::Word && !t->word && w_.text().substr(t->begin, t->end - t->begin) == "NS"
                && w_.at(1) && w_.at(1)->isSeparator(CharClass::Equals))) {
            const std::size_t begin = t->begin;
            if (wikiTemplate(begin) == 0 && (!w_.at(0) || w_.at(0)->begin != begin))
                return 0;
            t = w_.at(0);
        }
        if (!t->canBeginHalf())
            return 1;
        if (t->kind == TokenKind::Number && t->hidden) {
            const Token* next = w_.at(1);
            if (next && next->kind == TokenKind::Number && next->hidden) {
                hidden(*t, *next);
                return 2;
            }
            return 1;
        }
        Half& first = first_;
        if (!readHalf(w_, 0, first, taken_)) {
            stray(*t);
            return 1;
        }
        if (const std::optional<std::size_t> taken = pairFrom(first))
            return *taken;
        loose(first);
        // A compass word after it may begin the next angle; it is this one's.
        if (first.after && startsAngle(w_, first.end)) {
            taken_ = first.after.begin;
            return first.afterAngle;
        }
        return first.end;
    }

    // The template at the head of the window; how many tokens remain to be
    // taken after those it passed over.
    std::size_t wikiTemplate(std::size_t at)
    {
        const std::optional<TemplateReading> read = readWikiTemplateAt(text_, at);
        if (!read)
            return 0;
        if (read->candidate)
            e_.add(*read->candidate);
        else if (read->refusal && !e_.templateRefusal)
            e_.templateRefusal = read->refusal;
        while (w_.at(0) && w_.at(0)->begin < read->end)
            w_.advance(1);
        return 0;
    }

    void hidden(const Token& latitude, const Token& longitude)
    {
        if (!(latitude.value <= 90 && longitude.value <= 180))
            return;
        Candidate c;
        c.point = {static_cast<double>(longitude.value), static_cast<double>(latitude.value)};
        c.latitudePlace = c.longitudePlace = unitOfPlaces(12);
        c.begin = latitude.begin;
        c.end = longitude.end;
        c.source = Candidate::Source::Hidden;
        e_.add(c);
    }

    // The pair that begins with `first`: its tokens where one is read or
    // refused for good, nothing where `first` stays alone.
    std::optional<std::size_t> pairFrom(const Half& first)
    {
        const Between gap = between(w_, first.end, static_cast<bool>(first.after));
        if (!gap.ok)
            return std::nullopt;
        Half& second = second_;
        if (!readHalf(w_, gap.next, second))
            return std::nullopt;
        const bool shared = first.after && gap.next == first.end;
        if (shared)
            return sharedWord(first, second, gap);
        const Word c1 = chooseWord(first, second);
        const Word c2 = chooseWord(second, first);
        if ((first.before && first.after && !c1) || (second.before && second.after && !c2))
            return std::nullopt;
        Candidate& c = found_[0];
        if (!evaluate(first, c1, second, c2, gap, c))
            return std::nullopt;
        if (!followsWordlessAngle(first))
            e_.add(c);
        return second.end;
    }

    // The compass word between two angles, "A1 W A2": A1's after it, or
    // A2's before it, as the halves' other words say.
    std::optional<std::size_t> sharedWord(const Half& first, const Half& second, const Between& gap)
    {
        Candidate& afterReading = found_[0];
        Candidate& beforeReading = found_[1];
        bool after = second.after && evaluate(first, first.after, second, second.after, gap, afterReading);
        const bool before = first.before && evaluate(first, first.before, second, first.after, gap, beforeReading);
        if (after && before && !agree(afterReading, beforeReading)) {
            // "Westen. 54° 12′ N 21° 6′ O".  Unless a number follows the last
            // word, which then begins the next position with its words first.
            if (!startsAngle(w_, second.end)) {
                Refusal r;
                r.kind = RefusalKind::TwoPositions;
                r.first = spanText(text_, beforeReading.begin, beforeReading.end);
                r.second = spanText(text_, afterReading.begin, afterReading.end);
                if (!e_.overriding)
                    e_.overriding = r;
                return second.end;
            }
            after = false;
        }
        if (after) {
            if (!followsWordlessAngle(first))
                e_.add(afterReading);
            return second.end;
        }
        if (before) {
            e_.add(beforeReading);
            return second.afterAngle;
        }
        return std::nullopt;
    }

    // A half's compass word where it has two: the one of the other half's
    // style.
    static Word chooseWord(const Half& h, const Half& other)
    {
        if (!(h.before && h.after))
            return h.before ? h.before : h.after;
        if (sameMeaning(*h.before.word, *h.after.word))
            return h.after;
        if (other.after && !other.before)
            return h.after;
        if (other.before && !other.after)
            return h.before;
        return {};
    }

    void refuse(RefusalKind kind, std::string first = {}, std::string second = {})
    {
        Refusal r;
        r.kind = kind;
        r.first = std::move(first);
        r.second = std::move(second);
        e_.refuse(std::move(r));
    }

    // Minutes or seconds of 60 and more, decimals before the last part.
    bool unusable(const Angle& a)
    {
        if (!a.broken())
            return false;
        ++e_.brokenAngles;
        const RefusalKind kind = a.partOf60             ? RefusalKind::PartOf60
                                 : a.decimalsBeforeLast ? RefusalKind::DecimalsBeforeLast
                                 : a.misplacedMark      ? RefusalKind::MisplacedMark
                                 : a.signInside         ? RefusalKind::SignInside
                                                        : RefusalKind::ExtraPart;
        refuse(kind, spanText(text_, a.begin, a.end));
        return true;
    }
    bool unusable(const Half& h) { return unusable(h.angle); }

    // The reading of two halves with their compass words into `c`, whatever
    // it held; false where they make none.
    bool evaluate(const Half& h1, const Word& c1, const Half& h2, const Word& c2, const Between& gap, Candidate& c)
    {
        if (h1.angle.hidden || h2.angle.hidden || unusable(h1) || unusable(h2))
            return false;
        const auto axisOf = [](const Half& h, const Word& c) {
            if (c && h.axisName && c.word->axis != h.axisName.word->axis)
                return Axis::None;
            return c ? c.word->axis : h.axisName ? h.axisName.word->axis : Axis::None;
        };
        Axis a1 = axisOf(h1, c1);
        Axis a2 = axisOf(h2, c2);
        if (a1 == Axis::None && a2 == Axis::None) {
            if (h1.axisName || h2.axisName || c1 || c2)
                return false;
            return plain(h1, h2, gap, c);
        }
        // "Breite: 52.52, 13.405": an axis word names the other half too.
        if (a1 == Axis::None || a2 == Axis::None) {
            const bool named = a1 == Axis::None ? (h2.axisName && !c2) : (h1.axisName && !c1);
            // The unnamed half is taken as written; GPS digits need their
            // axis said ("Latitude: 55;274344" is no 27° 43′ 44″).
            const Half& unnamed = a1 == Axis::None ? h1 : h2;
            if (!named || c1 || c2 || h1.glued || h2.glued || loggedAsGps(unnamed.angle))
                return false;
            (a1 == Axis::None ? a1 : a2) = (a1 == Axis::None ? a2 : a1) == Axis::Latitude ? Axis::Longitude
                                                                                          : Axis::Latitude;
        }
        if (a1 == a2 || h1.conflict || h2.conflict)
            return false;
        bool sIsNorth = false;
        if (c1 && c2 && c1.word->letters != LetterSet::Word && c2.word->letters != LetterSet::Word
            && c1.word->letters != c2.word->letters) {
            const Word& s = c1.word->plainS ? c1 : c2;
            const Word& other = c1.word->plainS ? c2 : c1;
            if (!s.word->plainS || other.word->letters != LetterSet::CzechSlovak) {
                refuse(RefusalKind::LettersNotPartners, spanText(text_, c1.begin, c1.end),
                       spanText(text_, c2.begin, c2.end));
                return false;
            }
            sIsNorth = true;
        }
        if ((c1 && h1.angle.sign) || (c2 && h2.angle.sign)) {
            const Half& h = c1 && h1.angle.sign ? h1 : h2;
            refuse(RefusalKind::SignAndDirection, spanText(text_, h.begin, h.endByte));
            return false;
        }
        const bool firstIsLatitude = a1 == Axis::Latitude;
        const Half& lat = firstIsLatitude ? h1 : h2;
        const Half& lon = firstIsLatitude ? h2 : h1;
        const Word& latWord = firstIsLatitude ? c1 : c2;
        const Word& lonWord = firstIsLatitude ? c2 : c1;
        const Angle* latAngle = onAxis(lat.angle, Axis::Latitude, latitudeGps_);
        const Angle* lonAngle = onAxis(lon.angle, Axis::Longitude, longitudeGps_);
        if (!latAngle || !lonAngle || unusable(*latAngle) || unusable(*lonAngle))
            return false;
        c.plainS = false;
        bool south = latWord ? latWord.word->negative : latAngle->minus;
        if (latWord && latWord.word->plainS) {
            // Beside a Czech or Slovak word or letter it is sever, north;
            // elsewhere the text's language decides (Resolver.h).
            if (sIsNorth || (lonWord && lonWord.word->czechOrSlovak))
                south = false;
            else
                c.plainS = true;
        }
        const Extended latitude = south ? -latAngle->magnitude : latAngle->magnitude;
        Extended longitude = lonAngle->magnitude;
        if (lonWord ? lonWord.word->negative : lonAngle->minus)
            longitude = -longitude;
        const bool ferro = lonWord && lonWord.word->meridian != Meridian::Greenwich;
        // A half as the reading took it: its angle with the words it used.
        const auto halfText = [&](const Half& h, const Word& w) {
            const std::size_t begin = w && w.begin < h.angle.begin ? w.begin : h.axisName ? h.axisName.begin
                                                                                           : h.angle.begin;
            return spanText(text_, begin, std::max(h.angle.end, w ? w.end : std::size_t{0}));
        };
        const auto half = [&] { return halfText(lon, lonWord); };
        if (ferro && lonWord.word->meridian == Meridian::FerroWest) {
            refuse(RefusalKind::FerroWest, half());
            return false;
        }
        if (ferro)
            longitude -= ferroWestOfGreenwich;
        if (!(std::fabs(latitude) <= 90)) {
            refuse(ferro ? RefusalKind::FerroLatitudeBeyond : RefusalKind::LatitudeBeyond, halfText(lat, latWord));
            return false;
        }
        if (!(std::fabs(longitude) <= 180)) {
            refuse(ferro ? RefusalKind::FerroLongitudeBeyond : RefusalKind::LongitudeBeyond, half());
            return false;
        }
        e_.czechCompassWord = e_.czechCompassWord || (c1 && c1.word->czechOrSlovak) || (c2 && c2.word->czechOrSlovak);
        c.point = {static_cast<double>(longitude), static_cast<double>(latitude)};
        c.latitudePlace = latAngle->place;
        c.longitudePlace = lonAngle->place;
        // The span holds the words the reading took.
        c.begin = c1 && c1.begin < h1.angle.begin ? c1.begin
                  : h1.axisName                    ? h1.axisName.begin
                                                   : h1.angle.begin;
        c.end = std::max(h2.angle.end, c2 ? c2.end : std::size_t{0});
        c.ferro = ferro;
        c.source = Candidate::Source::Directed;
        c.wholeTextOnly = false;
        return true;
    }

    // A half's angle on its axis (angleOnAxis), copied into `gps` only where
    // it is a GPS form; nullptr where it is no angle of that axis.
    const Angle* onAxis(const Angle& angle, Axis axis, Angle& gps) const
    {
        if (!loggedAsGps(angle))
            return &angle;
        const std::optional<Angle> form = angleOnAxis(angle, axis, text_);
        if (!form)
            return nullptr;
        gps = *form;
        return &gps;
    }

    // Two halves without any words: latitude first, unless only the second
    // can be one.
    bool plain(const Half& h1, const Half& h2, const Between& gap, Candidate& c)
    {
        if (gap.minus || gap.conjunction || gap.junk || h1.glued || h2.glued)
            return false;
        const auto eligible = [](const Angle& a) {
            return a.isDecimalNumber() || a.degreeMarked || (!a.marked && a.parts > 1);
        };
        if (!eligible(h1.angle) || !eligible(h2.angle) || h1.angle.parts != h2.angle.parts)
            return false;
        const Angle* lat = &h1.angle;
        const Angle* lon = &h2.angle;
        if (!(std::fabs(lat->value()) <= 90) && std::fabs(lon->value()) <= 90)
            std::swap(lat, lon);
        if (!(std::fabs(lat->value()) <= 90) || !(std::fabs(lon->value()) <= 180))
            return false;
        c.point = {static_cast<double>(lon->value()), static_cast<double>(lat->value())};
        c.latitudePlace = lat->place;
        c.longitudePlace = lon->place;
        c.begin = h1.angle.begin;
        c.end = h2.angle.end;
        c.source = Candidate::Source::Plain;
        e_.plainNumbers += static_cast<std::size_t>(h1.angle.parts + h2.angle.parts);
        e_.plainDecimals += (h1.angle.decimals ? 1 : 0) + (h2.angle.decimals ? 1 : 0);
        c.wholeTextOnly = (!h1.angle.marked && h1.angle.parts > 1) || (!h2.angle.marked && h2.angle.parts > 1);
        c.plainS = c.ferro = false;
        return true;
    }

    // An angle that no pair took.
    // "50° 24′ 53° N, 10° 46′ 9″ O": a pair whose first half follows an
    // angle without words, only blanks between, takes that angle's last
    // part for degrees; most likely a degree sign stands where the
    // seconds' belongs.  Refused instead of read; true where so.
    bool followsWordlessAngle(const Half& first)
    {
        if (wordlessEnd_ == std::string_view::npos || wordlessEnd_ > first.angle.begin)
            return false;
        const std::string_view between = text_.substr(wordlessEnd_, first.angle.begin - wordlessEnd_);
        if (first.before || first.axisName || between.find_first_not_of(" \t") != std::string_view::npos)
            return false;
        refuse(RefusalKind::MisplacedMark, spanText(text_, wordlessBegin_, first.angle.end));
        return true;
    }

    // A number with a minute or second sign glued after it, where no angle
    // starts: the rest of an angle that a mark out of place cut short.
    void stray(const Token& t)
    {
        const Token* mark = w_.at(1);
        if (t.kind != TokenKind::Number || !mark || mark->blankBefore
            || (mark->kind != TokenKind::MinuteMark && mark->kind != TokenKind::SecondMark)
            || e_.strays.size() >= mostLooseAnglesKept)
            return;
        e_.strays.push_back({t.begin, mark->end, true});
    }

    void loose(const Half& h)
    {
        if (unusable(h))
            return;
        const Word compass = h.after ? h.after : h.before;
        const bool named = compass || h.axisName;
        const bool angle = h.angle.degreeMarked || (named && (h.angle.decimals || h.angle.parts > 1));
        if (!angle || h.glued) {
            if (!h.glued && e_.strays.size() < mostLooseAnglesKept)
                e_.strays.push_back({h.begin, h.endByte, h.angle.marked});
            // "36G 763482": a number with a letter is no angle alone.
            (h.glued || compass ? e_.gluedNumbers : e_.bareNumbers) += static_cast<std::size_t>(h.angle.parts);
            e_.bareDecimals += h.angle.decimals ? 1 : 0;
            return;
        }
        ++e_.looseAngleCount;
        if (!compass && h.angle.degreeMarked) {
            wordlessBegin_ = h.angle.begin;
            wordlessEnd_ = h.angle.end;
        }
        if (e_.looseAngles.size() >= mostLooseAnglesKept)
            return;
        LooseAngle a;
        a.begin = h.before && !h.after ? h.before.begin : h.angle.begin;
        a.end = h.after ? h.after.end : h.angle.end;
        a.compass = compass.word;
        a.axis = compass ? compass.word->axis : h.axisName ? h.axisName.word->axis : Axis::None;
        if (!compass && h.axisName)
            a.begin = h.axisName.begin;
        if (!compass) {
            // The word after it, with the short dotted words that follow:
            // "x. y.", "\u00F6stl. v. Paris"; or question marks where
            // characters were lost.
            std::size_t k = h.afterAngle;
            for (const Token* t = w_.at(k); t; t = w_.at(++k)) {
                const bool lost = t->isLost();
                const bool unknown = t->kind == TokenKind::Word
                                     && (!t->word || t->word->kind == WordKind::Unit
                                         || t->word->kind == WordKind::Conjunction);
                if (!lost && !unknown)
                    break;
                if (a.wordEnd != 0 && t->blankBefore && !lost && !w_.text().substr(a.wordEnd - 1, 1).starts_with('.'))
                    break;
                if (a.wordEnd == 0)
                    a.wordBegin = t->begin;
                a.wordEnd = t->end;
                if (unknown && !t->dotted)
                    break;
            }
        }
        e_.looseAngles.push_back(a);
    }

    TokenWindow& w_;
    Evidence& e_;
    std::string_view text_;
    std::size_t taken_ = std::string_view::npos;
    // The last angle with a degree sign and no words, left alone.
    std::size_t wordlessBegin_ = std::string_view::npos;
    std::size_t wordlessEnd_ = std::string_view::npos;
    Half first_;  // the half at the head
    Half second_; // the one after it
    // The readings of a pair, and the GPS forms of its angles.
    Candidate found_[2];
    Angle latitudeGps_;
    Angle longitudeGps_;
};

} // namespace

void readPairs(TokenWindow& window, Evidence& evidence)
{
    Scanner(window, evidence).run();
}

void noteTokens(void* evidence, std::span<const Token> tokens)
{
    Evidence& e = *static_cast<Evidence*>(evidence);
    for (const Token& t : tokens)
        Scanner::note(e, t);
}

} // namespace zelv
