#include "CompassWords.h"

#include "Windows1252.h"

#include <array>
#include <vector>

namespace zelv {

namespace {

struct CompassWord {
    std::string_view first;  // the first word, or abbreviation without its dot
    std::string_view second; // the second, after an optional dot and blanks
    std::string_view letter;
};

// Longer words before the abbreviations they begin with.
constexpr std::array<CompassWord, 36> compassWords{{
    // Russian
    {"северной", "широты", "N"},
    {"южной", "широты", "S"},
    {"восточной", "долготы", "E"},
    {"западной", "долготы", "W"},
    {"с", "ш", "N"},
    {"ю", "ш", "S"},
    {"в", "д", "E"},
    {"з", "д", "W"},
    // Lithuanian: šiaurės/pietų platumos, rytų/vakarų ilgumos
    {"š", "pl", "N"},
    {"p", "pl", "S"},
    {"r", "ilg", "E"},
    {"v", "ilg", "W"},
    // Czech and Slovak: severní/jižní šířky, východní/západní délky
    {"severní", "šířky", "N"},
    {"jižní", "šířky", "S"},
    {"východní", "délky", "E"},
    {"západní", "délky", "W"},
    {"severnej", "šírky", "N"},
    {"južnej", "šírky", "S"},
    {"východnej", "dĺžky", "E"},
    {"západnej", "dĺžky", "W"},
    {"s", "š", "N"},
    {"j", "š", "S"},
    {"v", "d", "E"},
    {"z", "d", "W"},
    // German
    {"nördliche", "Breite", "N"},
    {"südliche", "Breite", "S"},
    {"östliche", "Länge", "E"},
    {"westliche", "Länge", "W"},
    {"nördl", "Br", "N"},
    {"südl", "Br", "S"},
    {"östl", "L", "E"},
    {"westl", "L", "W"},
    {"n", "Br", "N"},
    {"s", "Br", "S"},
    {"ö", "L", "E"},
    {"w", "L", "W"},
}};

// Whether a compass word may start with the byte c.
bool startsCompassWord(char c)
{
    static constexpr std::array<bool, 256> starts = [] {
        std::array<bool, 256> s{};
        for (const CompassWord& w : compassWords)
            s[static_cast<unsigned char>(w.first.front())] = true;
        return s;
    }();
    return starts[static_cast<unsigned char>(c)];
}

// Russian, Ukrainian and Bulgarian, Polish, Lithuanian, Czech, Slovak.
constexpr std::array<std::string_view, 7> labels{
    "Координаты", "Координати", "Współrzędne", "Koordinatės", "Geografické souřadnice", "Souřadnice", "Súradnice",
};

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A letter of any script: ASCII letters and every character of more than
// one byte (the marks below are told apart before this is asked).
bool isLetterStart(char c) { return isAsciiLetter(c) || static_cast<unsigned char>(c) >= 0xC0; }

std::size_t blankAt(std::string_view s, std::size_t i)
{
    if (i >= s.size())
        return 0;
    const char c = s[i];
    if (c == ' ' || c == '\t')
        return 1;
    if (c == '\xC2' && i + 1 < s.size() && s[i + 1] == '\xA0')
        return 2; // U+00A0
    if (c == '\xE2' && i + 2 < s.size() && s[i + 1] == '\x80' && (s[i + 2] == '\xAF' || s[i + 2] == '\x89'))
        return 3; // U+202F, U+2009
    return 0;
}

// The length of a degree, minute or second mark at i, or 0.
std::size_t markAt(std::string_view s, std::size_t i)
{
    if (i >= s.size())
        return 0;
    const char c = s[i];
    if (c == '\'' || c == '"')
        return 1;
    if (c == '\xC2' && i + 1 < s.size() && (s[i + 1] == '\xB0' || s[i + 1] == '\xBA' || s[i + 1] == '\xB4'))
        return 2; // ° º ´
    if (c == '\xE2' && i + 2 < s.size() && s[i + 1] == '\x80'
        && (s[i + 2] == '\xB2' || s[i + 2] == '\xB3' || s[i + 2] == '\x99' || s[i + 2] == '\x9D'))
        return 3; // ′ ″ ’ ”
    return 0;
}

std::size_t skipBlanks(std::string_view s, std::size_t i)
{
    for (std::size_t n = blankAt(s, i); n != 0; n = blankAt(s, i))
        i += n;
    return i;
}

struct Match {
    std::size_t end = 0;
    bool dotted = false; // ends in a dot
};

// A compass word at i: its end, or nothing.
std::optional<Match> matchWord(std::string_view s, std::size_t i, const CompassWord& w)
{
    if (s[i] != w.first.front() || s.substr(i, w.first.size()) != w.first)
        return std::nullopt;
    std::size_t j = i + w.first.size();
    const bool firstDotted = j < s.size() && s[j] == '.';
    if (firstDotted)
        ++j;
    const std::size_t afterBlanks = skipBlanks(s, j);
    // Two full words need a blank between them; an abbreviation may stand glued.
    if (!firstDotted && afterBlanks == j && w.first.size() > 2)
        return std::nullopt;
    j = afterBlanks;
    if (s.substr(j, w.second.size()) != w.second)
        return std::nullopt;
    j += w.second.size();
    Match m{j, false};
    if (j < s.size() && s[j] == '.') {
        m.end = j + 1;
        m.dotted = true;
    } else if (j < s.size() && isLetterStart(s[j])) {
        return std::nullopt; // a longer word
    }
    return m;
}

constexpr std::size_t utf8Length(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0xC0 ? 1 : u < 0xE0 ? 2 : u < 0xF0 ? 3 : 4;
}

// The bytes that may start a digit or a mark (the marks and blanks of more
// than one byte start with 0xC2 or 0xE2).  No byte inside a character of
// more than one byte is among them, so the text may be walked byte by byte.
constexpr std::array<bool, 256> digitOrMarkStarts = [] {
    std::array<bool, 256> starts{};
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        starts[static_cast<std::size_t>(b)] = (c >= '0' && c <= '9') || c == '\'' || c == '"' || b == 0xC2 || b == 0xE2;
    }
    return starts;
}();

// From i, a character on which no angle ends, to the next byte that may
// start a digit or a mark: only after one can a compass word stand.  Texts
// of megabytes hold few of them.
std::size_t nextDigitOrMark(std::string_view s, std::size_t i)
{
    while (i < s.size() && !digitOrMarkStarts[static_cast<unsigned char>(s[i])])
        ++i;
    return i;
}

bool onlyLetters(std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); i += utf8Length(s[i]))
        if (!isLetterStart(s[i]))
            return false;
    return !s.empty();
}

