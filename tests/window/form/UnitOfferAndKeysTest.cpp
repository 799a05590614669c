// The km/m trap: TMERC values typed in the other unit than the one chosen
// bring a question instead of the failure, and "Ja" switches the unit with
// the digits kept.  And the keyboard: the shortcuts that read the clipboard
// and copy the location text from anywhere in the window, the buttons'
// mnemonics, and Strg+V / Strg+C that stay the fields' own.
#include "CurrEdit.h"
#include "GTestQtPrinters.h"
#include "HandlerWindowFixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>

namespace zelv::window_fakes {
namespace {

const QString metresQuestion =
    QStringLiteral("Die Werte sehen nach Metern aus. Auf „m“ umstellen, ohne die Werte umzurechnen?");
const QString kilometresQuestion =
    QStringLiteral("Die Werte sehen nach Kilometern aus. Auf „km“ umstellen, ohne die Werte umzurechnen?");

class UnitOffer : public HandlerWindowTest {
protected:
    // Reference meridian 18 (zone 6) and the values as typed, in the unit
    // chosen by a click; then the arrow.
    void typeAndConvert(int unit, const char* reference, const char* easting, const char* northing)
    {
        TF_Haupt& w = window();
        if (w.RG_Eingabe_km_m->ItemIndex() != unit)
            click(w.RG_Eingabe_km_m->button(unit));
        enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("18"));
        enter(w.CE_TMERC_BezugsRechts, QString::fromLatin1(reference));
        enter(w.CE_TMERC_Rechts, QString::fromLatin1(easting));
        enter(w.CE_TMERC_Hoch, QString::fromLatin1(northing));
        click(w.BitBtn_TMERC_LL);
    }

    std::string tmerc()
    {
        TF_Haupt& w = window();
        return str(w.CE_TMERC_BezugsRechts->ShownText() + u' ' + w.CE_TMERC_Rechts->ShownText() + u' '
                   + w.CE_TMERC_Hoch->ShownText() + QStringLiteral(" unit=%1").arg(w.RG_Eingabe_km_m->ItemIndex()));
    }

    std::string position()
    {
        return str(window().CE_Laenge->ShownText() + u' ' + window().CE_Breite->ShownText());
    }
};

TEST_F(UnitOffer, MetresTypedUnderKilometres)
{
    const struct {
        const char* name;
        bool etrs89;
        const char* reference;
        const char* afterJa;
        const char* positionAfterJa;
    } cases[] = {
        // the reference easting set up in km stays the same distance
        {"reference in km, on Bessel", false, "6500", "6500000 6432378 5664319 unit=1", "17,034254 51,111203"},
        // all three typed from the map keep their digits
        {"reference in metres too, into ETRS89", true, "6500000", "6500000 6432378 5664319 unit=1",
         "17,032006 51,109998"},
    };
    for (const bool yes : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (yes ? ", Ja" : ", Nein"));
            presenter.asked.clear();
            presenter.answer = yes;
            setDatum(c.etrs89);
            enter(window().CE_Laenge, QStringLiteral("0"));
            enter(window().CE_Breite, QStringLiteral("0"));
            typeAndConvert(0, c.reference, "6432378", "5664319");
            ASSERT_EQ(presenter.asked.size(), 1u);
            EXPECT_EQ(presenter.asked.front().second, metresQuestion);
            EXPECT_TRUE(presenter.shown.empty());
            if (yes) {
                EXPECT_EQ(tmerc(), c.afterJa);
                EXPECT_EQ(position(), c.positionAfterJa);
            } else {
                // as typed, in km, and no position
                EXPECT_EQ(tmerc(), std::string(c.reference) + ",000 6432378,000 5664319,000 unit=0");
                EXPECT_EQ(position(), "0,000000 0,000000");
            }
        }
    }
}

