// The German texts for failed grid conversions: each names its conversion,
// each kind has its own cause, and the likely causes say what to check.
#include "GridFailureText.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zelv {
namespace {

constexpr GridConversion conversions[] = {GridConversion::UtmForward, GridConversion::UtmInverse,
                                          GridConversion::TmForward, GridConversion::TmInverse};
constexpr GridFailure kinds[] = {GridFailure::DefinitionRejected, GridFailure::PointNotProjectable,
                                 GridFailure::ValueNotRoundable, GridFailure::ServiceEmpty,
                                 GridFailure::OutsideDatumGrid};

// As the user reads it.
std::string shown(GridConversion conversion, GridFailure kind)
{
    return fromWindows1252(gridFailureText(conversion, kind));
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

TEST(GridFailureText, EachConversionNamedAndEachKindItsOwnCause)
{
    std::set<std::string> headings;
    for (const GridConversion conversion : conversions) {
        const std::string heading = firstLine(shown(conversion, GridFailure::DefinitionRejected));
        EXPECT_TRUE(headings.insert(heading).second) << heading;
        std::set<std::string> texts;
        for (const GridFailure kind : kinds) {
            const std::string text = shown(conversion, kind);
            const std::string row = std::to_string(static_cast<int>(conversion)) + "/" +
                                    std::to_string(static_cast<int>(kind)) + ": " + text;
            EXPECT_TRUE(texts.insert(text).second) << row;
            ASSERT_FALSE(text.empty()) << row;
            // a full stop of its own, so that the default handling adds none
            EXPECT_EQ(text.back(), '.') << row;
            if (kind != GridFailure::ServiceEmpty) {
                EXPECT_EQ(firstLine(text), heading) << row;
                EXPECT_GT(text.size(), heading.size() + 1) << row; // a cause after the heading
            }
        }
    }
}

TEST(GridFailureText, LikelyCausesSayWhatToCheck)
{
    const struct {
        GridConversion conversion;
        GridFailure kind;
        const char* says; // UTF-8
    } cases[] = {
        // a longitude of 180 gives zone 61
        {GridConversion::UtmForward, GridFailure::DefinitionRejected,
         "Die Länge liegt außerhalb der UTM-Zonen, die von -180° bis unter 180° reichen."},
        {GridConversion::UtmForward, GridFailure::DefinitionRejected, "nach UTM"},
        // metres typed while "km" is chosen put the point far off its meridian
        {GridConversion::TmInverse, GridFailure::PointNotProjectable, "in der gewählten Einheit (km/m)"},
        {GridConversion::TmInverse, GridFailure::PointNotProjectable, "Bezugslänge"},
        {GridConversion::TmInverse, GridFailure::ValueNotRoundable, "Bezugs-R-Wert"},
        {GridConversion::UtmInverse, GridFailure::PointNotProjectable, "Zone, Rechts- und Hochwert"},
        {GridConversion::UtmInverse, GridFailure::DefinitionRejected, "(1 bis 60)"},
        // ETRS89 asked for a point that BeTA2007 does not cover
        {GridConversion::TmForward, GridFailure::OutsideDatumGrid, "nur für Deutschland"},
        {GridConversion::TmInverse, GridFailure::OutsideDatumGrid, "„nach ETRS89 (BeTA2007)“"},
    };
    for (const auto& c : cases)
        EXPECT_NE(shown(c.conversion, c.kind).find(c.says), std::string::npos) << c.says;
}

TEST(GridFailureText, WithoutServiceTheSameForEveryConversion)
{
    const std::string expected = "Die Umrechnung ist nicht verfügbar, weil der Ordner „nad“ beim Start fehlte. "
                                 "Bitte das Programm neu starten, sobald der Ordner wieder da ist.";
    for (const GridConversion conversion : conversions)
        EXPECT_EQ(shown(conversion, GridFailure::ServiceEmpty), expected) << static_cast<int>(conversion);
}

TEST(UnitFixQuestion, NamesTheUnitToSwitchTo)
{
    EXPECT_EQ(unitFixQuestion(GridUnit::Metres),
              "Die Werte sehen nach Metern aus. Auf \x84m\x93 umstellen, ohne die Werte umzurechnen?");
    EXPECT_EQ(unitFixQuestion(GridUnit::Kilometres),
              "Die Werte sehen nach Kilometern aus. Auf \x84km\x93 umstellen, ohne die Werte umzurechnen?");
}

} // namespace
} // namespace zelv
