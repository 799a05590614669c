#pragma once
// Table rows for the clipboard reader's entry (readCoordinates): the
// position a text gives and its notation, a message of its own that names
// the cause, or the reader's message for a text in no notation.

#include "CoordinateNotations.h"
#include "Exception.h"
#include "RoutinenU.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace zelv::entry_rows {

enum class Kind { Point, Grid, Unusable, NoCoordinates, ConvertError };

struct Expected {
    Kind kind = Kind::NoCoordinates;
    ReadNotation notation{};
    double first = 0;  // longitude, or the zone
    double second = 0; // latitude, or the easting
    double third = 0;  // the northing
    double tolerance = 1e-9;
    std::vector<std::string> words; // all in the message
};

inline Expected point(ReadNotation notation, double latitude, double longitude, double tolerance = 1e-9)
{
    return {Kind::Point, notation, longitude, latitude, 0, tolerance, {}};
}
inline Expected grid(ReadNotation notation, int zone, double easting, double northing)
{
    return {Kind::Grid, notation, double(zone), easting, northing, 0, {}};
}
// A message of its own with every one of the words (Windows-1252).
inline Expected unusable(std::initializer_list<std::string> words) { return {Kind::Unusable, {}, 0, 0, 0, 0, words}; }
inline const Expected noCoordinates{};
// The five notations' own conversion error, unchanged.
inline Expected convertError(const std::string& message) { return {Kind::ConvertError, {}, 0, 0, 0, 0, {message}}; }

struct Row {
    std::string text;
    Expected expected;
    const char* note = "";
};

using Reader = std::optional<ClipboardPosition> (*)(std::string_view, Separators);

// Through readCoordinates (Windows-1252), or through another entry such as
// the one for UTF-8 texts.
inline void check(const Row& row, Separators separators, Reader read = readCoordinates)
{
    SCOPED_TRACE("text [" + row.text + "] " + row.note);
    const Expected& e = row.expected;
    try {
        const std::optional<ClipboardPosition> r = read(row.text, separators);
        ASSERT_TRUE(r.has_value());
        ASSERT_TRUE(e.kind == Kind::Point || e.kind == Kind::Grid) << "read a position";
        EXPECT_EQ(r->notation, e.notation);
        if (e.kind == Kind::Grid) {
            const auto* u = std::get_if<UtmPosition>(&r->position);
            ASSERT_NE(u, nullptr);
            EXPECT_EQ(u->Zone, static_cast<int>(e.first));
            EXPECT_EQ(u->Easting, e.second);
            EXPECT_EQ(u->Northing, e.third);
        } else {
            const auto* g = std::get_if<GeographicPoint>(&r->position);
            ASSERT_NE(g, nullptr);
            EXPECT_NEAR(g->Longitude, e.first, e.tolerance);
            EXPECT_NEAR(g->Latitude, e.second, e.tolerance);
        }
    } catch (const UnusableCoordinatesError& error) {
        ASSERT_EQ(e.kind, Kind::Unusable) << "unexpected message: " << error.what();
        for (const std::string& word : e.words)
            EXPECT_NE(error.message().find(word), std::string::npos) << "[" << word << "] in: " << error.what();
        EXPECT_NE(error.message(), noCoordinatesMessage);
    } catch (const NoCoordinatesError& error) {
        EXPECT_EQ(e.kind, Kind::NoCoordinates) << "the reader's message instead of a position or a cause";
        EXPECT_EQ(error.message(), noCoordinatesMessage);
    } catch (const EConvertError& error) {
        ASSERT_EQ(e.kind, Kind::ConvertError) << "unexpected conversion error: " << error.what();
        EXPECT_EQ(error.message(), e.words.front());
    }
}

} // namespace zelv::entry_rows
