// The grid conversion buttons and the km/m switch, driven through the window
// with typed values and real clicks, and what a conversion without a result
// tells the user.
#include "GTestQtPrinters.h"
#include "GridWorkflows.h"
#include "HandlerWindowFixture.h"

#include <QAccessible>

#include <QCheckBox>
#include <tuple>

namespace zelv::window_fakes {
namespace {

class Conversions : public HandlerWindowTest {
protected:
    explicit Conversions(Separators separators = germanSeparators, bool withNad = true)
        : HandlerWindowTest(separators, withNad)
    {
    }

    // Types both decimal fields and presses the right arrow; leaving the
    // latitude field for the button runs its exit handler first.
    void toUtm(const char* longitude, const char* latitude)
    {
        enter(window().CE_Laenge, QString::fromUtf8(longitude));
        type(window().CE_Breite, QString::fromUtf8(latitude));
        click(window().BitBtn_LL_UTM);
    }

    std::string utmFields()
    {
        TF_Haupt& w = window();
        return str(w.ElSE_Zone->text() + u' ' + w.CE_Rechts->Text() + u' ' + w.CE_Hoch->Text());
    }

    // The reference meridian, the reference easting and the grid values,
    // then the left arrow of the Transverse Mercator row.
    void fromTmerc(const char* degrees, const char* minutes, const char* reference, const char* easting,
                   const char* northing)
    {
        TF_Haupt& w = window();
        enter(w.CE_TMERC_Laenge_Grad, QString::fromUtf8(degrees));
        enter(w.CE_TMERC_Laenge_Minuten, QString::fromUtf8(minutes));
        enter(w.CE_TMERC_BezugsRechts, QString::fromUtf8(reference));
        enter(w.CE_TMERC_Rechts, QString::fromUtf8(easting));
        type(w.CE_TMERC_Hoch, QString::fromUtf8(northing));
        click(w.BitBtn_TMERC_LL);
    }

    std::string decimalFields()
    {
        return str(window().CE_Laenge->ShownText() + u' ' + window().CE_Breite->ShownText());
    }
    std::string longitudeParts()
    {
        TF_Haupt& w = window();
        return str(w.CE_Laenge_Grad->Text() + u' ' + w.CE_Laenge_Minuten->Text() + u' ' +
                   w.CE_Laenge_Sekunden->ShownText());
    }
    std::string latitudeParts()
    {
        TF_Haupt& w = window();
        return str(w.CE_Breite_Grad->Text() + u' ' + w.CE_Breite_Minuten->Text() + u' ' +
                   w.CE_Breite_Sekunden->ShownText());
    }

