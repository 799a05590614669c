// The angle fields' exit handlers through real focus changes: decimal degrees
// to degrees/minutes/seconds and back, and the location text.
#include "GTestQtPrinters.h"
#include "HandlerWindowFixture.h"

namespace zelv::window_fakes {
namespace {

struct DecimalCase {
    const char* typed;     // into CE_Laenge and CE_Breite alike
    const char* degrees;   // the degree field's edit text
    const char* minutes;
    const char* seconds;   // shown, one decimal
    const char* decimalBack; // the decimal field after leaving a degree/minute/second field
};

class AngleFields : public HandlerWindowTest {};

TEST_F(AngleFields, DecimalToDegreesMinutesSecondsAndBack)
{
    const DecimalCase cases[] = {
        {"10,769430", "10", "46", "9,9", "10,769417"},
        {"-10,769430", "-10", "46", "9,9", "-10,769417"},
        // the seventh decimal is refused on typing; 59,9964 seconds are held at 59,9
        {"10,9999999", "10", "59", "59,9", "10,999972"},
        // between -1 and 0 the degree field shows "-0", and the sign comes back
        {"-0,5", "-0", "30", "0,0", "-0,500000"},
        {"-0,000100", "-0", "", "0,4", "-0,000111"},
        {"0,5", "", "30", "0,0", "0,500000"},
        // beyond the degree field's range the degrees stop at the bound
        {"-200,5", "-180", "30", "0,0", "-180,500000"},
    };
    TF_Haupt& w = window();
    struct Axis {
        const char* name;
        TCurrencyEdit* decimal;
        TCurrencyEdit* degrees;
        TCurrencyEdit* minutes;
        TCurrencyEdit* seconds;
    };
    const Axis axes[] = {
        {"longitude", w.CE_Laenge, w.CE_Laenge_Grad, w.CE_Laenge_Minuten, w.CE_Laenge_Sekunden},
        {"latitude", w.CE_Breite, w.CE_Breite_Grad, w.CE_Breite_Minuten, w.CE_Breite_Sekunden},
    };
    for (const Axis& axis : axes) {
        for (const auto& c : cases) {
            const std::string row = std::string(axis.name) + " " + c.typed;
            if (axis.decimal == w.CE_Breite && c.degrees == std::string("-180"))
                continue; // latitude has its own bound, below
            enter(axis.decimal, QString::fromUtf8(c.typed));
            EXPECT_EQ(str(axis.degrees->Text()), c.degrees) << row;
            EXPECT_EQ(str(axis.minutes->Text()), c.minutes) << row;
            EXPECT_EQ(str(axis.seconds->ShownText()), c.seconds) << row;

            // Each of the three fields gives the same value back, the
            // seconds cut to their one decimal.
            for (TCurrencyEdit* part : {axis.degrees, axis.minutes, axis.seconds}) {
                axis.decimal->setValue(99); // so that a handler that does nothing shows
                passThrough(part);
                EXPECT_EQ(str(axis.decimal->ShownText()), c.decimalBack) << row << " leaving " << str(part->objectName());
            }
        }
    }
}

TEST_F(AngleFields, LatitudeDegreesStopAtNinety)
{
    TF_Haupt& w = window();
    enter(w.CE_Breite, QStringLiteral("95,5"));
    EXPECT_EQ(str(w.CE_Breite_Grad->Text()), "90");
    enter(w.CE_Breite, QStringLiteral("-95,5"));
    EXPECT_EQ(str(w.CE_Breite_Grad->Text()), "-90");
    EXPECT_EQ(str(w.CE_Breite_Minuten->Text()), "30");
}

TEST_F(AngleFields, DegreesMinutesSecondsTypedIn)
{
    TF_Haupt& w = window();
    enter(w.CE_Laenge_Grad, QStringLiteral("-10"));
    enter(w.CE_Laenge_Minuten, QStringLiteral("46"));
    enter(w.CE_Laenge_Sekunden, QStringLiteral("9,9"));
    EXPECT_EQ(str(w.CE_Laenge->ShownText()), "-10,769417");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 0.00000\u00B0N 10.76942\u00B0W;");

    // Only the axis whose field was left changes; the degree fields are not rewritten.
    enter(w.CE_Breite_Grad, QStringLiteral("50"));
    enter(w.CE_Breite_Minuten, QStringLiteral("24"));
    EXPECT_EQ(str(w.CE_Breite->ShownText()), "50,400000");
    EXPECT_EQ(str(w.CE_Laenge->ShownText()), "-10,769417");
    EXPECT_EQ(str(w.CE_Laenge_Sekunden->Text()), "9,9");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.40000\u00B0N 10.76942\u00B0W;");
}

TEST_F(AngleFields, LocationTextFromBothDecimalFields)
{
    const struct {
        const char* longitude;
        const char* latitude;
        const char* text;
    } cases[] = {
        {"10,769430", "50,414840", "liegt bei 50.41484\u00B0N 10.76943\u00B0O;"},
        {"-70,25", "-33,5", "liegt bei 33.50000\u00B0S 70.25000\u00B0W;"},
        {"0", "0", "liegt bei 0.00000\u00B0N 0.00000\u00B0O;"},
        {"-0,5", "-0,25", "liegt bei 0.25000\u00B0S 0.50000\u00B0W;"},
    };
    TF_Haupt& w = window();
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei"); // until a handler runs
    for (const auto& c : cases) {
        enter(w.CE_Laenge, QString::fromUtf8(c.longitude));
        enter(w.CE_Breite, QString::fromUtf8(c.latitude));
        EXPECT_EQ(str(w.E_ZELV->text()), c.text) << c.longitude << " " << c.latitude;
    }
}

class AngleFieldsUnderPointLocale : public HandlerWindowTest {
protected:
    AngleFieldsUnderPointLocale() : HandlerWindowTest(pointSeparators) {}
};

TEST_F(AngleFieldsUnderPointLocale, SameNumbersWithThePoint)
{
    TF_Haupt& w = window();
    enter(w.CE_Laenge, QStringLiteral("10.769430"));
    enter(w.CE_Breite, QStringLiteral("-0.5"));
    EXPECT_EQ(str(w.CE_Laenge_Sekunden->ShownText()), "9.9");
    EXPECT_EQ(str(w.CE_Breite_Grad->Text()), "-0");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 0.50000\u00B0S 10.76943\u00B0O;");
    passThrough(w.CE_Laenge_Minuten);
    EXPECT_EQ(str(w.CE_Laenge->ShownText()), "10.769417");
    passThrough(w.CE_Breite_Sekunden);
    EXPECT_EQ(str(w.CE_Breite->ShownText()), "-0.500000");
}

} // namespace
} // namespace zelv::window_fakes
