// The resolver's precedence table, one row per rule: a text that only that
// rule answers, and what it answers.
#include "ClipboardReader.h"
#include "Resolver.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zelv {
namespace {

struct Row {
    std::string_view rule;
    std::string text;
    // A reading of this form, or a refusal of this kind.
    std::optional<ReadForm> form;
    std::optional<RefusalKind> refusal;
};

Row reads(std::string_view rule, std::string text, ReadForm form) { return {rule, std::move(text), form, {}}; }
Row refuses(std::string_view rule, std::string text, RefusalKind kind) { return {rule, std::move(text), {}, kind}; }

TEST(Precedence, EachRuleAnswersItsText)
{
    const Row rows[] = {
        reads("a fixed notation reads the text", "52°31'N 13°24'O", ReadForm::FixedNotation),
        refuses("more than one longitude east of Ferro", "52°N 31° ö. F. 30° ö. F.", RefusalKind::FerroSeveral),
        refuses("a mark of Ferro that no reading counts from", "Blatt 3546 ö. v. Ferro", RefusalKind::FerroUnreadable),
        reads("a form that is the whole text reads it", "32U 625712 5586252", ReadForm::Utm),
        refuses("a plain S in a Czech or Slovak text", "Souřadnice: 53,200 ° S 22,383 ° E", RefusalKind::DoubtfulS),
        refuses("a compass word that belongs to either half, read two ways",
                "Die Grenze verläuft nach Westen. 54° 12' N 21° 6' O", RefusalKind::TwoPositions),
        reads("positions named by words: the finest, or two that disagree", "54°14′N 21°53′E / 54.233°N 21.883°E",
              ReadForm::Pair),
        reads("plain pairs that are the text's only numbers", "Treffpunkt: 51.110012, 17.032644, dort parken",
              ReadForm::Pair),
        refuses("a form that is the whole text cannot be used", "https://maps.app.goo.gl/AbCd", RefusalKind::ShortLink),
        refuses("a coordinate template cannot be read", "{{coord|54|65|N|21|23|E}}", RefusalKind::TemplateUnreadable),
        refuses("a pair cannot be used", "Poloha: 53°47'N 20°30'V", RefusalKind::LettersNotPartners),
        refuses("angles that no pair took", "54°42'N", RefusalKind::MissingLongitude),
        refuses("a number of a fixed notation does not convert", "Lat: (51.25) Lon: (x)",
                RefusalKind::NumberNotConvertible),
        refuses("bare numbers among words", "Bamberg BY 240 49.8743 10.9206", RefusalKind::BareNumbers),
        refuses("nothing reads the text", "Koordinaten", RefusalKind::NoCoordinates),
    };
    std::set<std::string_view> covered;
    for (const Row& row : rows) {
        SCOPED_TRACE("[" + row.text + "]");
        std::string_view used;
        const ReaderResult result = readCoordinatesOfUtf8(row.text, germanSeparators, used);
        EXPECT_EQ(used, row.rule);
        covered.insert(row.rule);
        if (row.form) {
            const Reading* reading = std::get_if<Reading>(&result);
            ASSERT_NE(reading, nullptr);
            EXPECT_EQ(reading->form, *row.form);
        } else {
            const Refusal* refusal = std::get_if<Refusal>(&result);
            ASSERT_NE(refusal, nullptr);
            EXPECT_EQ(refusal->kind, *row.refusal) << refusalMessage(*refusal);
        }
    }
    for (const std::string_view rule : precedenceRules())
        EXPECT_TRUE(covered.count(rule)) << "no row for the rule: " << rule;
}

// Where several rules could answer, the earlier one does.
TEST(Precedence, EarlierRulesWin)
{
    struct Case {
        std::string text;
        std::string_view rule;
        const char* why;
    };
    const Case cases[] = {
        {"13.405 Ost, 52.52 Nord", "a fixed notation reads the text", "the grammar reads it too"},
        {"Nord West 54°42'N", "angles that no pair took",
         "notation 1 stumbles on \"Nord\"; the angle says more than its conversion error"},
        {"54°N 21°E Einwohner 12.5 13.5 14.5", "positions named by words: the finest, or two that disagree",
         "bare numbers beside a named position are other numbers"},
        {"Gussew\t29.234\t22.181\t54° 35′ N, 22° 12′ O", "positions named by words: the finest, or two that disagree",
         "population figures before a position"},
    };
    for (const Case& c : cases) {
        std::string_view used;
        (void)readCoordinatesOfUtf8(c.text, germanSeparators, used);
        EXPECT_EQ(used, c.rule) << c.text << " (" << c.why << ")";
    }
}

} // namespace
} // namespace zelv
