// Old German maps in the window: Gauß-Krüger text from the clipboard, the
// datum lines (Bessel, the EPSG 1777 approximation), the Tab order after the
// TMERC values, and the Messtischblatt field following the position.
#include "CurrEdit.h"
#include "GTestQtPrinters.h"
#include "HandlerWindowFixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QImage>
#include <QLabel>

namespace zelv::window_fakes {
namespace {

// Breslau's Bessel position lies 207 m from its WGS 84 place (EPSG 1777).
const QString besselNote =
    QStringLiteral("Lage auf Bessel (DHDN), hier 207 m neben WGS 84 – für Ortsangaben „nach ETRS89“ anhaken");

class OldMaps : public HandlerWindowTest {
protected:
    void setUnit(int index)
    {
        if (window().RG_Eingabe_km_m->ItemIndex() != index)
            click(window().RG_Eingabe_km_m->button(index));
        ASSERT_EQ(window().RG_Eingabe_km_m->ItemIndex(), index);
    }

    // The five TMERC fields as shown, then the decimal fields, in one line.
    std::string fields()
    {
        TF_Haupt& w = window();
        QStringList texts;
        for (TCurrencyEdit* field : {w.CE_TMERC_Laenge_Grad, w.CE_TMERC_Laenge_Minuten, w.CE_TMERC_BezugsRechts,
                                     w.CE_TMERC_Rechts, w.CE_TMERC_Hoch, w.CE_Laenge, w.CE_Breite})
            texts << field->ShownText();
        return str(texts.join(u' '));
    }

    std::string datumLines()
    {
        return str(window().Label_Lagedatum->text() + u'|' + window().Label_TMERC_Umrechnung->text());
    }
};

TEST_F(OldMaps, PastedGaussKruegerFillsTheFieldsAndConverts)
{
    // Breslau on a zone-6 map: outside BeTA2007, so ticked it goes through
    // EPSG 1777, unticked it stays on Bessel.  The unit chosen stays.
    const struct {
        const char* text;
        int unit;
        bool etrs89;
        const char* fields;
        const char* datumLines;
    } cases[] = {
        {"R 6432378 H 5664319", 0, true, "18 0 6500,000 6432,378 5664,319 17,032006 51,109998",
         "|Näherung EPSG 1777"},
        {"RW: 6432378 HW: 5664319", 1, true, "18 0 6500000 6432378 5664319 17,032006 51,109998",
         "|Näherung EPSG 1777"},
        {"6 432 378 5 664 319", 1, false, "18 0 6500000 6432378 5664319 17,034254 51,111203", nullptr},
        {"Hochwert: 5664319\nRechtswert: 6432378", 0, false,
         "18 0 6500,000 6432,378 5664,319 17,034254 51,111203", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        setUnit(c.unit);
        setDatum(c.etrs89);
        paste(QString::fromUtf8(c.text));
        EXPECT_TRUE(presenter.shown.empty());
        EXPECT_EQ(fields(), c.fields);
        EXPECT_EQ(datumLines(), c.datumLines ? c.datumLines : str(besselNote + u'|'));
        EXPECT_EQ(window().RG_Eingabe_km_m->ItemIndex(), c.unit);
        // on DHDN Breslau lies on sheet 4868, whichever way it was shown
        EXPECT_EQ(str(window().E_TK25->text()), "4868/3 Breslau");
    }

    // Inside BeTA2007 the grid, and no line at all.
    setDatum(true);
    paste(QStringLiteral("R 4412345 H 5598765"));
    EXPECT_EQ(str(window().CE_Laenge->ShownText() + u' ' + window().CE_Breite->ShownText()), "10,762560 50,518090");
    EXPECT_EQ(datumLines(), "|");
}

TEST_F(OldMaps, TheBesselLineGoesWhenThePositionChangesOtherwise)
{
    TF_Haupt& w = window();
    const struct {
        const char* name;
        std::function<void()> change;
    } changes[] = {
        {"typing", [&] { enter(w.CE_Breite, QStringLiteral("51,2")); }},
        {"typing degrees", [&] { enter(w.CE_Laenge_Grad, QStringLiteral("16")); }},
        {"the clipboard", [&] { paste(QStringLiteral("51.1, 17.03")); }},
        {"UTM", [&] {
             enter(w.CE_Rechts, QStringLiteral("500000"));
             enter(w.CE_Hoch, QStringLiteral("5600000"));
             w.ElSE_Zone->setValue(33);
             click(w.BitBtn_UTM_LL);
         }},
    };
    setDatum(false);
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        paste(QStringLiteral("R 6432378 H 5664319"));
        ASSERT_EQ(w.Label_Lagedatum->text(), besselNote);
        c.change();
        EXPECT_EQ(datumLines(), "|");
    }

    // Its text is what assistive technology reads.
    paste(QStringLiteral("R 6432378 H 5664319"));
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(w.Label_Lagedatum);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(QAccessible::Name), besselNote);
    EXPECT_EQ(line->text(QAccessible::Description), besselNote);

