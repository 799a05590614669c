#include "UnreadAngles.h"

#include "NotationMessages.h"
#include "NotationText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zelv {

namespace {

bool isMark(char c)
{
    return c == '\xB0' || c == '\xBA' || c == '\'' || c == '\x92' || c == '\xB4' || c == '"' || c == '\x94';
}

bool isWordChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0xC0 || c == '?' || u == 0x9A || u == 0x8A;
}

// An angle: degrees with their mark, minutes and seconds after it, and the
// word that follows (letters and dots, as "x. y."), if any.
struct Angle {
    std::string_view text; // the angle with its word
    std::string_view word;
};

bool isKnownDirection(std::string_view word)
{
    static constexpr std::string_view known[] = {"N",     "S",     "E",     "O",     "W",    "Nord",
                                                  "S\xFC" "d", "Ost", "West", "North", "South", "East"};
    for (const std::string_view k : known)
        if (equalsIgnoringCase(word, k))
            return true;
    return false;
}

// The compass letters of other languages that PositionInText reads only
// beside their partners: Czech and Slovak V/Z (east, west) with S/J, Turkish
// K/G (north, south) with D/B.
bool isLetterOfAnotherLanguage(std::string_view word)
{
    return word.size() == 1 && std::string_view("VZJKGDB").find(word.front()) != std::string_view::npos;
}

// What an angle is made of: digits, decimal marks, blanks and marks.
bool isAnglePart(char c)
{
    return isDigit(c) || c == '.' || c == ',' || isBlankOrNoBreakSpace(c) || isMark(c);
}

// The degree marks of a text one after the other, each kind searched anew
// only once passed.
class DegreeMarks {
public:
    explicit DegreeMarks(std::string_view s) : s_(s), ring_(s.find('\xB0')), ordinal_(s.find('\xBA')) {}

    // The first at or after i, or npos.
    std::size_t from(std::size_t i)
    {
        if (ring_ < i)
            ring_ = s_.find('\xB0', i);
        if (ordinal_ < i)
            ordinal_ = s_.find('\xBA', i);
        return std::min(ring_, ordinal_);
    }

private:
    std::string_view s_;
    std::size_t ring_;
    std::size_t ordinal_;
};

std::vector<Angle> anglesOf(std::string_view s)
{
    constexpr std::size_t mostAngles = 8;
    std::vector<Angle> angles;
    DegreeMarks degreeMarks(s);
    // Only an angle with a degree mark counts, and an angle is one run of
    // its parts: so the reader goes from degree mark to degree mark,
    // starting at the run that holds each.
    std::size_t degree = 0;
    bool aimed = false;
    std::size_t i = 0;
    while (i < s.size() && angles.size() <= mostAngles) {
        if (!aimed || i > degree) {
            degree = degreeMarks.from(i);
            if (degree == std::string_view::npos)
                break;
            aimed = true;
            std::size_t start = degree;
            while (start > i && isAnglePart(s[start - 1]))
                --start;
            i = start;
        }
        if (!isDigit(s[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        bool degrees = false;
        // Parts: digits, decimals, blanks and a mark; until no mark follows.
        for (;;) {
            std::size_t j = i;
            while (j < s.size() && (isDigit(s[j]) || s[j] == '.' || s[j] == ','))
                ++j;
            std::size_t k = j;
            while (k < s.size() && isBlankOrNoBreakSpace(s[k]))
                ++k;
            if (k == s.size() || !isMark(s[k])) {
                i = j;
                break;
            }
            degrees = degrees || s[k] == '\xB0' || s[k] == '\xBA';
            while (k < s.size() && isMark(s[k]))
                ++k;
            i = k;
            std::size_t n = k;
            while (n < s.size() && isBlankOrNoBreakSpace(s[n]))
                ++n;
            if (n == s.size() || !isDigit(s[n]))
                break;
            i = n;
        }
        if (!degrees)
            continue;
        // The word: letters and dots, single blanks inside after a dot.
        std::size_t w = i;
        while (w < s.size() && isBlankOrNoBreakSpace(s[w]))
            ++w;
        const std::size_t wordStart = w;
        std::size_t wordEnd = w;
        while (w < s.size()) {
            if (isWordChar(s[w]) || s[w] == '.') {
                ++w;
                wordEnd = w;
            } else if (isBlankOrNoBreakSpace(s[w]) && w > wordStart && s[w - 1] == '.' && w + 1 < s.size()
                       && isWordChar(s[w + 1])) {
                ++w;
            } else {
                break;
            }
        }
        angles.push_back({s.substr(start, wordEnd - start), s.substr(wordStart, wordEnd - wordStart)});
        i = wordEnd > i ? wordEnd : i;
    }
    return angles;
}

} // namespace

void explainUnreadAngles(std::string_view text)
{
    const std::vector<Angle> angles = anglesOf(text);
    if (angles.size() == 2) {
        const std::string_view first = angles[0].word;
        const std::string_view second = angles[1].word;
        if ((isLetterOfAnotherLanguage(first) && (isKnownDirection(second) || isLetterOfAnotherLanguage(second)))
            || (isLetterOfAnotherLanguage(second) && isKnownDirection(first)))
            throwUnusable("Die Angabe enth\xE4lt zwei Winkel, aber " + quoted(first) + " und " + quoted(second)
                          + " geh\xF6ren nicht zusammen: V und Z (Osten, Westen im Tschechischen und Slowakischen) "
                            "stehen neben S und J, K und G (Norden, S\xFC" "den im T\xFCrkischen) neben D und B.");
        for (const Angle& a : angles)
            if (!a.word.empty() && !isKnownDirection(a.word))
                throwUnusable("Die Angabe enth\xE4lt zwei Winkel, aber " + quoted(a.word)
                              + " ist keine bekannte Himmelsrichtung. Bekannt sind N/S/O/W, E, Nord/S\xFC" "d/Ost/West, "
                                "North/South/East/West, n\xF6rdliche Breite/\xF6stliche L\xE4nge und die "
                                "Abk\xFCrzungen der russischen, litauischen, tschechischen und slowakischen "
                                "Wikipedia (wie s. \x9A., v. d.).");
        return;
    }
    if (angles.size() == 1 && !angles[0].word.empty() && isKnownDirection(angles[0].word)) {
        const std::string_view rest = trimBlanksAndNoBreakSpaces(
            text.substr(static_cast<std::size_t>(angles[0].text.data() + angles[0].text.size() - text.data())));
        if (!rest.empty())
            return;
        const char letter = asciiLower(angles[0].word.front());
        const bool latitude = letter == 'n' || letter == 's';
        throwUnusable("Nach " + quoted(angles[0].text) + " fehlt die " + (latitude ? "L\xE4nge" : "Breite") + ".");
    }
}

} // namespace zelv
