#include "Resolver.h"

#include "Lexicon.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace zelv {

namespace {

using Source = Candidate::Source;

// What a rule sees: the findings, with the plain "S" of the readings settled.
struct Case {
    explicit Case(const Findings& findings) : f(findings) {}

    const Findings& f;
    bool doubtfulS = false;
    std::vector<const Candidate*> named;
    std::vector<const Candidate*> hidden;
    std::vector<const Candidate*> plain;
};

std::string span(const Case& c, std::size_t begin, std::size_t end)
{
    return std::string(c.f.text.substr(begin, end - begin));
}

Refusal refusal(RefusalKind kind, std::string first = {}, std::string second = {})
{
    Refusal r;
    r.kind = kind;
    r.first = std::move(first);
    r.second = std::move(second);
    return r;
}

// A refusal found while reading, where there is one.
std::optional<ReaderResult> found(const std::optional<Refusal>& r)
{
    if (r)
        return *r;
    return std::nullopt;
}

bool isWholeBody(const Case& c, const Candidate& candidate)
{
    const Evidence& e = c.f.evidence;
    return candidate.begin <= e.bodyBegin && candidate.end >= e.bodyEnd;
}

// Readings of one position, or two that disagree.
std::optional<ReaderResult> agreeing(const Case& c, const std::vector<const Candidate*>& readings, ReadForm form)
{
    // Two intervals of a set disagree exactly when one's lower end lies
    // above another's upper end: the extremes tell.
    const Candidate* finest = readings.front();
    for (const Candidate* a : readings) {
        for (const Candidate* b : readings)
            if (!agree(*a, *b))
                return refusal(RefusalKind::TwoPositions, span(c, a->begin, a->end), span(c, b->begin, b->end));
        if (widthOf(*a) < widthOf(*finest))
            finest = a;
    }
    Reading r;
    r.form = finest->source == Source::Template ? ReadForm::WikiTemplate : form;
    r.position = finest->point;
    return r;
}

// ---- The rules ----------------------------------------------------------------

using Rule = std::optional<ReaderResult> (*)(const Case&);

std::optional<ReaderResult> fixedReading(const Case& c)
{
    if (c.f.fixed)
        return *c.f.fixed;
    return std::nullopt;
}

std::optional<ReaderResult> severalFerroMarks(const Case& c)
{
    if (c.f.evidence.ferroMarks > 1)
        return refusal(RefusalKind::FerroSeveral);
    return std::nullopt;
}

std::optional<ReaderResult> ferroWithoutReading(const Case& c)
{
    if (c.f.evidence.ferroMarks == 0)
        return std::nullopt;
    for (const Candidate* candidate : c.named)
        if (candidate->ferro)
            return std::nullopt;
    for (const Refusal& r : c.f.evidence.pairRefusals)
        if (r.kind == RefusalKind::FerroWest || r.kind == RefusalKind::FerroLatitudeBeyond
            || r.kind == RefusalKind::FerroLongitudeBeyond)
            return r;
    return refusal(RefusalKind::FerroUnreadable);
}

std::optional<ReaderResult> wholeTextReading(const Case& c)
{
    if (c.f.wholeText)
        return *c.f.wholeText;
    return std::nullopt;
}

std::optional<ReaderResult> doubtfulS(const Case& c)
{
    if (c.doubtfulS)
        return refusal(RefusalKind::DoubtfulS);
    return std::nullopt;
}

std::optional<ReaderResult> ambiguousCompassWord(const Case& c)
{
    return found(c.f.evidence.overriding);
}

// "k. h. 21° 53° 11″", "E 008° 58.086″": an angle without a compass word,
// or a number with a minute or second sign, right beside a reading or
// inside it, is most likely part of one of its halves, which a mark out of
// place cut short.  A plain number glued to it by a punctuation mark
// ("Lat: : 54;681718") may be one as well, and so may one after blanks
// where the reading ends in a number or a mark ("W122 24800"); a compass
// word after the numbers closes a half ("10.76943°O 350 m ü. NN").
// Beside means: blanks only between, or one punctuation mark without
// blanks.
std::optional<ReaderResult> strayBeside(const Case& c, const Candidate& reading)
{
    const bool endsOpen = [&] {
        if (reading.end <= reading.begin)
            return false;
        switch (charClass(codePointAt(c.f.text, codePointStartBefore(c.f.text, reading.end)).value)) {
        case CharClass::Digit:
        case CharClass::DegreeMark:
        case CharClass::MinuteMark:
        case CharClass::SecondMark:
            return true;
        case CharClass::Letter:
            // Compass letters before the numbers ("N 45;17.460 W122 24.800"):
            // the last letter opens a half.
            return charClass(codePointAt(c.f.text, reading.begin).value) == CharClass::Letter;
        default:
            return false;
        }
    }();
    const auto apart = [&](std::size_t begin, std::size_t end, bool blanks) {
        if (begin > end)
            return false;
        const std::string_view between = c.f.text.substr(begin, end - begin);
        return (blanks && between.find_first_not_of(" \t") == std::string_view::npos)
               || (between.size() == 1 && std::string_view(",;/.").find(between[0]) != std::string_view::npos);
    };
    const auto beside = [&](std::size_t begin, std::size_t end, bool marked) -> std::optional<ReaderResult> {
        const std::size_t from = std::min(begin, reading.begin);
        const std::size_t to = std::max(end, reading.end);
        const bool inside = begin >= reading.begin && end <= reading.end;
        if (!(apart(end, reading.begin, marked) || apart(reading.end, begin, marked || endsOpen) || inside))
            return std::nullopt;
        if (marked)
            return refusal(RefusalKind::MisplacedMark, span(c, from, to));
        return refusal(RefusalKind::NumberBeside, span(c, begin, end), span(c, from, to));
    };
    for (const LooseAngle& a : c.f.evidence.looseAngles)
        if (!a.compass)
            if (std::optional<ReaderResult> refused = beside(a.begin, a.end, true))
                return refused;
    for (const Stray& s : c.f.evidence.strays)
        if (std::optional<ReaderResult> refused = beside(s.begin, s.end, s.marked))
            return refused;
    return std::nullopt;
}

std::optional<ReaderResult> namedReadings(const Case& c)
{
    if (c.named.empty())
        return std::nullopt;
    for (const Candidate* n : c.named)
        if (std::optional<ReaderResult> refused = strayBeside(c, *n))
            return refused;
    std::vector<const Candidate*> readings = c.named;
    readings.insert(readings.end(), c.hidden.begin(), c.hidden.end());
    // Plain pairs beside them count where they agree with all of them (a
    // finer repeat); far from them they are other numbers (population
    // figures), near them a repeat that says something else.
    const std::size_t named = readings.size();
    for (const Candidate* p : c.plain) {
        if (p->wholeTextOnly)
            continue;
        const auto disagreeing = std::find_if(readings.begin(), readings.begin() + static_cast<std::ptrdiff_t>(named),
                                              [&](const Candidate* n) { return !agree(*p, *n); });
        if (disagreeing == readings.begin() + static_cast<std::ptrdiff_t>(named)) {
            readings.push_back(p);
            continue;
        }
        const Candidate& n = **disagreeing;
        const double longitudes = std::fabs(p->point.Longitude - n.point.Longitude);
        if (std::fabs(p->point.Latitude - n.point.Latitude) < 1 && std::min(longitudes, 360 - longitudes) < 1)
            return refusal(RefusalKind::TwoPositions, span(c, n.begin, n.end), span(c, p->begin, p->end));
    }
    return agreeing(c, readings, ReadForm::Pair);
}

std::optional<ReaderResult> plainReadings(const Case& c)
{
    const Evidence& e = c.f.evidence;
    std::vector<const Candidate*> plain;
    for (const Candidate* candidate : c.plain)
        if (!candidate->wholeTextOnly || isWholeBody(c, *candidate))
            plain.push_back(candidate);
    // Only where they are the text's only numbers: beside a third number,
    // or an angle that is none ("50°60′"), which two are the position stays
    // open.
    if (plain.empty() || e.bareNumbers > 0 || e.looseAngleCount > 0 || e.brokenAngles > 0)
        return std::nullopt;
    return agreeing(c, plain, ReadForm::Pair);
}

std::optional<ReaderResult> wholeTextRefusal(const Case& c)
{
    return found(c.f.wholeTextRefusal);
}

std::optional<ReaderResult> templateRefusal(const Case& c)
{
    return found(c.f.evidence.templateRefusal);
}

std::optional<ReaderResult> pairRefusal(const Case& c)
{
    // The first in the order of the kinds: the one nearest its cause.
    const std::vector<Refusal>& refusals = c.f.evidence.pairRefusals;
    if (refusals.empty())
        return std::nullopt;
    return *std::min_element(refusals.begin(), refusals.end(),
                             [](const Refusal& a, const Refusal& b) { return a.kind < b.kind; });
}

std::optional<ReaderResult> looseAngles(const Case& c)
{
    const Evidence& e = c.f.evidence;
    const auto text = [&](const LooseAngle& a) { return span(c, a.begin, a.end); };
    if (e.lostCharacter)
        return refusal(RefusalKind::LostCharacters);
    if (e.looseAngleCount == 2) {
        const LooseAngle& a = e.looseAngles[0];
        const LooseAngle& b = e.looseAngles[1];
        for (const LooseAngle* x : {&a, &b}) {
            if (x->wordEnd <= x->wordBegin)
                continue;
            const std::string word = span(c, x->wordBegin, x->wordEnd);
            if (word.find_first_not_of("?. ") == std::string::npos || word.find("\uFFFD") != std::string::npos)
                return refusal(RefusalKind::LostCharacters);
            return refusal(RefusalKind::UnknownDirection, word);
        }
        const bool aNamed = a.axis != Axis::None;
        const bool bNamed = b.axis != Axis::None;
        if (aNamed && bNamed) {
            if (a.axis == b.axis)
                return refusal(a.axis == Axis::Latitude ? RefusalKind::TwoLatitudes : RefusalKind::TwoLongitudes,
                               text(a), text(b));
            return refusal(RefusalKind::HalvesApart, text(a), text(b));
        }
        if (a.compass || b.compass)
            return refusal(RefusalKind::MissingDirection, text(a.compass ? b : a), text(a.compass ? a : b));
    }
    if (e.looseAngleCount == 1 && e.bareNumbers == 0 && e.looseAngles[0].axis != Axis::None)
        return refusal(e.looseAngles[0].axis == Axis::Latitude ? RefusalKind::MissingLongitude
                                                               : RefusalKind::MissingLatitude,
                       text(e.looseAngles[0]));
    return std::nullopt;
}

std::optional<ReaderResult> fixedFailure(const Case& c)
{
    return found(c.f.fixedFailure);
}

std::optional<ReaderResult> bareNumbers(const Case& c)
{
    const Evidence& e = c.f.evidence;
    const std::size_t numbers = e.bareNumbers + e.gluedNumbers + e.plainNumbers;
    if (e.words && numbers >= 3 && e.bareDecimals + e.plainDecimals >= 2)
        return refusal(RefusalKind::BareNumbers);
    return std::nullopt;
}

std::optional<ReaderResult> nothingReads(const Case&)
{
    return refusal(RefusalKind::NoCoordinates);
}

struct PrecedenceRule {
    std::string_view name;
    Rule apply;
};

// Which reading wins and which refusal is shown, first rule first.
constexpr PrecedenceRule precedence[] = {
    {"a fixed notation reads the text", fixedReading},
    {"more than one longitude east of Ferro", severalFerroMarks},
    {"a mark of Ferro that no reading counts from", ferroWithoutReading},
    {"a form that is the whole text reads it", wholeTextReading},
    {"a plain S in a Czech or Slovak text", doubtfulS},
    {"a compass word that belongs to either half, read two ways", ambiguousCompassWord},
    {"positions named by words: the finest, or two that disagree", namedReadings},
    {"plain pairs that are the text's only numbers", plainReadings},
    {"a form that is the whole text cannot be used", wholeTextRefusal},
    {"a coordinate template cannot be read", templateRefusal},
    {"a pair cannot be used", pairRefusal},
    {"angles that no pair took", looseAngles},
    {"a number of a fixed notation does not convert", fixedFailure},
    {"bare numbers among words", bareNumbers},
    {"nothing reads the text", nothingReads},
};

} // namespace