    // The one message shown since the last call, caption and text in one line.
    std::string shownOnce()
    {
        std::string shown = std::to_string(presenter.shown.size()) + " shown";
        if (presenter.shown.size() == 1)
            shown = str(presenter.shown[0].first + u'|' + presenter.shown[0].second);
        presenter.shown.clear();
        return shown;
    }
};

const char* const noZoneText = "Zelv_derarar|L\u00E4nge und Breite lassen sich nicht nach UTM umrechnen.\n"
                               "Die L\u00E4nge liegt au\u00DFerhalb der UTM-Zonen, die von -180\u00B0 bis unter "
                               "180\u00B0 reichen.";
const char* const tmUnprojectableText =
    "Zelv_derarar|TMERC l\u00E4sst sich nicht in L\u00E4nge und Breite umrechnen.\n"
    "Die Werte lassen sich mit dieser Bezugsl\u00E4nge nicht umrechnen: Sind Rechts- und Hochwert in der "
    "gew\u00E4hlten Einheit (km/m) eingegeben? Bitte auch Bezugs-R-Wert und Bezugsl\u00E4nge pr\u00FCfen.";
const char* const utmUnprojectableText =
    "Zelv_derarar|UTM l\u00E4sst sich nicht in L\u00E4nge und Breite umrechnen.\n"
    "Rechts- und Hochwert lassen sich in dieser Zone nicht umrechnen. Bitte Zone, Rechts- und Hochwert (in "
    "Metern) pr\u00FCfen.";
const char* const noServiceText =
    "Zelv_derarar|Die Umrechnung ist nicht verf\u00FCgbar, weil der Ordner \u201Enad\u201C beim Start fehlte. "
    "Bitte das Programm neu starten, sobald der Ordner wieder da ist.";

TEST_F(Conversions, LatitudeLongitudeToUtm)
{
    TF_Haupt& w = window();
    toUtm("10,769430", "50,414840");
    EXPECT_EQ(utmFields(), "32 625712 5586252");
    // The latitude's exit handler ran before the click.
    EXPECT_EQ(longitudeParts(), "10 46 9,9");
    EXPECT_EQ(latitudeParts(), "50 24 53,4");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.41484\u00B0N 10.76943\u00B0O;");

    // No southern false northing: the northing is negative.
    toUtm("18,4", "-33,9");
    EXPECT_EQ(utmFields(), "34 259583 -3754112");

    const struct {
        const char* longitude;
        const char* zone;
    } edges[] = {
        {"-180", "1"},
        {"179,999999", "60"},
    };
    for (const auto& c : edges) {
        w.ElSE_Zone->setValue(30);
        toUtm(c.longitude, "50");
        EXPECT_EQ(str(w.ElSE_Zone->text()), c.zone) << c.longitude;
    }
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(Conversions, NoZoneForTheLongitudeSaysSoAndChangesNothing)
{
    TF_Haupt& w = window();
    toUtm("10,769430", "50,414840");
    ASSERT_EQ(utmFields(), "32 625712 5586252");
    // 180 gives zone 61, which the library rejects.
    enter(w.CE_Laenge, QStringLiteral("180"));
    enter(w.CE_Breite, QStringLiteral("50"));
    const std::string before = snapshot();
    click(w.BitBtn_LL_UTM);
    EXPECT_EQ(shownOnce(), noZoneText);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(utmFields(), "32 625712 5586252");
}

TEST_F(Conversions, LatitudeOffTheGlobeNeverReachesTheConversion)
{
    TF_Haupt& w = window();
    toUtm("10,769430", "50,414840");
    ASSERT_EQ(utmFields(), "32 625712 5586252");
    // Latitude 91 can't be projected; the field refuses it before the click
    // can convert, and the press is swallowed.
    toUtm("100", "91");
    EXPECT_EQ(shownOnce(), "Zelv_derarar|Wert mu\u00DF zwischen -90,000000 und 90,000000 liegen.");
    EXPECT_TRUE(w.CE_Breite->hasFocus());
    EXPECT_EQ(utmFields(), "32 625712 5586252");
}

TEST_F(Conversions, UtmToLatitudeLongitude)
{
    TF_Haupt& w = window();
    type(w.ElSE_Zone, QStringLiteral("32"));
    enter(w.CE_Rechts, QStringLiteral("625712"));
    type(w.CE_Hoch, QStringLiteral("5586252"));
    click(w.BitBtn_UTM_LL);
    EXPECT_EQ(decimalFields(), "10,769435 50,414837");
    EXPECT_EQ(longitudeParts(), "10 46 10,0");
    EXPECT_EQ(latitudeParts(), "50 24 53,4");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.41484\u00B0N 10.76944\u00B0O;");
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(Conversions, TransverseMercatorInKilometresAndMetres)
{
    TF_Haupt& w = window();
    fromTmerc("10", "30", "6525", "6625", "5600");
    EXPECT_EQ(decimalFields(), "11,910500 50,528407");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.52841\u00B0N 11.91050\u00B0O;");

    click(w.RG_Eingabe_km_m->button(1));
    // In metres a reference easting of 0 leaves " +x_0=" empty.
    fromTmerc("9", "20", "0", "60000", "5500000");
    EXPECT_EQ(decimalFields(), "10,164035 49,634836");
    EXPECT_EQ(longitudeParts(), "10 9 50,5");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 49.63484\u00B0N 10.16404\u00B0O;");
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(Conversions, ReferenceDegreesZeroKeepTheMinutes)
{
    // The degree field's text is empty for 0; the meridian must still be
    // 0 degrees 30 minutes, which PROJ would not read from "d30".
    TF_Haupt& w = window();
    fromTmerc("0", "30", "500", "500", "5500");
    EXPECT_EQ(decimalFields(), "0,500000 49,637816");
    // "-0" degrees put the meridian half a degree west.
    fromTmerc("-0", "30", "500", "500", "5500");
    EXPECT_EQ(str(w.CE_TMERC_Laenge_Grad->Text()), "-0");
    EXPECT_EQ(decimalFields(), "-0,500000 49,637816");
    EXPECT_EQ(longitudeParts(), "-0 30 0,0");
}

TEST_F(Conversions, FailedConversionBackSaysWhyAndChangesNothing)
{
    TF_Haupt& w = window();
    toUtm("10,769430", "50,414840");
    // Written by the program, so the angle fields and the text lag behind:
    // a refresh from the decimal fields would show.
    w.CE_Laenge->setValue(-70.25L);
    w.CE_Breite->setValue(-33.5L);

    // A Gauss-Krueger map of zone 4 with easting and northing typed in
    // metres while "km" is chosen: a thousand times too far off the meridian.
    enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("12"));
    enter(w.CE_TMERC_Laenge_Minuten, QStringLiteral("0"));
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("4500"));
    enter(w.CE_TMERC_Rechts, QStringLiteral("4412345"));
    enter(w.CE_TMERC_Hoch, QStringLiteral("5560000"));
    std::string before = snapshot();
    click(w.BitBtn_TMERC_LL);
    EXPECT_EQ(shownOnce(), tmUnprojectableText);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(decimalFields(), "-70,250000 -33,500000");
    EXPECT_EQ(longitudeParts(), "10 46 9,9");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.41484\u00B0N 10.76943\u00B0O;");

    // The same in kilometres converts.
    enter(w.CE_TMERC_Rechts, QStringLiteral("4412,345"));
    type(w.CE_TMERC_Hoch, QStringLiteral("5560"));
    click(w.BitBtn_TMERC_LL);
    EXPECT_EQ(shownOnce(), "0 shown");
    EXPECT_EQ(decimalFields(), "10,772884 50,170832");

    // UTM: an easting of 100000 km can't be inverted.
    type(w.ElSE_Zone, QStringLiteral("32"));
    enter(w.CE_Rechts, QStringLiteral("100000000"));
    enter(w.CE_Hoch, QStringLiteral("5586252"));
    before = snapshot();
    click(w.BitBtn_UTM_LL);
    EXPECT_EQ(shownOnce(), utmUnprojectableText);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Conversions, UnitSwitchScalesEveryTime)
{
    TF_Haupt& w = window();
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("6525"));
    enter(w.CE_TMERC_Rechts, QStringLiteral("6625,5"));
    enter(w.CE_TMERC_Hoch, QStringLiteral("5600,125"));
    EXPECT_EQ(str(w.CE_TMERC_BezugsRechts->ShownText()), "6525,000");

    click(w.RG_Eingabe_km_m->button(1));
    for (TCurrencyEdit* field : {w.CE_TMERC_BezugsRechts, w.CE_TMERC_Rechts, w.CE_TMERC_Hoch}) {
        EXPECT_EQ(field->DecimalPlaces(), 0u);
        EXPECT_EQ(str(field->DisplayFormat()), "#######");
    }
    EXPECT_EQ(str(w.CE_TMERC_BezugsRechts->ShownText()), "6525000");
    EXPECT_EQ(str(w.CE_TMERC_Rechts->Text()), "6625500");
    EXPECT_EQ(str(w.CE_TMERC_Hoch->Text()), "5600125");

    // Back: divided while the fields still have no decimals, yet nothing is lost.
    enter(w.CE_TMERC_Rechts, QStringLiteral("6625567"));
    click(w.RG_Eingabe_km_m->button(0));
    for (TCurrencyEdit* field : {w.CE_TMERC_BezugsRechts, w.CE_TMERC_Rechts, w.CE_TMERC_Hoch}) {
        EXPECT_EQ(field->DecimalPlaces(), 3u);
        EXPECT_EQ(str(field->DisplayFormat()), "#0.000");
    }
    EXPECT_EQ(str(w.CE_TMERC_BezugsRechts->ShownText()), "6525,000");
    EXPECT_EQ(str(w.CE_TMERC_Rechts->ShownText()), "6625,567");
    EXPECT_EQ(str(w.CE_TMERC_Hoch->ShownText()), "5600,125");

    // The switch does not know the unit it comes from: every run scales.
    w.RG_Eingabe_km_mClick();
    EXPECT_EQ(str(w.CE_TMERC_BezugsRechts->ShownText()), "6,525");
}

// The Transverse Mercator group both ways, on Bessel and in ETRS89, with
// the grid of Gauss-Kr\u00FCger zone 4 (meridian 12d0, reference easting 4500 km).
// The expected values are PROJ's: EPSG:31468 to EPSG:4258 with BeTA2007 when
// ticked, the plain Transverse Mercator on Bessel when not (the engine's
// tests compare with PROJ's transformation itself).
class TransverseMercatorBothWays : public Conversions {
protected:
    void zone4(bool metres)
    {
        TF_Haupt& w = window();
        if (metres)
            click(w.RG_Eingabe_km_m->button(1));
        enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("12"));
        enter(w.CE_TMERC_Laenge_Minuten, QStringLiteral("0"));
        enter(w.CE_TMERC_BezugsRechts, metres ? QStringLiteral("4500000") : QStringLiteral("4500"));
    }

