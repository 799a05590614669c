#pragma once
// Table rows for the clipboard reader's entry (readCoordinatesOfUtf8): the
// position a text gives and the form that read it, a refusal whose message
// names the cause, the plain refusal of a text in no notation, the fixed
// notations' conversion error, or nothing to read.
//
// Rows are written in Windows-1252 (most tables) or UTF-8; a Windows-1252
// row, its text and its expected words alike, becomes UTF-8 before it is
// read and compared, as the window hands its texts on.

#include "ClipboardReader.h"
#include "Messtischblatt.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zelv::entry_rows {

enum class Kind { Point, Grid, Sheet, Refused, NoCoordinates, ConvertError, Nothing };
enum class Encoding { Windows1252, Utf8 };

struct Expected {
    Kind kind = Kind::NoCoordinates;
    ReadForm form = ReadForm::Pair;
    int fixedFormat = 0;
    double first = 0;  // the latitude, or the zone
    double second = 0; // the longitude, or the easting
    double third = 0;  // the northing
    double tolerance = 1e-9;
    std::vector<std::string> words; // all in the message; the sheet's number
    std::optional<RefusalKind> refusalKind;
};

inline Expected point(ReadForm form, double latitude, double longitude, double tolerance = 1e-9)
{
    return {Kind::Point, form, 0, latitude, longitude, 0, tolerance, {}, {}};
}
// One of the five fixed notations (1..5).
inline Expected fixed(int format, double latitude, double longitude, double tolerance = 1e-9)
{
    return {Kind::Point, ReadForm::FixedNotation, format, latitude, longitude, 0, tolerance, {}, {}};
}
// A UTM position (Utm, Mgrs) or Gauß-Krüger values (GaussKrueger).
inline Expected grid(ReadForm form, int zone, double easting, double northing)
{
    return {Kind::Grid, form, 0, double(zone), easting, northing, 0, {}, {}};
}
// A Messtischblatt sheet or quadrant as tk25ReferenceText writes it.
inline Expected sheet(const std::string& reference)
{
    return {Kind::Sheet, ReadForm::Messtischblatt, 0, 0, 0, 0, 0, {reference}, {}};
}
// A refusal whose message holds every one of the words.
inline Expected refused(std::initializer_list<std::string> words)
{
    return {Kind::Refused, {}, 0, 0, 0, 0, 0, words, {}};
}
inline Expected refused(RefusalKind kind, std::initializer_list<std::string> words)
{
    return {Kind::Refused, {}, 0, 0, 0, 0, 0, words, kind};
}
// The plain refusal of a text in which no notation fits.
inline const Expected noCoordinates{};
// The fixed notations' own conversion error, its whole message.
inline Expected convertError(const std::string& message)
{
    return {Kind::ConvertError, {}, 0, 0, 0, 0, 0, {message}, {}};
}
// The empty text.
inline const Expected nothing{Kind::Nothing, {}, 0, 0, 0, 0, 0, {}, {}};

inline constexpr std::string_view noCoordinatesMessage =
    "Es befinden sich keine g\u00FCltigen Koordinaten in der Zwischenablage!";

struct Row {
    std::string text;
    Expected expected;
    const char* note = "";
};

inline const char* formName(ReadForm form)
{
    static const char* const names[] = {"FixedNotation", "Pair",         "GeoUri",   "MapLink",
                                        "Utm",           "Mgrs",         "GaussKrueger", "PlusCode",
                                        "GridLocator",   "Messtischblatt", "WikiTemplate"};
    return names[static_cast<int>(form)];
}

// What the entry gave, for the failure messages.
inline std::string describe(const ReaderResult& result)
{
    if (std::holds_alternative<NothingToRead>(result))
        return "nothing to read";
    if (const auto* refusal = std::get_if<Refusal>(&result))
        return "refused (kind " + std::to_string(static_cast<int>(refusal->kind)) + "): " + refusalMessage(*refusal);
    const Reading& r = std::get<Reading>(result);
    std::string text = std::string(formName(r.form)) + (r.fixedFormat ? " " + std::to_string(r.fixedFormat) : "");
    if (const auto* g = std::get_if<GeographicPoint>(&r.position))
        return text + " " + std::to_string(g->Latitude) + ", " + std::to_string(g->Longitude);
    if (const auto* u = std::get_if<UtmPosition>(&r.position))
        return text + " zone " + std::to_string(u->Zone) + " " + std::to_string(u->Easting) + " "
               + std::to_string(u->Northing);
    if (const auto* k = std::get_if<GaussKruegerPosition>(&r.position))
        return text + " zone " + std::to_string(k->Zone) + " " + std::to_string(k->Easting) + " "
               + std::to_string(k->Northing);
    return text + " sheet " + tk25ReferenceText(std::get<Tk25SheetReference>(r.position));
}

