#pragma once
// Every word and mark the clipboard reader knows, in one place: compass and
// hemisphere words of every language it reads, with their case forms and
// abbreviations; the words of the axes; labels; unit words; the words that
// join two halves; and the classes of the characters around numbers.  A new
// language is a few rows of the table in Lexicon.cpp.  The column headers of
// lists (engine/batch) are told apart by its words of the axes too.
//
// Texts are UTF-8.  A word of the table is one or more parts ("n. Br.",
// "severní šířky", "ö. v. Ferro"): between parts stand a dot, blanks or
// both, or nothing where both parts are single letters ("сш", "NB").  A dot
// may end the word.  A word ends where no letter follows, unless it ended
// in a dot: "в. д.HGЯO" is "в. д." and the map links' letters.  Single
// compass letters and unit letters match as written (N, S, O, E, W, the
// letters of other scripts; d, m, s); every other word and every
// abbreviation of several parts matches in any case ("NORD", "nord",
// "с. Ш.", "Φ").

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace zelv {

enum class Axis : std::uint8_t { None, Latitude, Longitude };

// Single compass letters pair only with letters of their own set: N and S
// with E, O and W; the Czech and Slovak S (sever, north) and J with V and Z;
// Turkish K and G with D and B; Cyrillic С and Ю with В, З and И.  Words
// pair with anything.
enum class LetterSet : std::uint8_t { Word, Latin, CzechSlovak, Turkish, Cyrillic };

// The prime meridian a longitude is counted from.
enum class Meridian : std::uint8_t { Greenwich, FerroEast, FerroWest };

enum class WordKind : std::uint8_t { Compass, AxisName, Label, Unit, Conjunction };

enum class AngleUnit : std::uint8_t { Degree, Minute, Second };

struct LexiconWord {
    std::string_view spelling; // parts separated by one blank
    WordKind kind;
    Axis axis = Axis::None; // compass words and axis names
    bool negative = false;  // south and west
    LetterSet letters = LetterSet::Word;
    Meridian meridian = Meridian::Greenwich;
    AngleUnit unit = AngleUnit::Degree;
    // Czech or Slovak: a text that writes it may mean north by a plain "S".
    bool czechOrSlovak = false;
    // The plain letter "S": south, or in a Czech or Slovak text sever, north.
    bool plainS = false;
};

// Every word of the table.
std::span<const LexiconWord> lexiconWords();

struct WordMatch {
    const LexiconWord* word = nullptr;
    std::size_t end = 0; // past the word and its final dot
};

// The longest word of the table that starts at `at`, where a letter starts
// that no letter precedes; {nullptr, at} where none does.
WordMatch matchLexiconWord(std::string_view utf8, std::size_t at);

// Whether a word of the table marked Czech or Slovak stands anywhere in the
// text.
bool mentionsCzechOrSlovak(std::string_view utf8);

// A label of the table that a capital compass letter stands glued to, as
// copies of Wikipedia's infobox bring them: "OKoordinaten", "ECoordinates".
// The end of the letter's word where the rest of the run is such a label.
bool isGluedToLabel(std::string_view utf8, std::size_t letterEnd, std::size_t runEnd);

// ---- Characters ------------------------------------------------------------

enum class CharClass : std::uint8_t {
    Other,
    Blank,      // spaces, tabs aside; no-break and thin spaces
    Tab,        // a table cell's border
    LineBreak,
    Invisible,  // zero-width and direction marks: as if not there
    Digit,
    Letter,     // of any script
    DegreeMark, // ° º ˚ ⁰
    MinuteMark, // ' ′ ’ ‘ ´ ` ʹ ʼ ‵
    SecondMark, // " ″ ” “ ʺ ‶
    Minus,      // - − – ‒
    Plus,
    Point,
    Comma,
    Semicolon,
    Colon,
    Slash,
    Bar,
    Equals,
    Ampersand,
    Question,   // "?" and the replacement character: often a lost character
    OpenBrace,
    CloseBrace,
};

struct CodePoint {
    char32_t value = 0;
    std::uint8_t length = 1; // in bytes; a broken byte is one character of its own
};

// The character at `at` (which must lie inside the text).  A broken byte of
// UTF-8 is one character of its own, U+FFFD.
inline CodePoint codePointAt(std::string_view utf8, std::size_t at);

inline CharClass charClass(char32_t c);

namespace lexicon_detail {
CodePoint codePointBeyondAscii(std::string_view utf8, std::size_t at);
CharClass classBeyondAscii(char32_t c);
extern const std::array<CharClass, 128> asciiClasses;
} // namespace lexicon_detail

inline CodePoint codePointAt(std::string_view utf8, std::size_t at)
{
    const auto b = static_cast<unsigned char>(utf8[at]);
    return b < 0x80 ? CodePoint{b, 1} : lexicon_detail::codePointBeyondAscii(utf8, at);
}

inline CharClass charClass(char32_t c)
{
    return c < 0x80 ? lexicon_detail::asciiClasses[c] : lexicon_detail::classBeyondAscii(c);
}

// Small and capital letters of the Latin, Greek and Cyrillic alphabets made
// one, as the table's words compare.
char32_t foldCase(char32_t c);

} // namespace zelv
