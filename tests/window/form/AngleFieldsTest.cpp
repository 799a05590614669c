// The angle fields' exit handlers through real focus changes: decimal degrees
// to degrees/minutes/seconds and back, the location text, and the decimal
// fields' range.
#include "GTestQtPrinters.h"
#include "HandlerWindowFixture.h"

#include <utility>
#include <vector>

namespace zelv::window_fakes {
namespace {

struct DecimalCase {
    const char* typed;     // into CE_Laenge and CE_Breite alike
    const char* degrees;   // the degree field's edit text
    const char* minutes;
    const char* seconds;   // shown, one decimal
};

class AngleFields : public HandlerWindowTest {
protected:
    struct Axis {
        const char* name;
        TCurrencyEdit* decimal;
        TCurrencyEdit* degrees;
        TCurrencyEdit* minutes;
        TCurrencyEdit* seconds;
    };
    std::vector<Axis> axes()
    {
        TF_Haupt& w = window();
        return {
            {"longitude", w.CE_Laenge, w.CE_Laenge_Grad, w.CE_Laenge_Minuten, w.CE_Laenge_Sekunden},
            {"latitude", w.CE_Breite, w.CE_Breite_Grad, w.CE_Breite_Minuten, w.CE_Breite_Sekunden},
        };
    }
};

TEST_F(AngleFields, DecimalToDegreesMinutesSeconds)
{
    const DecimalCase cases[] = {
        {"10,769430", "10", "46", "9,9"},
        {"-10,769430", "-10", "46", "9,9"},
        // the seventh decimal is refused on typing; 59,9964 seconds are held at 59,9
        {"10,9999999", "10", "59", "59,9"},
        // between -1 and 0 the degree field shows "-0"
        {"-0,5", "-0", "30", "0,0"},
        {"-0,000100", "-0", "", "0,4"},
        {"0,5", "", "30", "0,0"},
    };
    for (const Axis& axis : axes()) {
        for (const auto& c : cases) {
            const std::string row = std::string(axis.name) + " " + c.typed;
            enter(axis.decimal, QString::fromUtf8(c.typed));
            EXPECT_EQ(str(axis.degrees->Text()), c.degrees) << row;
            EXPECT_EQ(str(axis.minutes->Text()), c.minutes) << row;
            EXPECT_EQ(str(axis.seconds->ShownText()), c.seconds) << row;

            // Passing through a part keeps the decimal value, though the
            // parts hold it only to a tenth of a second.
            const std::string decimal = str(axis.decimal->Text());
            for (TCurrencyEdit* part : {axis.degrees, axis.minutes, axis.seconds}) {
                passThrough(part);
                EXPECT_EQ(str(axis.decimal->Text()), decimal) << row << " leaving " << str(part->objectName());
            }
        }
    }
}

TEST_F(AngleFields, DegreesMinutesSecondsBackToDecimal)
{
    const struct {
        const char* degrees;
        const char* minutes;
        const char* seconds;
        const char* decimal; // shown
    } cases[] = {
        {"10", "46", "9,9", "10,769417"},
        {"-10", "46", "9,9", "-10,769417"},
        {"10", "59", "59,9", "10,999972"},
        // the degree field's "-0" carries the sign of the whole angle
        {"-0", "30", "0", "-0,500000"},
        {"-0", "0", "0,4", "-0,000111"},
        {"0", "30", "0", "0,500000"},
        // beyond the decimal field's range the value stops at the bound
        {"-180", "30", "0", "-180,000000"},
    };
    for (const Axis& axis : axes()) {
        for (const auto& c : cases) {
            const std::string row = std::string(axis.name) + " " + c.degrees + " " + c.minutes + " " + c.seconds;
            if (axis.decimal == window().CE_Breite && c.degrees == std::string("-180"))
                continue; // beyond the latitude degree field's own range
            const std::pair<TCurrencyEdit*, const char*> parts[] = {
                {axis.degrees, c.degrees}, {axis.minutes, c.minutes}, {axis.seconds, c.seconds}};
            // Each of the three fields, typed last, gives the value.
            for (const auto& [last, lastText] : parts) {
                // 2 15 9,0: no text of the table, so each typed part changes
                enter(axis.decimal, QStringLiteral("2,2525"));
                for (const auto& [part, text] : parts) {
                    if (part != last)
                        enter(part, QString::fromUtf8(text));
                }
                axis.decimal->setValue(77); // so that a handler that does nothing shows
                enter(last, QString::fromUtf8(lastText));
                EXPECT_EQ(str(axis.decimal->ShownText()), c.decimal) << row << " last " << str(last->objectName());
            }
        }
    }
}

TEST_F(AngleFields, TabThroughTheAngleFieldsChangesNothing)
{
    TF_Haupt& w = window();
    enter(w.CE_Laenge, QStringLiteral("10,769430"));
    enter(w.CE_Breite, QStringLiteral("-50,414840"));
    const std::string before = snapshot();
    ASSERT_EQ(str(w.E_ZELV->text()), "liegt bei 50.41484\u00B0S 10.76943\u00B0O;");

    // From the first degree field through all six into CE_Laenge.
    w.CE_Laenge_Grad->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.CE_Laenge);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(str(w.CE_Laenge->Text()), "10,76943");
    EXPECT_EQ(str(w.CE_Breite->Text()), "-50,41484");
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(AngleFields, EditedPartUpdatesTheDecimalAndTheText)
{
    TF_Haupt& w = window();
    enter(w.CE_Laenge, QStringLiteral("10,769430"));
    enter(w.CE_Breite, QStringLiteral("50,414840"));

    // Typed, then put back with Escape: nothing changed.
    type(w.CE_Laenge_Minuten, QStringLiteral("47"));
    QTest::keyClick(w.CE_Laenge_Minuten, Qt::Key_Escape);
    QTest::keyClick(w.CE_Laenge_Minuten, Qt::Key_Tab);
    EXPECT_EQ(str(w.CE_Laenge->ShownText()), "10,769430");

    // Typed: 10 47 9,9.
    enter(w.CE_Laenge_Minuten, QStringLiteral("47"));
    EXPECT_EQ(str(w.CE_Laenge->ShownText()), "10,786083");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.41484\u00B0N 10.78608\u00B0O;");

    // Pasted: 50 25 53,4.
    pasteInto(w.CE_Breite_Minuten, QStringLiteral("25"));
    ASSERT_EQ(str(w.CE_Breite_Minuten->Text()), "25");
    QTest::keyClick(w.CE_Breite_Minuten, Qt::Key_Tab);
    EXPECT_EQ(str(w.CE_Breite->ShownText()), "50,431500");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.43150\u00B0N 10.78608\u00B0O;");

    // A later pass through the seconds keeps what the minutes gave.
    passThrough(w.CE_Breite_Sekunden);
    EXPECT_EQ(str(w.CE_Breite->ShownText()), "50,431500");
    EXPECT_TRUE(presenter.shown.empty());
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
    EXPECT_EQ(str(w.CE_Laenge->ShownText()), "10.769430");
    enter(w.CE_Laenge_Minuten, QStringLiteral("47"));
    EXPECT_EQ(str(w.CE_Laenge->ShownText()), "10.786083");
    // -0 30 0.5: the sign stays with the whole angle.
    enter(w.CE_Breite_Sekunden, QStringLiteral("0.5"));
    EXPECT_EQ(str(w.CE_Breite->ShownText()), "-0.500139");
}

// Under either locale a number written with the other one's decimal mark
// reads as a number a million times too large, since that mark is the
// group separator.  The decimal fields' range stops it when they are left.
class DecimalFieldRange : public HandlerWindowTest, public ::testing::WithParamInterface<Separators> {
protected:
    DecimalFieldRange() : HandlerWindowTest(GetParam()) {}