    void toTmerc(const char* longitude, const char* latitude)
    {
        enter(window().CE_Laenge, QString::fromUtf8(longitude));
        type(window().CE_Breite, QString::fromUtf8(latitude));
        click(window().BitBtn_LL_TMERC);
    }

    std::string tmercFields()
    {
        return str(window().CE_TMERC_Rechts->ShownText() + u' ' + window().CE_TMERC_Hoch->ShownText());
    }
};

TEST_F(TransverseMercatorBothWays, ForwardInKilometresAndMetresWithAndWithoutTheShift)
{
    // [metres][ETRS89]
    const char* const expected[2][2] = {{"4412,250 5598,634", "4412,345 5598,765"},
                                        {"4412250 5598634", "4412345 5598765"}};
    for (const bool metres : {false, true}) {
        zone4(metres);
        for (const bool etrs89 : {false, true}) {
            SCOPED_TRACE(std::string(metres ? "m" : "km") + (etrs89 ? " ETRS89" : " Bessel"));
            setDatum(etrs89);
            toTmerc("10,762560", "50,518090");
            EXPECT_EQ(tmercFields(), expected[metres][etrs89]);
            // The position's fields stay as typed.
            EXPECT_EQ(decimalFields(), "10,762560 50,518090");
        }
    }
    EXPECT_TRUE(presenter.shown.empty());
    // Both or neither: a point on the equator a quarter of the globe off the
    // meridian can't be projected; it is said, and neither field changes.
    toTmerc("-78", "0");
    EXPECT_EQ(tmercFields(), "4412345 5598765");
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_TRUE(presenter.shown[0].second.startsWith(QStringLiteral("L\u00E4nge und Breite lassen sich nicht nach TMERC")));
}

TEST_F(TransverseMercatorBothWays, RoundTripGivesTheGridValuesBack)
{
    TF_Haupt& w = window();
    for (const bool metres : {false, true}) {
        zone4(metres);
        for (const bool etrs89 : {false, true}) {
            SCOPED_TRACE(std::string(metres ? "m" : "km") + (etrs89 ? " ETRS89" : " Bessel"));
            setDatum(etrs89);
            enter(w.CE_TMERC_Rechts, metres ? QStringLiteral("4412345") : QStringLiteral("4412,345"));
            type(w.CE_TMERC_Hoch, metres ? QStringLiteral("5598765") : QStringLiteral("5598,765"));
            click(w.BitBtn_TMERC_LL);
            const std::string position = decimalFields();
            w.CE_TMERC_Rechts->setValue(0);
            w.CE_TMERC_Hoch->setValue(0);
            click(w.BitBtn_LL_TMERC);
            EXPECT_EQ(tmercFields(), metres ? "4412345 5598765" : "4412,345 5598,765");
            // and the position once more from there
            click(w.BitBtn_TMERC_LL);
            EXPECT_EQ(decimalFields(), position);
        }
    }
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(TransverseMercatorBothWays, TheBoxMovesTheResultAndTheLocationText)
{
    TF_Haupt& w = window();
    zone4(false);
    for (const auto& [etrs89, decimals, location] : {
             std::tuple{false, "10,763870 50,519285", "liegt bei 50.51929\u00B0N 10.76387\u00B0O;"},
             std::tuple{true, "10,762560 50,518090", "liegt bei 50.51809\u00B0N 10.76256\u00B0O;"},
         }) {
        SCOPED_TRACE(etrs89);
        setDatum(etrs89);
        enter(w.CE_TMERC_Rechts, QStringLiteral("4412,345"));
        type(w.CE_TMERC_Hoch, QStringLiteral("5598,765"));
        click(w.BitBtn_TMERC_LL);
        EXPECT_EQ(decimalFields(), decimals);
        EXPECT_EQ(str(w.E_ZELV->text()), location);
    }
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(TransverseMercatorBothWays, APointOutsideTheGridIsToldAndChangesNothing)
{
    TF_Haupt& w = window();
    // Paris in zone 1: Bessel alone converts it, neither BeTA2007 nor
    // EPSG 1777 covers it.
    enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("3"));
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("1500"));
    enter(w.CE_TMERC_Rechts, QStringLiteral("1452,469"));
    enter(w.CE_TMERC_Hoch, QStringLiteral("5413,330"));
    enter(w.CE_Laenge, QStringLiteral("2,3522"));
    enter(w.CE_Breite, QStringLiteral("48,8566"));
    setDatum(true);
    const std::string before = snapshot();

    for (QPushButton* button : {w.BitBtn_TMERC_LL, w.BitBtn_LL_TMERC}) {
        SCOPED_TRACE(str(button->objectName()));
        presenter.shown.clear();
        click(button);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(str(presenter.shown[0].first), "Zelv_derarar");
        EXPECT_TRUE(presenter.shown[0].second.contains(
            QStringLiteral("BeTA2007 gilt nur f\u00FCr Deutschland und seine Grenzgebiete, die N\u00E4herung "
                           "EPSG 1777 f\u00FCr 46\u00B0 bis 56\u00B0 N und 5\u00B050' bis 24\u00B0 O.")))
            << str(presenter.shown[0].second);
        EXPECT_EQ(snapshot(), before);
    }

    // Unticked, the same point converts without a word.
    presenter.shown.clear();
    setDatum(false);
    click(w.BitBtn_LL_TMERC);
    EXPECT_EQ(tmercFields(), "1452,469 5413,330");
    EXPECT_TRUE(presenter.shown.empty());
}

class TransverseMercatorWithoutGrid : public HandlerWindowTest {
protected:
    TransverseMercatorWithoutGrid() : HandlerWindowTest(germanSeparators, true, false) {}
};

TEST_F(TransverseMercatorWithoutGrid, TheBoxIsDisabledAndSaysWhichFileIsMissing)
{
    TF_Haupt& w = window();
    ASSERT_NE(w.CoordinateTranslator(), nullptr);
    EXPECT_FALSE(w.CB_TMERC_ETRS89->isEnabled());
    EXPECT_EQ(w.CB_TMERC_ETRS89->toolTip(),
              QStringLiteral("Nicht verf\u00FCgbar: Die Gitterdatei BETA2007.gsb fehlt im Ordner %1nad.")
                  .arg(w.ProgramDirectory()));

    // A tick from the settings file does not count without the grid.
    w.CB_TMERC_ETRS89->setChecked(true);
    enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("12"));
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("4500"));
    enter(w.CE_TMERC_Rechts, QStringLiteral("4412,345"));
    type(w.CE_TMERC_Hoch, QStringLiteral("5598,765"));
    click(w.BitBtn_TMERC_LL);
    EXPECT_EQ(str(w.CE_Laenge->ShownText() + u' ' + w.CE_Breite->ShownText()), "10,763870 50,519285");
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(TransverseMercatorWithoutGrid, TheDisabledBoxIsNeitherReachedNorTickedByTheUser)
{
    TF_Haupt& w = window();
    // Tab passes it by, a click does not tick it, and a screen reader hears
    // that it is unavailable.
    w.RG_Eingabe_km_m->button(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.CE_TMERC_BezugsRechts);
    click(w.CB_TMERC_ETRS89);
    EXPECT_FALSE(w.CB_TMERC_ETRS89->isChecked());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(w.CB_TMERC_ETRS89)->state().disabled);
    EXPECT_EQ(w.tmGrid().datum, TmDatum::Bessel);
}

