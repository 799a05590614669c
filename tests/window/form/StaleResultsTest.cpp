// Grid values belong to the position they were computed from or produced:
// when the window shows another position they stay, greyed and described as
// "veraltet" to a screen reader, until they are computed again or edited.

#include "HandlerWindowFixture.h"
#include "StaleMark.h"

#include <QAccessible>
#include <QCheckBox>
#include <functional>

namespace zelv::window_fakes {
namespace {

class StaleResults : public HandlerWindowTest {
public:
    // For the rows of the tables below.
    using HandlerWindowTest::clipboard;
    using HandlerWindowTest::click;
    using HandlerWindowTest::enter;
    using HandlerWindowTest::pasteInto;
    using HandlerWindowTest::type;

protected:
    // The grid fields that carry the mark, by name, in one line.
    std::string marked()
    {
        QStringList names;
        for (QWidget* field : gridFields())
            if (hasStaleMark(*field))
                names << field->objectName();
        return names.join(u' ').toStdString();
    }

    std::vector<QWidget*> gridFields()
    {
        TF_Haupt& w = window();
        return {w.ElSE_Zone, w.CE_Rechts, w.CE_Hoch, w.CE_TMERC_Rechts, w.CE_TMERC_Hoch};
    }

    static bool greyed(const QWidget& field)
    {
        const QPalette& p = field.palette();
        return p.color(QPalette::Active, QPalette::Text) == p.color(QPalette::Disabled, QPalette::Text)
            && p.color(QPalette::Inactive, QPalette::Text) == p.color(QPalette::Disabled, QPalette::Text);
    }

    // Stettin, converted to both grids; the Gauß-Krüger grid of zone 5.
    void stettinInBothGrids()
    {
        TF_Haupt& w = window();
        enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("15"));
        enter(w.CE_TMERC_BezugsRechts, QStringLiteral("5500"));
        enter(w.CE_Laenge, QStringLiteral("14,552812"));
        enter(w.CE_Breite, QStringLiteral("53,428543"));
        click(w.BitBtn_LL_UTM);
        click(w.BitBtn_LL_TMERC);
        ASSERT_EQ(w.CE_Rechts->Text(), QStringLiteral("470287"));
        ASSERT_EQ(marked(), "");
        presenter.shown.clear();
    }

    const std::string utm = "ElSE_Zone CE_Rechts CE_Hoch";
    const std::string tm = "CE_TMERC_Rechts CE_TMERC_Hoch";
    const std::string both = utm + " " + tm;
};

TEST_F(StaleResults, ANewPositionMarksTheGridValuesAndKeepsThem)
{
    TF_Haupt& w = window();
    stettinInBothGrids();
    const QString tmRechts = w.CE_TMERC_Rechts->Text();
    const QString hoch = w.CE_Hoch->Text();

    enter(w.CE_Laenge, QStringLiteral("13,405"));   // Berlin
    EXPECT_EQ(marked(), both);
    for (QWidget* field : gridFields()) {
        EXPECT_TRUE(greyed(*field)) << str(field->objectName());
        const QString description = QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description);
        EXPECT_TRUE(description.startsWith(QStringLiteral("veraltet: gehört zur vorigen Position")))
            << str(field->objectName());
        // Before the field's usual tooltip, where it has one.
        if (!field->toolTip().isEmpty()) {
            EXPECT_TRUE(description.endsWith(QStringLiteral(". ") + field->toolTip())) << str(description);
        }
    }
    // Kept for a conversion back.
    EXPECT_EQ(w.ElSE_Zone->text(), QStringLiteral("33"));
    EXPECT_EQ(w.CE_Rechts->Text(), QStringLiteral("470287"));
    EXPECT_EQ(w.CE_Hoch->Text(), hoch);
    EXPECT_EQ(w.CE_TMERC_Rechts->Text(), tmRechts);