TEST_F(UnitOffer, KilometresTypedUnderMetres)
{
    // Into ETRS89 the values, read as metres, land where no shift goes.
    TF_Haupt& w = window();
    setDatum(true);
    presenter.answer = false;
    typeAndConvert(1, "6500000", "6432", "5664");
    ASSERT_EQ(presenter.asked.size(), 1u);
    EXPECT_EQ(presenter.asked.front().second, kilometresQuestion);
    EXPECT_EQ(tmerc(), "6500000 6432 5664 unit=1");
    EXPECT_EQ(position(), "0,000000 0,000000");

    presenter.answer = true;
    click(w.BitBtn_TMERC_LL);
    ASSERT_EQ(presenter.asked.size(), 2u);
    EXPECT_EQ(tmerc(), "6500,000 6432,000 5664,000 unit=0");
    EXPECT_EQ(position(), "17,026670 51,107087"); // cs2cs, EPSG 1777
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(UnitOffer, WithoutAFitTheFailureIsToldAndAClickStillScales)
{
    TF_Haupt& w = window();
    // values that fit no unit: the failure text, no question
    typeAndConvert(0, "6500", "99999999", "5664319");
    EXPECT_TRUE(presenter.asked.empty());
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_TRUE(presenter.shown.front().second.startsWith(QStringLiteral("TMERC lässt sich nicht")));

    // a plain click on "m" keeps the unit switch: every value x 1000
    click(w.RG_Eingabe_km_m->button(1));
    EXPECT_EQ(tmerc(), "6500000 99999999000 5664319000 unit=1");
}

class Keys : public HandlerWindowTest {
protected:
    static constexpr auto pasteKeys = Qt::ControlModifier | Qt::ShiftModifier;
};

TEST_F(Keys, ShortcutsFromAFieldAndFromAButton)
{
    TF_Haupt& w = window();
    const QString berlin = QStringLiteral("liegt bei 52.52000°N 13.40500°O;");
    for (QWidget* from : {static_cast<QWidget*>(w.CE_Laenge), static_cast<QWidget*>(w.BitBtn_LL_UTM)}) {
        SCOPED_TRACE(str(from->objectName()));
        // Strg+Umschalt+V: the clipboard read and converted
        enter(w.CE_Breite, QStringLiteral("1"));
        clipboard.setText(QStringLiteral("52.52, 13.405"));
        from->setFocus();
        QTest::keyClick(from, Qt::Key_V, pasteKeys);
        EXPECT_EQ(w.E_ZELV->text(), berlin);

        // Strg+Umschalt+C: the location text copied
        clipboard.setText(QString());
        from->setFocus();
        QTest::keyClick(from, Qt::Key_C, pasteKeys);
        EXPECT_EQ(clipboard.text(), berlin);
    }

    // From a field just typed in: it is left first, as a click on the button
    // leaves it, so the copy has the new value.
    type(w.CE_Breite, QStringLiteral("50"));
    QTest::keyClick(w.CE_Breite, Qt::Key_C, pasteKeys);
    EXPECT_EQ(clipboard.text(), QStringLiteral("liegt bei 50.00000°N 13.40500°O;"));
    // a value the field refuses keeps the focus there, and nothing is copied
    type(w.CE_Breite, QStringLiteral("95"));
    QTest::keyClick(w.CE_Breite, Qt::Key_C, pasteKeys);
    EXPECT_EQ(clipboard.text(), QStringLiteral("liegt bei 50.00000°N 13.40500°O;"));
    EXPECT_TRUE(w.CE_Breite->hasFocus());
    EXPECT_EQ(presenter.shown.size(), 1u);
}

TEST_F(Keys, StrgVAndStrgCStayInTheField)
{
    TF_Haupt& w = window();
    clipboard.setText(QStringLiteral("52.52, 13.405"));
    pasteInto(w.CE_Laenge, QStringLiteral("12,5"));
    EXPECT_EQ(w.CE_Laenge->text(), QStringLiteral("12,5"));
    EXPECT_EQ(w.E_ZELV->text(), QStringLiteral("liegt bei"));

    w.CE_Laenge->selectAll();
    QTest::keyClick(w.CE_Laenge, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12,5"));
    EXPECT_EQ(clipboard.writes, 1); // the test's own, above
}

TEST_F(Keys, MnemonicsPressTheButtonsAndAreNoPartOfTheirNames)
{
    TF_Haupt& w = window();
    const QString berlin = QStringLiteral("liegt bei 52.52000°N 13.40500°O;");
    // A mnemonic presses its button as a short animation: the click comes
    // a moment later.
    clipboard.setText(QStringLiteral("52.52, 13.405"));
    w.CE_Laenge->setFocus();
    QTest::keyClick(w.CE_Laenge, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.E_ZELV->text() == berlin; }, 2000)) << str(w.E_ZELV->text());
    clipboard.setText(QString());
    QTest::keyClick(w.CE_Laenge, Qt::Key_K, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clipboard.text() == berlin; }, 2000)) << str(clipboard.text());

    for (QPushButton* button : {w.BitBtn_kopieren, w.BitBtn_Koordinaten_aus_Zwischenablage}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).contains(u'&')) << str(button->objectName());
    }
}

} // namespace
} // namespace zelv::window_fakes
