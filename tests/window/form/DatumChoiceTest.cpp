// The datum choice "nach ETRS89 (BeTA2007)" and the line above the location
// text: a position shown from the TMERC values follows the box at once; the
// line names the real offset of a Bessel position from its WGS 84 place,
// as a warning that stays readable in light and dark palettes.
#include "CurrEdit.h"
#include "GTestQtPrinters.h"
#include "HandlerWindowFixture.h"

#include <QAccessible>
#include <QImage>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace zelv::window_fakes {
namespace {

const QString noLine;

QString offsetLine(int metres)
{
    return QStringLiteral("Lage auf Bessel (DHDN), hier %1 m neben WGS 84 – für Ortsangaben „nach ETRS89“ anhaken")
        .arg(metres);
}

class DatumChoice : public HandlerWindowTest {
protected:
    std::string position()
    {
        return str(window().CE_Laenge->ShownText() + u' ' + window().CE_Breite->ShownText());
    }

    // Breslau typed on zone 6's grid, then converted into its TMERC values.
    void typedIntoTmerc()
    {
        TF_Haupt& w = window();
        enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("18"));
        enter(w.CE_TMERC_BezugsRechts, QStringLiteral("6500"));
        enter(w.CE_Laenge, QStringLiteral("17,034254"));
        enter(w.CE_Breite, QStringLiteral("51,111203"));
        click(w.BitBtn_LL_TMERC);
    }
};

TEST_F(DatumChoice, ThePositionFromPastedGaussKruegerFollowsTheBox)
{
    // Breslau, outside BeTA2007: EPSG 1777 moves it 207 m.
    TF_Haupt& w = window();
    setDatum(false);
    paste(QStringLiteral("R 6432378 H 5664319"));
    ASSERT_EQ(position(), "17,034254 51,111203");
    EXPECT_EQ(w.Label_Lagedatum->text(), offsetLine(207));
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 51.11120\xC2\xB0N 17.03425\xC2\xB0O;");

    setDatum(true);
    EXPECT_EQ(position(), "17,032006 51,109998");
    EXPECT_EQ(w.Label_Lagedatum->text(), noLine);
    EXPECT_EQ(str(w.Label_TMERC_Umrechnung->text()), "Näherung EPSG 1777");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 51.11000\xC2\xB0N 17.03201\xC2\xB0O;");
    // the values are still the pasted ones, and belong to the position again
    EXPECT_EQ(str(w.CE_TMERC_Rechts->ShownText() + u' ' + w.CE_TMERC_Hoch->ShownText()), "6432,378 5664,319");
    EXPECT_FALSE(w.gridProvenance().isStale(Grid::TransverseMercator));

    setDatum(false);
    EXPECT_EQ(position(), "17,034254 51,111203");
    EXPECT_EQ(w.Label_Lagedatum->text(), offsetLine(207));
    EXPECT_EQ(w.Label_TMERC_Umrechnung->text(), noLine);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DatumChoice, TypedTmercValuesFollowTheBoxUntilEdited)
{
    TF_Haupt& w = window();
    setDatum(false);
    enter(w.CE_TMERC_Laenge_Grad, QStringLiteral("18"));
    enter(w.CE_TMERC_BezugsRechts, QStringLiteral("6500"));
    enter(w.CE_TMERC_Rechts, QStringLiteral("6432,378"));
    enter(w.CE_TMERC_Hoch, QStringLiteral("5664,319"));
    click(w.BitBtn_TMERC_LL);
    ASSERT_EQ(position(), "17,034254 51,111203");
    setDatum(true);
    EXPECT_EQ(position(), "17,032006 51,109998");

    // A value edited afterwards has not given the shown position: the box
    // then waits for the next conversion.
    type(w.CE_TMERC_Hoch, QStringLiteral("5664,320"));
    setDatum(false);
    EXPECT_EQ(position(), "17,032006 51,109998");
    click(w.BitBtn_TMERC_LL);
    EXPECT_NE(position(), "17,032006 51,109998");
    EXPECT_EQ(w.Label_Lagedatum->text(), offsetLine(207));
}

