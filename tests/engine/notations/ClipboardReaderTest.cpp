// The clipboard reader: the five fixed notations with their edges and
// failures, and the entry, which gives their result unchanged and tries the
// other forms where they end without coordinates.
#include "ClipboardReader.h"
#include "EntryRows.h"
#include "RoutinenU.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zelv {
namespace {

using namespace std::string_literals;

// What the five fixed notations alone make of a text.
enum class Kind { Read, Message, Silent, ConvertError };

struct Expected {
    Kind kind;
    std::int32_t format = 0;
    double laenge = 0;
    double breite = 0;
    std::string number; // the number text that did not convert
};

Expected reads(std::int32_t format, double laenge, double breite) { return {Kind::Read, format, laenge, breite, {}}; }
Expected message() { return {Kind::Message, 0, 0, 0, {}}; }
Expected silent() { return {Kind::Silent, 0, 0, 0, {}}; }
// The number text, as the conversion saw it, that notation 1, 2 or 4 could
// not convert.
Expected notAFloat(const std::string& number) { return {Kind::ConvertError, 0, 0, 0, number}; }

constexpr Separators de = germanSeparators;
constexpr Separators pt = pointSeparators;

struct Row {
    Separators separators;
    std::string text; // Windows-1252
    Expected expected;
    const char* note = "";
    // What the entry gives where it is not the five's own result: another
    // form's reading, or a refusal that names the cause.
    std::optional<entry_rows::Expected> entry = std::nullopt;
};

void checkFixed(const Row& row)
{
    const Expected& e = row.expected;
    const FixedNotationResult r = readFixedNotations(row.text, row.separators);
    switch (e.kind) {
    case Kind::Read:
        ASSERT_TRUE(r.reading.has_value()) << "nothing read";
        EXPECT_FALSE(r.unconvertible.has_value());
        EXPECT_EQ(r.reading->Format, e.format);
        EXPECT_NEAR(r.reading->Laenge, e.laenge, 1e-12);
        EXPECT_NEAR(r.reading->Breite, e.breite, 1e-12);
        return;
    case Kind::Message:
    case Kind::Silent:
        EXPECT_FALSE(r.reading.has_value()) << "read format " << r.reading->Format;
        EXPECT_FALSE(r.unconvertible.has_value()) << "unconvertible: " << *r.unconvertible;
        return;
    case Kind::ConvertError:
        EXPECT_FALSE(r.reading.has_value()) << "read format " << r.reading->Format;
        ASSERT_TRUE(r.unconvertible.has_value());
        EXPECT_EQ(*r.unconvertible, e.number);
        return;
    }
}

// The entry: a text the five read gives their result unchanged; the empty
// text gives nothing to read; where they end without coordinates, the
// row's own expectation, or else the five's own failure with its message.
entry_rows::Expected entryExpectation(const Row& row)
{
    if (row.entry)
        return *row.entry;
    const Expected& e = row.expected;
    switch (e.kind) {
    case Kind::Read:
        return entry_rows::fixed(e.format, e.breite, e.laenge, 1e-12);
    case Kind::Message:
        return entry_rows::noCoordinates;
    case Kind::Silent:
        return entry_rows::nothing;
    case Kind::ConvertError:
        break;
    }
    return entry_rows::convertError("'" + e.number + "' ist kein g\xFC" "ltiger Gleitkommawert");
}

void check(const Row& row)
{
    SCOPED_TRACE("text [" + fromWindows1252(row.text) + "] decimal '" + row.separators.decimal + "' " + row.note);
    checkFixed(row);
    entry_rows::check({row.text, entryExpectation(row)}, row.separators);
}

constexpr double min34 = 34.0 / 60;
constexpr double min31 = 31.0 / 60;
constexpr double min23 = 23.0 / 60;

TEST(ClipboardReader, TableOfTexts)
{
    const Row rows[] = {
        // German compass words, decimal degrees (format 1).
        {de, "13.405 Ost, 52.52 Nord", reads(1, 13.405, 52.52)},
        {de, "8.5 West, 50.25 S\xFC" "d", reads(1, -8.5, -50.25)},
        {de, "13.405\xB0Ost, 52.52\xB0Nord", reads(1, 13.405, 52.52), "the degree sign is the dropped character"},
        {de, "13.405\xB0 Ost, 52.52\xB0 Nord", notAFloat("13,405\xB0"), "the blank is dropped, the degree sign stays",
         entry_rows::point(ReadForm::Pair, 52.52, 13.405)},
        {de, "13,405 Ost, 52,52 Nord", notAFloat("405 Ost, 52,52"), "the comma divides the halves",
         entry_rows::point(ReadForm::Pair, 52.52, 13.405)},
        {de, "  13.405 Ost, 52.52 Nord", reads(1, 13.405, 52.52)},
        {de, "13.405 Ost,\r\n52.52 Nord", notAFloat("\r\n52,52"), "a line break is no blank",
         entry_rows::point(ReadForm::Pair, 52.52, 13.405)},
        {de, "13.405 Ost 52.52 Nord", notAFloat("13,405 Ost 52,52"),
         "without a comma the second half is the whole text",
         entry_rows::point(ReadForm::Pair, 52.52, 13.405)},
        {de, "OstNord", notAFloat("")},
        {de, "13\xB0" "24'O Ost, 52\xB0" "31'N Nord", notAFloat("13\xB0" "24'O"),
         "once entered, later formats are not tried",
         entry_rows::point(ReadForm::Pair, 52 + min31, 13.4)},

        // English compass words, degrees and minutes (format 2).
        {de, "East 12\xB0" "34' North 51\xB0" "23'", reads(2, 12 + min34, 51 + min23)},
        {de, "West 12\xB0" "34' South 51\xB0" "23'", reads(2, -12 - min34, -51 - min23)},
        {de, "East 112\xB0" "34' North 51\xB0" "23'", reads(2, 112 + min34, 51 + min23),
         "all minute digits are read, also past a six-character field"},
        {de, "East 1\xB0" "34' North 51\xB0" "23'", reads(2, 1 + min34, 51 + min23)},
        {de, "East 12\xB0" "3' North 51\xB0" "23'", reads(2, 12.05, 51 + min23)},
        {de, "East 1\xB0" "3' North 51\xB0" "3'", reads(2, 1.05, 51.05),
         "one-digit degrees and minutes: the field ends at the minute sign"},
        {de, "West  1\xB0" "34' North 5\xB0" "2'", reads(2, -1 - min34, 5 + 2.0 / 60), "blank before the degrees"},
        {de, "East 12\xB0" "34\x92 North 51\xB0" "23\x92", reads(2, 12 + min34, 51 + min23), "typographic apostrophe"},
        {de, "East 12\xB0" "34.5' North 51\xB0" "23'", message(),
         "decimal minutes are refused rather than cut to whole ones",
         entry_rows::point(ReadForm::Pair, 51 + min23, 12 + 34.5 / 60)},
        {de, "East 12\xB0" "34 North 51\xB0" "23'", message(), "no minute sign, no minutes",
         entry_rows::point(ReadForm::Pair, 51 + min23, 12 + min34)},
        {de, "East 12\xB0" "34' North 51\xB0" "23", reads(2, 12 + min34, 51 + 2.0 / 60),
         "the latitude minutes end one character before the end"},
        {de, "East 12\xB0" "34' North 51\xB0", message(), "ends right after the degree sign",
         entry_rows::point(ReadForm::Pair, 51, 12 + min34)},
        {de, "North West 12\xB0" "34", message(), "longitude minutes run to the end",
         entry_rows::refused(RefusalKind::MissingLatitude, {"Nach \x84West 12\xB0" "34\x93 fehlt die Breite"})},
        {de, "East 12\xB0" "34' North 51\xB0" "23'\r\n", message(), "a line break after the latitude",
         entry_rows::point(ReadForm::Pair, 51 + min23, 12 + min34)},
        {de, "Lat: 51.25 North (51.25) Lon: 1.5 West (-1.5)", reads(4, -1.5, 51.25), "format 2 does not fit: on to 4"},
        {de, "52\xB0" "31'N 13\xB0" "24'O West North", reads(5, 13.4, 52 + min31), "format 2 does not fit: on to 5"},

        // Grid locator (format 3).
        {de, "JO62QM", reads(3, 13 + 1.0 / 3, 52.5)},
        {de, "AA00AA", reads(3, -180, -90)},
        {de, "RR99XX", reads(3, 179 + 11.0 / 12, 89 + 23.0 / 24)},
        {de, "jo62qm", message()},
        {de, "JO62QM\r\n", message()},
        {de, "JO62QM\n", message()},
        {de, "JO62Q", message()},
        {de, "SO62QM", message()},
        {de, "JO62QY", message()},
        {de, "JOX2QM", message()},

        // Labelled decimals in brackets, latitude first (format 4).
        {de, "Lat: 51:15:00N (51.25) Lon: 1:30:00W (-1.5)", reads(4, -1.5, 51.25)},
        {de, "Lon: (13.4) Lat: (52.5)", reads(4, 52.5, 13.4), "the first bracket is the latitude"},
        {de, "Lat: (51,25) Lon: (1)", reads(4, 1, 51.25), "the locale's own decimal comma converts as well"},
        {pt, "Lat: (51,25) Lon: (1)", notAFloat("51,25")},
        {de, "Lat: (51.25) Lon: (x)", notAFloat("x")},
        {de, "Lat: (51.25 Lon: 1", notAFloat(""), "no closing bracket", entry_rows::point(ReadForm::Pair, 51.25, 1)},
        {de, "Lat:Lon:(", notAFloat("")},
        {de, "Lat: (1) Lon: (2", notAFloat(""), "ends inside the second bracket"},

        // Degrees, minutes and hemisphere letters (format 5).
        {de, "52\xB0" "31'N 13\xB0" "24'O", reads(5, 13.4, 52 + min31)},
        {de, "52\xB0 31'S 13\xB0 24'W", reads(5, -13.4, -52 - min31)},
        {de, "\t52\xB0" "31'N\r\n13\xB0" "24'O\r\n", reads(5, 13.4, 52 + min31), "line breaks around the numbers"},
        {de, "52\xB0" "31'N 13\xB0" "24'O und mehr", reads(5, 13.4, 52 + min31)},
        {de, "52\xB0" "75'N 200\xB0" "0'W", reads(5, -200, 53.25), "no range limits"},
        {de, "52\xB0" "31'N 13\xB0" "24'E", message(), "", entry_rows::point(ReadForm::Pair, 52 + min31, 13.4)},
        {de, "52\xB0" "31.5'N 13\xB0" "24'O", message(), "", entry_rows::point(ReadForm::Pair, 52 + 31.5 / 60, 13.4)},
        {de, "52\xB0" "31'N 13\xB0" "24'", message(), "ends right after the second minute sign",
         entry_rows::refused(RefusalKind::MissingDirection, {"fehlt bei \x84" "13\xB0" "24'\x93 die Himmelsrichtung"})},
        {de, "52\xB0" "31'", message(), "ends right after the first minute sign"},
        {de, "52\xB0" "31' N 13\xB0" "24'O", message(), "the letter must follow the minute sign",
         entry_rows::point(ReadForm::Pair, 52 + min31, 13.4)},
        {de, "52\xB0" "31'N 13\xB0" "24'o", message(), "",
         entry_rows::refused(RefusalKind::UnknownDirection, {"\x84o\x93 ist keine bekannte Himmelsrichtung"})},
        {de, "52\xB0" "31N 13\xB0" "24'O", message(), "", entry_rows::point(ReadForm::Pair, 52 + min31, 13.4)},

        // Nothing to read.
        {de, "", silent()},
        {de, "Koordinaten", message()},
        {de, " ", message(), "a blank is no empty text"},
        {de, "\xB0", message()},
        {de, "'", message()},
        {de, "(", message()},
        {de, "West North", message()},
        {de, "\0"s, message()},

        // Under a locale with the decimal point.
        {pt, "13.405 Ost, 52.52 Nord", reads(1, 13.405, 52.52),
         "the point becomes the locale's separator: the text reads under every locale"},
        {pt, "Lat: 51:15:00N (51.25) Lon: 1:30:00W (-1.5)", reads(4, -1.5, 51.25), "likewise"},
        {pt, "13.405\xB0 Ost, 52.52\xB0 Nord", notAFloat("13.405\xB0"), "the error names the number as written",
         entry_rows::point(ReadForm::Pair, 52.52, 13.405)},
        {pt, "13,405 Ost, 52,52 Nord", notAFloat("13,405"), "", entry_rows::point(ReadForm::Pair, 52.52, 13.405)},
        {pt, "East 12\xB0" "34' North 51\xB0" "23'", reads(2, 12 + min34, 51 + min23)},
        {pt, "JO62QM", reads(3, 13 + 1.0 / 3, 52.5)},
        {pt, "52\xB0" "31'N 13\xB0" "24'O", reads(5, 13.4, 52 + min31)},
        {pt, "", silent()},
        {pt, "jo62qm", message()},
    };
    for (const auto& row : rows)
        check(row);
}

TEST(ClipboardReader, OnlyDigitsAreDigits)
{
    const std::pair<std::string, bool> rows[] = {
        {"0", true},       {"0123456789", true}, {"", false},      {" 1", false},
        {"1 ", false},     {"-1", false},        {"+1", false},    {"1.5", false},
        {"12a", false},    {"\xB9", false},      {"\xB2", false},  {"1\0"s, false},
        {"/", false},      {":", false},
    };
    for (const auto& [text, digits] : rows)
        EXPECT_EQ(NurZiffern(text), digits) << "[" << text << "]";
}

TEST(ClipboardReader, ReadsOnlyInsideItsText)
{
    // Texts cut out of a longer buffer: the reader must stop at the cut.
    const auto noCoordinates = [](std::string_view text) {
        const FixedNotationResult r = readFixedNotations(text, germanSeparators);
        return !r.reading && !r.unconvertible;
    };
    const std::string buffer = "52\xB0" "31'N 13\xB0" "24'O";
    const std::string_view cut(buffer.data(), buffer.size() - 1);
    EXPECT_TRUE(noCoordinates(cut));

    const std::string east = "East 12\xB0" "34' North 51\xB0" "23'";
    const std::string_view cutEast(east.data(), east.find("North"));
    EXPECT_TRUE(noCoordinates(cutEast));
}

} // namespace
} // namespace zelv