// Prose joins the halves with "and": "54°43′ северной широты и 20°30′ …".
// The position after such a word between blanks, else i.
std::size_t afterConjunction(std::string_view s, std::size_t i)
{
    const std::size_t start = skipBlanks(s, i);
    if (start == i)
        return i;
    for (const std::string_view word : {"и", "und", "and", "ir", "a"})
        if (s.substr(start, word.size()) == word && blankAt(s, start + word.size()) != 0)
            return start + word.size();
    return i;
}

// Past the blank or mark at i, or else past its byte, which is no compass
// word: blanks keep `afterAngle`, a mark or a digit sets it, anything else
// clears it.  The bytes that follow inside a character change nothing.
std::size_t stepOver(std::string_view s, std::size_t i, bool& afterAngle)
{
    if (const std::size_t n = blankAt(s, i))
        return i + n;
    if (const std::size_t n = markAt(s, i)) {
        afterAngle = true;
        return i + n;
    }
    afterAngle = s[i] >= '0' && s[i] <= '9';
    return i + 1;
}

bool isCzechOrSlovakWord(const CompassWord& w)
{
    return &w >= &compassWords[12] && &w <= &compassWords[23];
}

// The text with its compass words as letters, each unchanged run converted
// by `append` (UTF-8 as it is, or to Windows-1252).  In a text that writes
// Czech or Slovak compass words, a lone "S" after an angle becomes "N", as
// those languages write sever, north: the words leave no doubt which
// language the letters are, wherever in the text they stand.
template <class Append>
std::string withWordsAsLetters(std::string_view s, Append append)
{
    std::string out;
    out.reserve(s.size());
    std::size_t i = skipBlanks(s, 0);
    append(s.substr(0, i), out);
    for (const std::string_view label : labels)
        if (s.substr(i, label.size()) == label
            && (i + label.size() == s.size() || !isLetterStart(s[i + label.size()]))) {
            out += "Lage"; // a label of the reader, shorter than every one here
            i += label.size();
            break;
        }
    bool afterAngle = false; // the last character but blanks was a digit or a mark
    bool czechOrSlovak = false;
    // Where a lone S after an angle stands in `out`, to be north if the
    // text is Czech or Slovak.
    std::vector<std::size_t> loneS;
    int words = 0;
    // The text is copied in runs between the words replaced.
    std::size_t run = i;
    while (i < s.size()) {
        if (afterAngle && s[i] == 'S' && (i + 1 == s.size() || !isLetterStart(s[i + 1]))) {
            append(s.substr(run, i - run), out);
            loneS.push_back(out.size());
            run = i;
        }
        if (afterAngle && startsCompassWord(s[i])) {
            std::optional<Match> match;
            const CompassWord* word = nullptr;
            for (const CompassWord& w : compassWords)
                if ((match = matchWord(s, i, w))) {
                    word = &w;
                    break;
                }
            if (match) {
                append(s.substr(run, i - run), out);
                out += word->letter;
                czechOrSlovak = czechOrSlovak || isCzechOrSlovakWord(*word);
                i = match->end;
                afterAngle = false;
                run = i;
                // The map links' letters glued to the last word are dropped.
                if (++words == 2 && match->dotted && onlyLetters(s.substr(i))) {
                    run = s.size();
                    break;
                }
                if (words == 1)
                    run = i = afterConjunction(s, i);
                continue;
            }
        }
        if (!afterAngle && (i = nextDigitOrMark(s, i)) == s.size())
            break;
        i = stepOver(s, i, afterAngle);
    }
    append(s.substr(run < s.size() ? run : s.size()), out);
    if (czechOrSlovak)
        for (const std::size_t at : loneS)
            out[at] = 'N';
    return out;
}

} // namespace

std::string withCompassWordsAsLetters(std::string_view s)
{
    return withWordsAsLetters(s, [](std::string_view piece, std::string& out) { out.append(piece); });
}

std::optional<ClipboardPosition> readCoordinatesOfUtf8(std::string_view utf8, Separators separators)
{
    return readCoordinates(withWordsAsLetters(utf8, appendWindows1252), separators);
}

} // namespace zelv
