// The reader's one table of words and classes of characters: which words
// match where, in which case, with which meaning.
#include "Lexicon.h"

#include <gtest/gtest.h>

#include <string>

namespace zelv {
namespace {

struct Row {
    std::string text;
    // The spelling of the word matched at the start, or "" for none; and
    // how much of the text it takes.
    std::string_view spelling;
    std::size_t length = 0;
};

TEST(Lexicon, MatchesWholeWordsInTheirCase)
{
    const Row rows[] = {
        {"N 54", "N", 1},
        {"n 54", "", 0},          // a single letter as written
        {"NORD 54", "Nord", 4},   // words in any case
        {"nord", "Nord", 4},
        {"Nordpol", "", 0},       // a longer word is none
        {"n. Br., 20", "n Br", 6},
        {"n.Br.", "n Br", 5},
        {"nördl. Br. 54", "n\u00F6rdl Br", 11},
        {"с.ш. 21", "\u0441 \u0448", 6},
        {"сш 21", "\u0441 \u0448", 4},      // single letters glued
        {"СГ Ш, 21", "\u0421 \u0413 \u0428", 7},
        {"в. д.HGЯO", "\u0432 \u0434", 7},  // the dot ends it; the map links' letters follow
        {"ö. v. Ferro", "\u00F6 v Ferro", 12},
        {"östl. v. Paris", "", 0},
        {"E of Ferro", "E of Ferro", 10},
        {"Koordinaten: 54", "Koordinaten", 11},
        {"Koordinatensystem", "", 0},
        {"Breitengrad 54", "Breitengrad", 11},
        {"Lat: 54", "Lat", 3},
        {"Latitude 54", "Latitude", 8},
        {"d 6m", "d", 1},
        {"D 6", "D", 1},
        {"und 21", "und", 3},
        {"é. sz. 55", "\u00E9 sz", 7},
    };
    for (const Row& row : rows) {
        const WordMatch m = matchLexiconWord(row.text, 0);
        if (row.spelling.empty()) {
            EXPECT_EQ(m.word, nullptr) << row.text << " matched " << (m.word ? m.word->spelling : "");
            continue;
        }
        ASSERT_NE(m.word, nullptr) << row.text;
        EXPECT_EQ(m.word->spelling, row.spelling) << row.text;
        EXPECT_EQ(m.end, row.length) << row.text;
    }
}

TEST(Lexicon, WordsMeanTheirAxisAndSide)
{
    struct Meaning {
        std::string text;
        WordKind kind;
        Axis axis;
        bool negative;
    };
    const Meaning rows[] = {
        {"Süd", WordKind::Compass, Axis::Latitude, true},
        {"West", WordKind::Compass, Axis::Longitude, true},
        {"O", WordKind::Compass, Axis::Longitude, false},       // German and Esperanto east
        {"Ø", WordKind::Compass, Axis::Longitude, false},
        {"ovest", WordKind::Compass, Axis::Longitude, true},
        {"westerlengte", WordKind::Compass, Axis::Longitude, true},
        {"ny. h.", WordKind::Compass, Axis::Longitude, true},
        {"ю. ш.", WordKind::Compass, Axis::Latitude, true},
        {"З", WordKind::Compass, Axis::Longitude, true},
        {"pietų platumos", WordKind::Compass, Axis::Latitude, true},
        {"jižní šířky", WordKind::Compass, Axis::Latitude, true},
        {"z. d.", WordKind::Compass, Axis::Longitude, true},
        {"Länge", WordKind::AxisName, Axis::Longitude, false},
        {"φ", WordKind::AxisName, Axis::Latitude, false},
    };
    for (const Meaning& row : rows) {
        const WordMatch m = matchLexiconWord(row.text, 0);
        ASSERT_NE(m.word, nullptr) << row.text;
        EXPECT_EQ(m.word->kind, row.kind) << row.text;
        EXPECT_EQ(m.word->axis, row.axis) << row.text;
        EXPECT_EQ(m.word->negative, row.negative) << row.text;
    }
    // The letters of a language whose meaning their neighbours decide.
    EXPECT_TRUE(matchLexiconWord("S", 0).word->plainS);
    EXPECT_TRUE(matchLexiconWord("z. d.", 0).word->czechOrSlovak);
    EXPECT_EQ(matchLexiconWord("V", 0).word->letters, LetterSet::CzechSlovak);
    EXPECT_EQ(matchLexiconWord("ö. F.", 0).word->meridian, Meridian::FerroEast);
}

TEST(Lexicon, EveryWordOfTheTableMatchesItsOwnSpelling)
{
    for (const LexiconWord& word : lexiconWords()) {
        std::string spelling(word.spelling);
        const WordMatch m = matchLexiconWord(spelling, 0);
        ASSERT_NE(m.word, nullptr) << spelling;
        EXPECT_EQ(m.end, spelling.size()) << spelling;
    }
}

TEST(Lexicon, ClassesOfCharacters)
{
    struct Class {
        char32_t c;
        CharClass expected;
    };
    const Class rows[] = {
        {U'°', CharClass::DegreeMark},  {U'º', CharClass::DegreeMark}, {U'˚', CharClass::DegreeMark},
        {U'\'', CharClass::MinuteMark}, {U'′', CharClass::MinuteMark}, {U'’', CharClass::MinuteMark},
        {U'‘', CharClass::MinuteMark},  {U'´', CharClass::MinuteMark}, {U'"', CharClass::SecondMark},
        {U'″', CharClass::SecondMark},  {U'”', CharClass::SecondMark}, {U'“', CharClass::SecondMark},
        {U'−', CharClass::Minus},       {U'–', CharClass::Minus},      {0xA0, CharClass::Blank},
        {0x202F, CharClass::Blank},     {0x200B, CharClass::Invisible}, {U'\n', CharClass::LineBreak},
        {U'\t', CharClass::Tab},        {U'ł', CharClass::Letter},     {U'Ж', CharClass::Letter},
        {U'座', CharClass::Letter},     {U'×', CharClass::Other},      {0xFFFD, CharClass::Question},
    };
    for (const Class& row : rows)
        EXPECT_EQ(charClass(row.c), row.expected) << std::hex << static_cast<unsigned>(row.c);
}

TEST(Lexicon, FoldsTheCaseOfLatinGreekAndCyrillic)
{
    const std::pair<char32_t, char32_t> rows[] = {
        {U'N', U'n'}, {U'Ä', U'ä'}, {U'Ł', U'ł'}, {U'Ž', U'ž'}, {U'Ĺ', U'ĺ'}, {U'Ш', U'ш'},
        {U'Ј', U'ј'}, {U'Φ', U'φ'}, {U'İ', U'i'}, {U'ı', U'i'}, {U'ß', U'ß'}, {U'ø', U'ø'},
    };
    for (const auto& [c, folded] : rows)
        EXPECT_EQ(foldCase(c), folded) << std::hex << static_cast<unsigned>(c);
}

} // namespace
} // namespace zelv