    // The approximation's line goes the same way.
    setDatum(true);
    paste(QStringLiteral("R 6432378 H 5664319"));
    ASSERT_EQ(datumLines(), "|Näherung EPSG 1777");
    enter(w.CE_Laenge, QStringLiteral("17,5"));
    EXPECT_EQ(datumLines(), "|");
}

TEST_F(OldMaps, ForwardThroughTheApproximationIsNamed)
{
    TF_Haupt& w = window();
    setDatum(true);
    enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("18"));
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("6500"));
    enter(w.CE_Laenge, QStringLiteral("17,032006"));
    enter(w.CE_Breite, QStringLiteral("51,109998"));
    click(w.BitBtn_LL_TMERC);
    EXPECT_EQ(str(w.CE_TMERC_Rechts->ShownText() + u' ' + w.CE_TMERC_Hoch->ShownText()), "6432,378 5664,319");
    EXPECT_EQ(datumLines(), "|Näherung EPSG 1777");
    // Inside BeTA2007 the line goes again.
    enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("12"));
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("4500"));
    enter(w.CE_Laenge, QStringLiteral("10,76256"));
    enter(w.CE_Breite, QStringLiteral("50,51809"));
    click(w.BitBtn_LL_TMERC);
    EXPECT_EQ(datumLines(), "|");
}

TEST_F(OldMaps, TabAndSpaceAfterTheTmercValuesConvertThem)
{
    TF_Haupt& w = window();
    setDatum(false);
    enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("12"));
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("4500"));
    enter(w.CE_TMERC_Rechts, QStringLiteral("4412,345"));
    type(w.CE_TMERC_Hoch, QStringLiteral("5598,765"));
    QTest::keyClick(w.CE_TMERC_Hoch, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.BitBtn_TMERC_LL);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(str(w.CE_Laenge->ShownText() + u' ' + w.CE_Breite->ShownText()), "10,763870 50,519285");
    // the values typed are still there
    EXPECT_EQ(str(w.CE_TMERC_Rechts->ShownText() + u' ' + w.CE_TMERC_Hoch->ShownText()), "4412,345 5598,765");
}

TEST_F(OldMaps, TheMesstischblattFollowsThePosition)
{
    TF_Haupt& w = window();
    EXPECT_EQ(str(w.E_TK25->text()), "");
    EXPECT_TRUE(w.E_TK25->isReadOnly());

    // typing
    enter(w.CE_Breite, QStringLiteral("52,52"));
    enter(w.CE_Laenge, QStringLiteral("13,405"));
    EXPECT_EQ(str(w.E_TK25->text()), "3446/3 Berlin");
    EXPECT_TRUE(w.E_TK25->toolTip().contains(QStringLiteral("Quadrant")));

    // the clipboard
    paste(QStringLiteral("48.1374, 11.5755"));
    EXPECT_EQ(str(w.E_TK25->text()), "7835/3");
    // Bavarian: the index has no name, and the tooltip says so
    EXPECT_TRUE(w.E_TK25->toolTip().contains(QStringLiteral("für Blatt 7835 keinen Namen"))) << str(w.E_TK25->toolTip());

    // outside the sheets: empty, and the tooltip says where they are
    enter(w.CE_Breite, QStringLiteral("41,9"));
    EXPECT_EQ(str(w.E_TK25->text()), "");
    EXPECT_TRUE(w.E_TK25->toolTip().contains(QStringLiteral("46° bis 55°54' N"))) << str(w.E_TK25->toolTip());

    // a TMERC conversion (Königsberg, zone 7, through EPSG 1777)
    setDatum(true);
    paste(QStringLiteral("R 7468677 H 6064646"));
    EXPECT_EQ(str(w.E_TK25->text()), "1289/3 Königsberg");

    // selected and copied like the location text, name and all
    w.E_TK25->selectAll();
    EXPECT_EQ(str(w.E_TK25->selectedText()), "1289/3 Königsberg");

    // a name too long for the field is whole in the tooltip
    paste(QStringLiteral("50.82, 14.86"));
    EXPECT_EQ(str(w.E_TK25->text()), "5155/3 Oberullersdorf und Markersdorf");
    EXPECT_TRUE(w.E_TK25->toolTip().startsWith(QStringLiteral("5155/3 Oberullersdorf und Markersdorf\n")))
        << str(w.E_TK25->toolTip());
}