inline void checkUtf8(const std::string& utf8, const Expected& e, Separators separators)
{
    const ReaderResult result = readCoordinatesOfUtf8(utf8, separators);
    SCOPED_TRACE("read: " + describe(result));
    switch (e.kind) {
    case Kind::Nothing:
        EXPECT_TRUE(std::holds_alternative<NothingToRead>(result));
        return;
    case Kind::Point:
    case Kind::Grid:
    case Kind::Sheet: {
        const auto* r = std::get_if<Reading>(&result);
        ASSERT_NE(r, nullptr) << "a position expected";
        EXPECT_EQ(formName(r->form), std::string(formName(e.form)));
        EXPECT_EQ(r->fixedFormat, e.fixedFormat);
        if (e.kind == Kind::Sheet) {
            const auto* s = std::get_if<Tk25SheetReference>(&r->position);
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(tk25ReferenceText(*s), e.words.front());
        } else if (e.kind == Kind::Grid && e.form == ReadForm::GaussKrueger) {
            const auto* k = std::get_if<GaussKruegerPosition>(&r->position);
            ASSERT_NE(k, nullptr);
            EXPECT_EQ(k->Zone, static_cast<int>(e.first));
            EXPECT_EQ(k->Easting, e.second);
            EXPECT_EQ(k->Northing, e.third);
        } else if (e.kind == Kind::Grid) {
            const auto* u = std::get_if<UtmPosition>(&r->position);
            ASSERT_NE(u, nullptr);
            EXPECT_EQ(u->Zone, static_cast<int>(e.first));
            EXPECT_EQ(u->Easting, e.second);
            EXPECT_EQ(u->Northing, e.third);
        } else {
            const auto* g = std::get_if<GeographicPoint>(&r->position);
            ASSERT_NE(g, nullptr);
            EXPECT_NEAR(g->Latitude, e.first, e.tolerance);
            EXPECT_NEAR(g->Longitude, e.second, e.tolerance);
        }
        return;
    }
    case Kind::Refused:
    case Kind::NoCoordinates:
    case Kind::ConvertError:
        break;
    }
    const auto* refusal = std::get_if<Refusal>(&result);
    ASSERT_NE(refusal, nullptr) << "a refusal expected";
    const std::string message = refusalMessage(*refusal);
    if (e.kind == Kind::NoCoordinates) {
        EXPECT_EQ(refusal->kind, RefusalKind::NoCoordinates);
        EXPECT_EQ(message, noCoordinatesMessage);
    } else if (e.kind == Kind::ConvertError) {
        EXPECT_EQ(refusal->kind, RefusalKind::NumberNotConvertible);
        EXPECT_EQ(message, e.words.front());
    } else {
        EXPECT_NE(refusal->kind, RefusalKind::NoCoordinates) << "the plain message instead of the cause";
        EXPECT_NE(refusal->kind, RefusalKind::NumberNotConvertible);
        if (e.refusalKind) {
            EXPECT_EQ(static_cast<int>(refusal->kind), static_cast<int>(*e.refusalKind));
        }
        for (const std::string& word : e.words)
            EXPECT_NE(message.find(word), std::string::npos) << "[" << word << "] in: " << message;
    }
}

inline Expected inUtf8(Expected e)
{
    for (std::string& word : e.words)
        word = fromWindows1252(word);
    return e;
}

inline void check(const Row& row, Separators separators, Encoding encoding = Encoding::Windows1252)
{
    const bool windows1252 = encoding == Encoding::Windows1252;
    const std::string text = windows1252 ? fromWindows1252(row.text) : row.text;
    SCOPED_TRACE("text [" + text + "] decimal '" + separators.decimal + "' " + row.note);
    checkUtf8(text, windows1252 ? inUtf8(row.expected) : row.expected, separators);
}

} // namespace zelv::entry_rows
