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
    std::size_t runEnd = 0; // past the run of letters at the start, a word or not
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

// Where the character that ends at `end` (above 0) begins: up to three
// bytes back, as far as a character of UTF-8 reaches.
inline std::size_t codePointStartBefore(std::string_view utf8, std::size_t end);

inline char32_t foldCase(char32_t c);

namespace lexicon_detail {
CodePoint codePointBeyondAscii(std::string_view utf8, std::size_t at);
CharClass classBeyondAscii(char32_t c);
// The Latin, Greek and Cyrillic letters and every mark the reader knows
// stand below U+0500: their classes and folds come from tables.
inline constexpr std::size_t tabledCodePoints = 0x500;
extern const std::array<CharClass, tabledCodePoints> tabledClasses;
extern const std::array<char32_t, tabledCodePoints> tabledFolds;
} // namespace lexicon_detail

// The characters of two bytes, the Latin-1 letters and marks of most
// texts, are decoded here; the rest out of line.
inline CodePoint codePointAt(std::string_view utf8, std::size_t at)
{
    const auto b = static_cast<unsigned char>(utf8[at]);
    if (b < 0x80)
        return {b, 1};
    if (b >= 0xC2 && b < 0xE0 && at + 1 < utf8.size()) {
        const auto next = static_cast<unsigned char>(utf8[at + 1]);
        if ((next & 0xC0) == 0x80)
            return {(static_cast<char32_t>(b & 0x1F) << 6) | (next & 0x3F), 2};
    } else if (b < 0xC2 || b > 0xF4) {
        return {0xFFFD, 1}; // no character begins with this byte
    }
    return lexicon_detail::codePointBeyondAscii(utf8, at);
}

inline std::size_t codePointStartBefore(std::string_view utf8, std::size_t end)
{
    std::size_t start = end - 1;
    while (start > 0 && end - start < 4 && (static_cast<unsigned char>(utf8[start]) & 0xC0) == 0x80)
        --start;
    return start;
}

inline CharClass charClass(char32_t c)
{
    if (c < lexicon_detail::tabledCodePoints)
        return lexicon_detail::tabledClasses[c];
    return c == 0xFFFD ? CharClass::Question : lexicon_detail::classBeyondAscii(c);
}

// Small and capital letters of the Latin, Greek and Cyrillic alphabets made
// one, as the table's words compare.
inline char32_t foldCase(char32_t c)
{
    return c < lexicon_detail::tabledCodePoints ? lexicon_detail::tabledFolds[c] : c;
}

} // namespace zelv