std::vector<std::string_view> precedenceRules()
{
    std::vector<std::string_view> names;
    for (const PrecedenceRule& rule : precedence)
        names.push_back(rule.name);
    return names;
}

ReaderResult resolve(const Findings& findings, std::string_view* ruleUsed)
{
    Case c{findings};
    // A plain S: north where the text's Czech or Slovak compass words say
    // so, doubtful where only other words of theirs stand, else south.
    const Evidence& e = findings.evidence;
    c.doubtfulS = !e.plainSouth.empty() && !e.czechCompassWord && e.czechWord;
    c.named = e.named.kept();
    for (const Candidate* s : (e.czechCompassWord ? e.plainSNorth : e.plainSouth).kept())
        c.named.push_back(s);
    c.hidden = e.hidden.kept();
    c.plain = e.plain.kept();
    for (const PrecedenceRule& rule : precedence)
        if (std::optional<ReaderResult> result = rule.apply(c)) {
            if (ruleUsed)
                *ruleUsed = rule.name;
            if (Refusal* r = std::get_if<Refusal>(&*result))
                r->text = std::string(findings.text);
            // Moved: a refusal holds the whole text, up to megabytes.
            return std::move(*result);
        }
    return NothingToRead{}; // the last rule always applies
}

ReaderResult resolve(const Findings& findings)
{
    return resolve(findings, nullptr);
}

} // namespace zelv