    // A number as this locale writes it, and with its group separator in
    // place of the decimal mark, as a web page of the other locale writes it.
    QString local(const char* number) const
    {
        return QString::fromLatin1(number).replace(u'.', QChar::fromLatin1(GetParam().decimal));
    }
    QString foreign(const char* number) const
    {
        return QString::fromLatin1(number).replace(u'.', QChar::fromLatin1(GetParam().group));
    }
    const char* decimalMarkHint() const
    {
        return GetParam().decimal == ',' ? "Bitte das Dezimalkomma verwenden, z.B. 10,769430."
                                         : "Bitte den Dezimalpunkt verwenden, z.B. 10.769430.";
    }
};

TEST_P(DecimalFieldRange, TypedOrPastedBeyondTheRangeIsRefused)
{
    TF_Haupt& w = window();
    const struct {
        TCurrencyEdit* field;
        TCurrencyEdit* degrees; // its axis's degree field
        const char* number;
        const char* bounds; // of the message, with the locale's decimal mark
    } cases[] = {
        {w.CE_Laenge, w.CE_Laenge_Grad, "10.769430", "-180.000000 und 180.000000"},
        {w.CE_Breite, w.CE_Breite_Grad, "50.414840", "-90.000000 und 90.000000"},
    };
    enum class Route { Typed, Pasted };
    for (const Route route : {Route::Typed, Route::Pasted}) {
        for (const auto& c : cases) {
            const std::string row = str(c.field->objectName()) + (route == Route::Typed ? " typed" : " pasted");
            enter(w.CE_Laenge, local("10.769430"));
            enter(w.CE_Breite, local("50.414840"));
            const QString location = w.E_ZELV->text();
            const QString degrees = c.degrees->Text();
            presenter.shown.clear();
            clipboard.writes = 0;

            if (route == Route::Typed)
                type(c.field, foreign(c.number));
            else
                pasteInto(c.field, foreign(c.number));
            QTest::keyClick(c.field, Qt::Key_Tab);
            ASSERT_EQ(presenter.shown.size(), 1u) << row;
            EXPECT_EQ(presenter.shown[0].first, QStringLiteral("Zelv_derarar")) << row;
            // The sentence of every range error, then which mark to use.
            EXPECT_EQ(presenter.shown[0].second,
                      QStringLiteral("Wert mu\u00DF zwischen %1 liegen. %2")
                          .arg(local(c.bounds), QString::fromLatin1(decimalMarkHint())))
                << row;
            EXPECT_TRUE(c.field->hasFocus()) << row;
            EXPECT_EQ(c.degrees->Text(), degrees) << row;
            EXPECT_EQ(w.E_ZELV->text(), location) << row;

            // Nor can the copy button take the number: the press is refused too.
            click(w.BitBtn_kopieren);
            EXPECT_TRUE(c.field->hasFocus()) << row;
            EXPECT_EQ(clipboard.writes, 0) << row;
            EXPECT_EQ(presenter.shown.size(), 2u) << row;

            // Put right, for the next row.
            c.field->selectAll();
            QTest::keyClicks(c.field, local(c.number));
            QTest::keyClick(c.field, Qt::Key_Tab);
            ASSERT_FALSE(c.field->hasFocus()) << row;
        }
    }
}

TEST_P(DecimalFieldRange, OnlyTheOtherMarkInDecimalDegreesGetsTheHint)
{
    TF_Haupt& w = window();
    const struct {
        TCurrencyEdit* field;
        const char* typed; // "." stands for the locale's decimal mark, "," for the other one
        const char* bounds;
    } cases[] = {
        {w.CE_Laenge, "200", "-180.000000 und 180.000000"},        // no mark at all
        {w.CE_Breite, "-95.5", "-90.000000 und 90.000000"},        // the right mark
        {w.CE_Laenge_Grad, "1,000", "-180 und 180"},               // the other mark, but whole degrees
        {w.CE_Laenge_Sekunden, "1,000", "0.0 und 59.9"},           // nor seconds
    };
    for (const auto& c : cases) {
        const std::string row = str(c.field->objectName()) + " " + c.typed;
        QString typed = QString::fromLatin1(c.typed);
        for (QChar& ch : typed)
            ch = ch == u'.' ? QChar::fromLatin1(GetParam().decimal)
                            : ch == u',' ? QChar::fromLatin1(GetParam().group) : ch;
        presenter.shown.clear();
        type(c.field, typed);
        QTest::keyClick(c.field, Qt::Key_Tab);
        ASSERT_EQ(presenter.shown.size(), 1u) << row;
        EXPECT_EQ(presenter.shown[0].second, QStringLiteral("Wert mu\u00DF zwischen %1 liegen.").arg(local(c.bounds)))
            << row;
        c.field->selectAll();
        QTest::keyClick(c.field, Qt::Key_Escape);
        QTest::keyClick(c.field, Qt::Key_Tab);
        ASSERT_FALSE(c.field->hasFocus()) << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, DecimalFieldRange, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return info.param.decimal == ',' ? "German" : "Point"; });

} // namespace
} // namespace zelv::window_fakes
