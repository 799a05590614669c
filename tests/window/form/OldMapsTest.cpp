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

const QString besselNote = QStringLiteral(
    "Lage auf Bessel (DHDN), bis gut 200 m neben WGS 84 – für Karten und Ortsangaben „nach ETRS89“ anhaken");

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
        EXPECT_EQ(str(window().E_TK25->text()), "4868/3");
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
    EXPECT_EQ(str(w.E_TK25->text()), "3446/3");
    EXPECT_TRUE(w.E_TK25->toolTip().contains(QStringLiteral("Quadrant")));

    // the clipboard
    paste(QStringLiteral("48.1374, 11.5755"));
    EXPECT_EQ(str(w.E_TK25->text()), "7835/3");

    // outside the sheets: empty, and the tooltip says where they are
    enter(w.CE_Breite, QStringLiteral("41,9"));
    EXPECT_EQ(str(w.E_TK25->text()), "");
    EXPECT_TRUE(w.E_TK25->toolTip().contains(QStringLiteral("46° bis 55°54' N"))) << str(w.E_TK25->toolTip());

    // a TMERC conversion (Königsberg, zone 7, through EPSG 1777)
    setDatum(true);
    paste(QStringLiteral("R 7468677 H 6064646"));
    EXPECT_EQ(str(w.E_TK25->text()), "1289/3");

    // selected and copied like the location text
    w.E_TK25->selectAll();
    EXPECT_EQ(str(w.E_TK25->selectedText()), "1289/3");
}

TEST_F(OldMaps, NothingOverlaps)
{
    // The Messtischblatt, its caption and the two datum lines keep clear of
    // every other control; the picture is kept for a look by eye.
    TF_Haupt& w = window();
    setDatum(false);
    paste(QStringLiteral("R 6432378 H 5664319"));
    w.Label_TMERC_Umrechnung->setText(QStringLiteral("Näherung EPSG 1777"));
    const QList<QWidget*> added = {w.E_TK25, w.findChild<QLabel*>(QStringLiteral("Label28")), w.Label_Lagedatum,
                                   w.Label_TMERC_Umrechnung};
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
    for (QLabel* line : {w.Label_Lagedatum, w.Label_TMERC_Umrechnung}) {
        // the text fits its line
        const QRect needed = line->fontMetrics().boundingRect(line->rect(), Qt::TextWordWrap, line->text());
        EXPECT_LE(needed.height(), line->height()) << str(line->objectName());
        EXPECT_LE(needed.width(), line->width()) << str(line->objectName());
    }
    if (const QByteArray path = qgetenv("ZELV_SCREENSHOT"); !path.isEmpty())
        w.grab().save(QString::fromLocal8Bit(path));
}

} // namespace
} // namespace zelv::window_fakes