    // Computed again: current, in its usual colours and description.
    click(w.BitBtn_LL_UTM);
    EXPECT_EQ(marked(), tm);
    EXPECT_FALSE(greyed(*w.CE_Rechts));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.CE_TMERC_Hoch)->text(QAccessible::Description)
                  .startsWith(QStringLiteral("veraltet")),
              true);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.CE_Rechts)->text(QAccessible::Description), QString());
    click(w.BitBtn_LL_TMERC);
    EXPECT_EQ(marked(), "");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.CE_TMERC_Hoch)->text(QAccessible::Description),
              w.CE_TMERC_Hoch->toolTip());

    // Back at the position they belong to, they fit again.
    enter(w.CE_Laenge, QStringLiteral("14,552812"));
    EXPECT_EQ(marked(), both);
    enter(w.CE_Laenge, QStringLiteral("13,405"));
    EXPECT_EQ(marked(), "");
}

TEST_F(StaleResults, EveryOtherWayThePositionChangesMarksBothGrids)
{
    const struct {
        const char* way;
        std::function<void(StaleResults&, TF_Haupt&)> change;
    } ways[] = {
        {"decimal latitude typed and left",
         [](StaleResults& t, TF_Haupt& w) { t.enter(w.CE_Breite, QStringLiteral("52,52")); }},
        {"decimal longitude typed and applied with Enter",
         [](StaleResults& t, TF_Haupt& w) {
             t.type(w.CE_Laenge, QStringLiteral("13,405"));
             QTest::keyClick(w.CE_Laenge, Qt::Key_Return);
         }},
        {"degrees typed",
         [](StaleResults& t, TF_Haupt& w) { t.enter(w.CE_Breite_Grad, QStringLiteral("52")); }},
        {"seconds typed and applied with Enter",
         [](StaleResults& t, TF_Haupt& w) {
             t.type(w.CE_Laenge_Sekunden, QStringLiteral("1"));
             QTest::keyClick(w.CE_Laenge_Sekunden, Qt::Key_Enter);
         }},
        {"latitude/longitude from the clipboard",
         [](StaleResults& t, TF_Haupt& w) {
             t.clipboard.setText(QStringLiteral("54°43'N 20°31'O")); // Königsberg
             t.click(w.BitBtn_Koordinaten_aus_Zwischenablage);
         }},
    };
    for (const auto& way : ways) {
        stettinInBothGrids();
        way.change(*this, window());
        EXPECT_EQ(presenter.shown.size(), 0u) << way.way;
        EXPECT_EQ(marked(), both) << way.way;
    }
}

TEST_F(StaleResults, WhatLeavesThePositionAsItWasMarksNothing)
{
    TF_Haupt& w = window();
    stettinInBothGrids();
    passThrough(w.CE_Laenge);
    passThrough(w.CE_Breite_Minuten);
    QTest::keyClick(w.CE_Laenge, Qt::Key_Return);
    // The unit switch shows the same values in metres.
    w.RG_Eingabe_km_m->button(1)->click();
    EXPECT_EQ(marked(), "");
    // A refused value changes nothing either.
    type(w.CE_Laenge, QStringLiteral("500"));
    QTest::keyClick(w.CE_Laenge, Qt::Key_Return);
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(marked(), "");
}

TEST_F(StaleResults, TheGridThatProducedThePositionStaysCurrent)
{
    TF_Haupt& w = window();
    stettinInBothGrids();

    // UTM values of Berlin, typed and converted: UTM produced the position.
    enter(w.CE_Rechts, QStringLiteral("392000"));
    enter(w.CE_Hoch, QStringLiteral("5820000"));
    EXPECT_EQ(marked(), "");              // typed values are input, not stale
    click(w.BitBtn_UTM_LL);
    EXPECT_EQ(marked(), tm);

    // Back to Stettin from the Transverse Mercator values: now UTM is behind.
    click(w.BitBtn_TMERC_LL);
    EXPECT_EQ(marked(), utm);

    // UTM from the clipboard fills the UTM fields and produces the position.
    clipboard.setText(QStringLiteral("32U 625712 5586252"));
    click(w.BitBtn_Koordinaten_aus_Zwischenablage);
    EXPECT_EQ(w.CE_Rechts->Text(), QStringLiteral("625712"));
    EXPECT_EQ(marked(), tm);
    EXPECT_EQ(presenter.shown.size(), 0u);
}