class ConversionsUnderPointLocale : public Conversions {
protected:
    ConversionsUnderPointLocale() : Conversions(pointSeparators) {}
};

TEST_F(ConversionsUnderPointLocale, SameResultsWithThePoint)
{
    TF_Haupt& w = window();
    toUtm("10.769430", "50.414840");
    EXPECT_EQ(utmFields(), "32 625712 5586252");
    EXPECT_EQ(latitudeParts(), "50 24 53.4");

    fromTmerc("10", "30", "6525", "6625", "5600");
    EXPECT_EQ(decimalFields(), "11.910500 50.528407");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.52841\u00B0N 11.91050\u00B0O;");

    click(w.RG_Eingabe_km_m->button(1));
    EXPECT_EQ(str(w.CE_TMERC_BezugsRechts->Text()), "6525000");
    EXPECT_EQ(str(w.CE_TMERC_Hoch->ShownText()), "5600000");
}

class ConversionsWithoutNad : public Conversions {
protected:
    ConversionsWithoutNad() : Conversions(germanSeparators, false) {}
};

TEST_F(ConversionsWithoutNad, ButtonsSayTheFolderWasMissingAndChangeNothing)
{
    TF_Haupt& w = window();
    ASSERT_EQ(w.CoordinateTranslator(), nullptr);
    ASSERT_EQ(presenter.shown.size(), 1u); // the missing file, at the start
    presenter.shown.clear();

    enter(w.CE_Laenge, QStringLiteral("10,769430"));
    enter(w.CE_Breite, QStringLiteral("50,414840"));
    enter(w.CE_Rechts, QStringLiteral("625712"));
    enter(w.CE_Hoch, QStringLiteral("5586252"));
    enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("10"));
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("6525"));
    enter(w.CE_TMERC_Rechts, QStringLiteral("6625"));
    enter(w.CE_TMERC_Hoch, QStringLiteral("5600"));
    // Stale on purpose: a refresh of the angle fields would show.
    w.CE_Laenge->setValue(1);
    w.CE_Breite->setValue(2);
    click(w.BitBtn_kopieren); // the focus away from every field with a handler
    const std::string before = snapshot();

    for (QPushButton* button : {w.BitBtn_LL_UTM, w.BitBtn_UTM_LL, w.BitBtn_LL_TMERC, w.BitBtn_TMERC_LL}) {
        click(button);
        EXPECT_EQ(shownOnce(), noServiceText) << str(button->objectName());
        EXPECT_EQ(snapshot(), before) << str(button->objectName());
    }
}

} // namespace
} // namespace zelv::window_fakes