TEST_F(DatumChoice, APositionFromElsewhereStaysWhereItIs)
{
    TF_Haupt& w = window();
    const struct {
        const char* name;
        std::function<void()> show;
    } ways[] = {
        {"typed", [&] {
             enter(w.CE_Laenge, QStringLiteral("17,034254"));
             enter(w.CE_Breite, QStringLiteral("51,111203"));
         }},
        {"from the clipboard as degrees", [&] { paste(QStringLiteral("51.111203, 17.034254")); }},
        // TMERC values that were computed from a typed position
        {"typed, then into TMERC", [&] { typedIntoTmerc(); }},
        // The map's position, left, converted elsewhere and typed back: the
        // TMERC values now belong to the other place.
        {"from Gauss-Krueger, then typed away and back", [&] {
             paste(QStringLiteral("R 6432378 H 5664319"));
             enter(w.CE_Laenge, QStringLiteral("17,5"));
             click(w.BitBtn_LL_TMERC);
             enter(w.CE_Laenge, QStringLiteral("17,034254"));
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        setDatum(false);
        way.show();
        const std::string before = snapshot();
        ASSERT_EQ(position(), "17,034254 51,111203");
        setDatum(true);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(w.Label_Lagedatum->text(), noLine);
        setDatum(false);
        EXPECT_EQ(snapshot(), before);
    }
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DatumChoice, AConversionBackToTheSamePlaceNamesItsDatum)
{
    // Typed on WGS 84, into TMERC and back unticked: the same numbers, now
    // read on Bessel, 207 m from the place typed.
    TF_Haupt& w = window();
    setDatum(false);
    typedIntoTmerc();
    ASSERT_EQ(w.Label_Lagedatum->text(), noLine);
    const QString typed = w.E_ZELV->text();
    click(w.BitBtn_TMERC_LL);
    ASSERT_EQ(position(), "17,034254 51,111203");
    ASSERT_EQ(w.E_ZELV->text(), typed);
    EXPECT_EQ(w.Label_Lagedatum->text(), offsetLine(207));
    EXPECT_TRUE(presenter.shown.empty());
}

// The offset against
//   cs2cs -f %.9f +proj=tmerc +lon_0=<3k> +x_0=<k*1000000+500000> +ellps=bessel
//         +to +proj=longlat +ellps=bessel                        (the Bessel position)
//   cs2cs -f %.9f +proj=longlat +ellps=bessel <shift> +to +proj=longlat +datum=WGS84
//   geod -I +ellps=WGS84                                         (the distance)
// with the shift +towgs84=598.1,73.7,418.2,0.202,0.045,-2.455,6.7 (EPSG 1777)
// outside BeTA2007 and +nadgrids=BETA2007.gsb inside it.
TEST_F(DatumChoice, TheOffsetInTheLineEqualsPROJs)
{
    const struct {
        const char* text;
        int metres; // cs2cs and geod, rounded
    } places[] = {
        {"R 6432378 H 5664319", 207}, // Breslau, 206.728 m
        {"R 7468677 H 6064646", 257}, // Koenigsberg, 256.856 m
        {"R 4432000 H 5479000", 153}, // Nuremberg, through BeTA2007, 153.216 m
    };
    TF_Haupt& w = window();
    setDatum(false);
    for (const auto& place : places) {
        SCOPED_TRACE(place.text);
        paste(QString::fromLatin1(place.text));
        EXPECT_EQ(w.Label_Lagedatum->text(), offsetLine(place.metres));
        QAccessibleInterface* line = QAccessible::queryAccessibleInterface(w.Label_Lagedatum);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->text(QAccessible::Description), offsetLine(place.metres));
    }

    // West of the old sheets and off the grid there is no shift: the offset
    // is unknown, and the line says so.
    paste(QStringLiteral("R 2400000 H 5100000"));
    EXPECT_EQ(w.Label_Lagedatum->text(),
              QStringLiteral("Lage auf Bessel (DHDN), Abstand zu WGS 84 unbekannt (keine Umrechnung für diesen Ort)"));
    EXPECT_TRUE(presenter.shown.empty());
}

// WCAG's contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

TEST_F(DatumChoice, TheLineIsAWarningReadableInLightAndDarkPalettes)
{
    TF_Haupt& w = window();
    setDatum(false);
    paste(QStringLiteral("R 6432378 H 5664319"));
    const QPalette light(QColor(0xf0, 0xf0, 0xf0));
    const QPalette dark(QColor(0x2b, 0x2b, 0x2b));
    for (const QPalette& palette : {light, dark, QPalette(Qt::white), QPalette(Qt::black)}) {
        w.setPalette(palette);
        const QPalette shown = w.Label_Lagedatum->palette();
        EXPECT_EQ(shown.color(QPalette::Window), palette.color(QPalette::Window));
        EXPECT_GE(contrast(shown.color(QPalette::WindowText), shown.color(QPalette::Window)), 4.5)
            << str(palette.color(QPalette::Window).name());
    }

    // The icon before the text: drawn while there is a warning, gone with it.
    auto iconArea = [&] {
        const QImage image = w.Label_Lagedatum->grab().toImage();
        const int top = (image.height() - 16) / 2;
        int drawn = 0;
        for (int y = top; y < top + 16; ++y)
            for (int x = 0; x < 16; ++x)
                drawn += image.pixelColor(x, y) != image.pixelColor(0, 0);
        return drawn;
    };
    EXPECT_GT(iconArea(), 20);
    enter(w.CE_Laenge, QStringLiteral("13,4"));
    ASSERT_EQ(w.Label_Lagedatum->text(), noLine);
    EXPECT_EQ(iconArea(), 0);
}

} // namespace
} // namespace zelv::window_fakes