TEST_F(OldMaps, PastedSheetNumberGivesTheCentreOfItsQuadrantAndSaysSo)
{
    TF_Haupt& w = window();
    const QString note =
        QStringLiteral("Mitte von Messtischblatt 4868/3 Breslau – die Lage ist auf etwa 3 km genau");
    paste(QStringLiteral("MTB 4868/3"));
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(str(w.E_TK25->text()), "4868/3 Breslau");
    EXPECT_EQ(str(w.Label_Blattmitte->text()), str(note));
    // the quadrant spans 17°00' to 17°05' E and 51°06' to 51°09' N on DHDN;
    // WGS 84 lies some 100 m beside it
    EXPECT_NEAR(static_cast<double>(w.CE_Laenge->Value()), 17 + 2.5 / 60, 0.003);
    EXPECT_NEAR(static_cast<double>(w.CE_Breite->Value()), 51.125, 0.003);
    EXPECT_TRUE(w.E_ZELV->text().startsWith(QStringLiteral("liegt bei 51.12"))) << str(w.E_ZELV->text());

    // the same again keeps the note; another position takes it away
    paste(QStringLiteral("MTB 4868/3"));
    EXPECT_EQ(str(w.Label_Blattmitte->text()), str(note));
    enter(w.CE_Breite, QStringLiteral("51,2"));
    EXPECT_EQ(str(w.Label_Blattmitte->text()), "");

    // a whole sheet, and a sheet without a name
    paste(QStringLiteral("TK 25 Blatt 7835"));
    EXPECT_EQ(str(w.Label_Blattmitte->text()),
              "Mitte von Messtischblatt 7835 – die Lage ist auf etwa 6 km genau");
    EXPECT_TRUE(w.E_TK25->text().startsWith(QStringLiteral("7835/"))) << str(w.E_TK25->text());

    // a number no sheet can have: a message naming it, and nothing changes
    const QString before = w.E_ZELV->text();
    paste(QStringLiteral("MTB 0046"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_TRUE(presenter.shown[0].second.contains(QStringLiteral("0046"))) << str(presenter.shown[0].second);
    EXPECT_EQ(w.E_ZELV->text(), before);
    EXPECT_FALSE(w.Label_Blattmitte->text().isEmpty());
}

TEST_F(OldMaps, TheMesstischblattNextToSheetAndQuadrantLines)
{
    // Within about 100 m south or west of a line, where a position taken
    // into DHDN once too often or not at all lands on the neighbouring sheet
    // or quadrant.  Unticked, the Gauß-Krüger position is on DHDN already.
    const struct {
        const char* text;
        bool etrs89;
        const char* sheet;
    } cases[] = {
        {"R 3573127 H 5429499", false, "7025/2"}, // 55 m south of 49°, 36 m west of 10°
        {"R 3567099 H 5423862", false, "7025/3"}, // 55 m south of 48°57', 34 m west of 9°55'
        {"R 3573127 H 5429499", true, "7025/2"},
        {"R 3567099 H 5423862", true, "7025/3"},
        {"48.998476, 9.998335", false, "7025/2"}, // WGS 84, the same two places
        {"48.948477, 9.915041", false, "7025/3"},
        {"48.999372, 9.999228", false, "6926/3"}, // on DHDN 45 m north and east of the corner
    };
    TF_Haupt& w = window();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        setDatum(c.etrs89);
        paste(QString::fromUtf8(c.text));
        EXPECT_TRUE(presenter.shown.empty());
        // The number and quadrant come first; a name may follow.
        const QString shown = w.E_TK25->text();
        EXPECT_TRUE(shown == QString::fromUtf8(c.sheet) || shown.startsWith(QString::fromUtf8(c.sheet) + u' '))
            << str(shown);
    }
}

TEST_F(OldMaps, NothingOverlaps)
{
    // The Messtischblatt, its caption and the two datum lines keep clear of
    // every other control; the picture is kept for a look by eye.
    TF_Haupt& w = window();
    setDatum(false);
    paste(QStringLiteral("R 6432378 H 5664319"));
    w.Label_TMERC_Umrechnung->setText(QStringLiteral("Näherung EPSG 1777"));
    w.Label_Blattmitte->setText(
        QStringLiteral("Mitte von Messtischblatt 5155/3 Oberullersdorf und Markersdorf – die Lage ist auf etwa 3 km genau"));
    const QList<QWidget*> added = {w.E_TK25, w.findChild<QLabel*>(QStringLiteral("Label28")), w.Label_Lagedatum,
                                   w.Label_TMERC_Umrechnung, w.Label_Blattmitte};
    const QList<QWidget*> children = w.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* a : added) {
        ASSERT_NE(a, nullptr);
        for (QWidget* b : children) {
            if (a == b || !b->isVisible())
                continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << str(a->objectName()) << " and " << str(b->objectName());
        }
    }
    for (QLabel* line : {static_cast<QLabel*>(w.Label_Lagedatum), w.Label_TMERC_Umrechnung, w.Label_Blattmitte}) {
        // the text fits its line
        // (right of the warning icon, where there is one)
        const QRect room = line->rect().adjusted(std::max(0, line->indent()), 0, 0, 0);
        const QRect needed = line->fontMetrics().boundingRect(room, Qt::TextWordWrap, line->text());
        EXPECT_LE(needed.height(), line->height()) << str(line->objectName());
        EXPECT_LE(needed.width(), line->width()) << str(line->objectName());
    }
    if (const QByteArray path = qgetenv("ZELV_SCREENSHOT"); !path.isEmpty())
        w.grab().save(QString::fromLocal8Bit(path));
}

} // namespace
} // namespace zelv::window_fakes
