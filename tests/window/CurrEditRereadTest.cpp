// A field remembers the last text it read and the last text it rendered, so
// that reading or writing it again costs nothing.  What it remembers must
// never outlive what it depends on: the edit text, the bounds, the decimal
// places and the sign of zero.

#include "CurrEdit.h"
#include "Exception.h"
#include "GTestQtPrinters.h"

#include <QString>
#include <gtest/gtest.h>

#include <cmath>

namespace zelv {
namespace {

TEST(CurrEditReread, EveryReadFollowsTheEditText)
{
    TCurrencyEdit field(germanSeparators);
    field.setDecimalPlaces(2);
    const struct {
        const char* text;
        long double value;
    } reads[] = {{"12,5", 12.5L}, {"13", 13}, {"12,5", 12.5L}, {"", 0}, {"-0", -0.0L}, {"12,5", 12.5L}, {"0", 0}};
    for (const auto& read : reads) {
        field.setText(QString::fromLatin1(read.text));   // as typing leaves it
        for (int again = 0; again < 2; ++again) {
            const long double value = field.Value();
            EXPECT_EQ(value, read.value) << read.text;
            EXPECT_EQ(std::signbit(value), std::signbit(read.value)) << read.text;
        }
    }
}

TEST(CurrEditReread, TheSameTextIsClampedToTheBoundsOfTheRead)
{
    TCurrencyEdit field(germanSeparators);
    field.setDecimalPlaces(0);
    field.setMinValue(-180);
    field.setMaxValue(180);
    field.setText(QStringLiteral("500"));
    EXPECT_EQ(field.Value(), 180);
    field.setMaxValue(400);                      // renders the stored 180
    field.setText(QStringLiteral("500"));
    EXPECT_EQ(field.Value(), 400);
    field.setMaxValue(0);
    field.setMinValue(0);
    field.setText(QStringLiteral("500"));
    EXPECT_EQ(field.Value(), 500);
}

TEST(CurrEditReread, ANonNumberGivesTheMinValueOfEachRead)
{
    TCurrencyEdit field(germanSeparators);
    field.setDecimalPlaces(0);
    field.setMinValue(-180);
    field.setMaxValue(180);
    field.setText(QStringLiteral("12"));
    EXPECT_EQ(field.Value(), 12);
    field.setText(QStringLiteral("+"));
    EXPECT_EQ(field.Value(), -180);
    EXPECT_EQ(field.Value(), -180);
    field.setMinValue(-90);                      // renders the stored -180 as -90
    field.setText(QStringLiteral("+"));
    EXPECT_EQ(field.Value(), -90);
    EXPECT_THROW(field.SetText(QStringLiteral("+")), EConvertError);
}

TEST(CurrEditReread, RenderingFollowsValueSignAndDecimals)
{
    TCurrencyEdit field(germanSeparators);
    field.setZeroEmpty(false);
    field.setDecimalPlaces(2);
    field.setValue(-0.0L);
    EXPECT_EQ(field.Text(), "-0");
    field.setValue(0.0L);
    EXPECT_EQ(field.Text(), "0");
    field.setValue(-0.0L);
    EXPECT_EQ(field.Text(), "-0");

    field.setValue(6525.125L);
    EXPECT_EQ(field.Text(), "6525,13");
    field.setDecimalPlaces(3);
    EXPECT_EQ(field.Text(), "6525,125");
    field.setDecimalPlaces(2);
    EXPECT_EQ(field.Text(), "6525,13");

    // A typed text gives way to the stored value written again.
    field.setText(QStringLiteral("7"));
    field.setValue(6525.125L);
    EXPECT_EQ(field.Text(), "6525,13");
}

} // namespace
} // namespace zelv