TEST_F(StaleResults, EditingAGridMakesItsValuesInputThatIsNeverMarked)
{
    TF_Haupt& w = window();
    const struct {
        const char* edit;
        std::function<void(StaleResults&, TF_Haupt&)> apply;
        std::string stillMarked;
    } edits[] = {
        {"UTM easting typed", [](StaleResults& t, TF_Haupt& w) { t.enter(w.CE_Rechts, QStringLiteral("470300")); },
         tm},
        {"UTM northing pasted",
         [](StaleResults& t, TF_Haupt& w) {
             t.pasteInto(w.CE_Hoch, QStringLiteral("5920000"));
             QTest::keyClick(w.CE_Hoch, Qt::Key_Tab);
         },
         tm},
        {"zone stepped",
         [](StaleResults&, TF_Haupt& w) {
             w.ElSE_Zone->setFocus();
             QTest::keyClick(w.ElSE_Zone, Qt::Key_Down);
         },
         tm},
        {"zone typed",
         [](StaleResults& t, TF_Haupt& w) { t.type(w.ElSE_Zone, QStringLiteral("32")); }, tm},
        {"Transverse Mercator northing typed",
         [](StaleResults& t, TF_Haupt& w) { t.enter(w.CE_TMERC_Hoch, QStringLiteral("5925")); }, utm},
        {"reference meridian typed",
         [](StaleResults& t, TF_Haupt& w) { t.enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("12")); }, utm},
        {"datum box clicked", [](StaleResults& t, TF_Haupt& w) { t.click(w.CB_TMERC_ETRS89); }, utm},
    };
    for (const auto& e : edits) {
        stettinInBothGrids();
        enter(w.CE_Laenge, QStringLiteral("13,405"));
        ASSERT_EQ(marked(), both) << e.edit;
        e.apply(*this, w);
        EXPECT_EQ(marked(), e.stillMarked) << e.edit;
        // Input belongs to no position: a further change leaves it unmarked.
        enter(w.CE_Breite, QStringLiteral("52,52"));
        EXPECT_EQ(marked(), e.stillMarked) << e.edit;
        // Reset the datum box and the grid for the next row.
        w.CB_TMERC_ETRS89->setChecked(false);
    }
}

// Pasted values are input even when they cannot be converted: the values
// they replaced may have been marked, the pasted ones belong to no position.
TEST_F(StaleResults, PastedGaussKruegerOutsideTheDatumShiftIsInputNotStale)
{
    TF_Haupt& w = window();
    setDatum(true);
    stettinInBothGrids();
    enter(w.CE_Laenge, QStringLiteral("13,405"));
    ASSERT_EQ(marked(), both);

    // Zone 2 near Grenoble: no shift into ETRS89 there.
    paste(QStringLiteral("R 2500000 H 5000000"));
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_TRUE(w.CE_TMERC_Rechts->Text().startsWith(QStringLiteral("2500"))) << str(w.CE_TMERC_Rechts->Text());
    EXPECT_EQ(marked(), utm);
    for (QWidget* field : {static_cast<QWidget*>(w.CE_TMERC_Rechts), static_cast<QWidget*>(w.CE_TMERC_Hoch)}) {
        EXPECT_FALSE(greyed(*field)) << str(field->objectName());
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description)
                         .startsWith(QStringLiteral("veraltet")))
            << str(field->objectName());
    }
}

TEST_F(StaleResults, AFailedConversionLeavesTheMarksAsTheyWere)
{
    TF_Haupt& w = window();
    stettinInBothGrids();
    enter(w.CE_Laenge, QStringLiteral("13,405"));
    // Longitude 180 has no UTM zone.
    enter(w.CE_Laenge, QStringLiteral("180"));
    click(w.BitBtn_LL_UTM);
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(marked(), both);
}

} // namespace
} // namespace zelv::window_fakes
