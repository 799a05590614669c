// The numeric field's rules without a widget, as tables under both locales.

#include "Exception.h"
#include "InLocale.h"
#include "NumericFieldModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace zelv {
namespace {

// The settings of the main window's fields that the tables use.
struct Field {
    const char* name;
    unsigned decimalPlaces;
    const char* displayFormat;
    Extended minValue;
    Extended maxValue;
    bool keepsSignOfZero;
};

const Field laenge{"CE_Laenge", 6, ",0.000000", 0, 0, false};
const Field grad{"CE_Laenge_Grad", 0, ",0", -180, 180, true};
const Field laengeMinuten{"CE_Laenge_Minuten", 0, "0", 0, 59, false};
const Field breiteMinuten{"CE_Breite_Minuten", 0, ",0", 0, 59, false};
const Field sekunden{"CE_Laenge_Sekunden", 1, ",0.0", 0, 59.9L, false};
const Field rechts{"CE_Rechts", 0, "########", 0, 0, false};
const Field tmercKm{"CE_TMERC_Rechts in km", 3, "#0.000", 0, 0, false};

NumericFieldModel model(const Field& field, Separators separators)
{
    NumericFieldModel m(separators);
    m.setCheckOnExit(true);
    m.setDecimalPlaces(field.decimalPlaces);
    m.setDisplayFormat(field.displayFormat);
    m.setMinValue(field.minValue);
    m.setMaxValue(field.maxValue);
    m.setKeepsSignOfZero(field.keepsSignOfZero);
    return m;
}

// What the exit check says about a text: "" when it passes.
std::string exitMessage(const NumericFieldModel& m, const std::string& text)
{
    try {
        m.checkExit(text);
        return {};
    } catch (const Exception& e) {
        return e.message();
    }
}

class NumericFieldModelTest : public ::testing::TestWithParam<Separators> {
protected:
    std::string loc(const char* german) const { return inLocale(german, GetParam()); }
    NumericFieldModel model(const Field& field) const { return zelv::model(field, GetParam()); }
};

TEST_P(NumericFieldModelTest, WrittenValuesAndTheirTexts)
{
    const struct {
        const Field& field;
        Extended written;
        const char* editText;
        const char* shownText;
        Extended readBack;   // from the edit text
    } cases[] = {
        {laenge, 10.7694306L, "10,769431", "10,769431", 10.769431L},
        {laenge, 0, "", "0,000000", 0},
        {laenge, 1234567, "1234567", "1.234.567,000000", 1234567},
        {rechts, 0, "", "", 0},
        {rechts, 5478123.6L, "5478124", "5478124", 5478124},
        {laengeMinuten, 0, "", "0", 0},
        {grad, 200, "180", "180", 180},          // clamped silently
        {grad, -13, "-13", "-13", -13},
        {sekunden, 59.96L, "59,9", "59,9", 59.9L},
        {breiteMinuten, -5, "", "0", 0},
        {tmercKm, 6525.123L, "6525,123", "6525,123", 6525.123L},
        {tmercKm, 6525, "6525", "6525,000", 6525},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.field.name << " <- " << static_cast<double>(c.written));
        NumericFieldModel m = model(c.field);
        EXPECT_TRUE(m.setValue(c.written));
        EXPECT_EQ(m.editText(), loc(c.editText));
        EXPECT_EQ(m.shownText(), loc(c.shownText));
        EXPECT_EQ(m.readTextOrMinValue(m.editText()), c.readBack);
    }
}

TEST_P(NumericFieldModelTest, SignOfZeroOnlyForTheDegreesOfAnAngle)
{
    // A "-" typed and left, the signed zero written by the program, and a
    // zero typed with its sign: only a degree field keeps the "-0", which
    // carries the sign of an angle between -1 and 0 degrees.
    const struct {
        const Field& field;
        const char* typed;   // nullptr: -0 written to the value
        const char* editText;
        const char* shownText;
    } cases[] = {
        {grad, "-", "-0", "-0"},
        {grad, nullptr, "-0", "-0"},
        {grad, "-0", "-0", "-0"},
        {breiteMinuten, "-", "", "0"},
        {laengeMinuten, "-", "", "0"},
        {sekunden, "-", "", "0,0"},
        {sekunden, "-0,0", "", "0,0"},
        {laenge, "-", "", "0,000000"},
        {laenge, nullptr, "", "0,000000"},
        {laenge, "-0,000000", "", "0,000000"},
        {rechts, "-", "", ""},
        {rechts, nullptr, "", ""},
        {tmercKm, "-", "", "0,000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.field.name << " <- " << (c.typed ? c.typed : "-0.0L"));
        NumericFieldModel m = model(c.field);
        if (c.typed) {
            EXPECT_EQ(exitMessage(m, loc(c.typed)), "");
            m.readText(loc(c.typed));
        } else {
            m.setValue(-0.0L);
        }
        EXPECT_EQ(m.value(), 0);
        EXPECT_EQ(std::signbit(m.value()), c.field.keepsSignOfZero);
        EXPECT_EQ(m.editText(), loc(c.editText));
        EXPECT_EQ(m.shownText(), loc(c.shownText));
        const Extended back = m.readTextOrMinValue(m.editText());
        EXPECT_EQ(std::signbit(back), c.field.keepsSignOfZero);
    }
}

TEST_P(NumericFieldModelTest, PositiveZeroKeepsTheZeroEmptyRuleInADegreeField)
{
    NumericFieldModel m = model(grad);
    m.setValue(-0.0L);
    m.setValue(0.0L);
    EXPECT_EQ(m.editText(), "");
    EXPECT_EQ(m.shownText(), "0");
    EXPECT_FALSE(std::signbit(m.readTextOrMinValue(m.editText())));
    // The sign goes when the field stops keeping it.
    m.setValue(-0.0L);
    EXPECT_TRUE(m.setKeepsSignOfZero(false));
    EXPECT_FALSE(std::signbit(m.value()));
    EXPECT_EQ(m.editText(), "");
}

TEST_P(NumericFieldModelTest, StoredValueKeepsItsDigitsUntilRead)
{
    // The unit switch writes Value before DecimalPlaces: the edit text is
    // rounded, the stored value is not.
    NumericFieldModel m = model(rechts);
    m.setValue(6525.123L);
    EXPECT_EQ(m.editText(), "6525");
    EXPECT_TRUE(m.setDecimalPlaces(3));
    EXPECT_EQ(m.editText(), loc("6525,123"));
    // A read in between commits the rounded edit text.
    m.setDecimalPlaces(0);
    EXPECT_EQ(m.readTextOrMinValue(m.editText()), 6525);
    m.setDecimalPlaces(3);
    EXPECT_EQ(m.editText(), "6525");
}

TEST_P(NumericFieldModelTest, NonFiniteWritesAreIgnored)
{
    NumericFieldModel m = model(laenge);
    m.setValue(5);
    for (Extended bad : {std::numeric_limits<Extended>::infinity(), -std::numeric_limits<Extended>::infinity(),
                         std::numeric_limits<Extended>::quiet_NaN()}) {
        EXPECT_FALSE(m.setValue(bad));
        EXPECT_EQ(m.editText(), "5");
        EXPECT_EQ(m.shownText(), loc("5,000000"));
        EXPECT_EQ(m.value(), 5);
    }
}

TEST_P(NumericFieldModelTest, TextsReadIntoTheStoredValue)
{
    NumericFieldModel m = model(grad);
    m.readText(loc("1.234,5"));              // group separator and decimals
    EXPECT_EQ(m.value(), 180);                // clamped, no error
    m.setMaxValue(0);
    m.setMinValue(0);
    m.readText(loc("1.234,5"));
    EXPECT_EQ(m.value(), 1234.5L);
    EXPECT_EQ(m.editText(), "1235");         // rounded to no decimals
    try {
        m.readText(" abc ");
        ADD_FAILURE() << "no conversion error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'abc' ist kein g\xFCltiger Gleitkommawert");
    }
    EXPECT_EQ(m.value(), 1234.5L);            // the stored value of before
    m.readText("");
    EXPECT_EQ(m.value(), 0);
    EXPECT_EQ(m.editText(), "");
}

TEST_P(NumericFieldModelTest, ReadingANonNumberGivesMinValue)
{
    NumericFieldModel m = model(grad);
    m.setValue(12);
    EXPECT_EQ(m.readTextOrMinValue("+"), -180);
    EXPECT_EQ(m.value(), -180);
    EXPECT_EQ(m.shownText(), "-180");
}

TEST_P(NumericFieldModelTest, ExitCheck)
{
    const struct {
        const Field& field;
        const char* text;
        const char* message;   // "" when the check passes
    } cases[] = {
        {sekunden, "60", "Wert mu\xDF zwischen 0,0 und 59,9 liegen"},
        {sekunden, "59,9", ""},
        {grad, "-181", "Wert mu\xDF zwischen -180 und 180 liegen"},
        {grad, "1.234", "Wert mu\xDF zwischen -180 und 180 liegen"},   // grouped while typing
        {breiteMinuten, "75", "Wert mu\xDF zwischen 0 und 59 liegen"},
        {breiteMinuten, "-", ""},
        {laenge, "+", "'+' ist kein g\xFCltiger Gleitkommawert"},
        {laenge, "1e99999", "'1e99999' ist kein g\xFCltiger Gleitkommawert"},
        {laenge, "", ""},
        {laenge, "1e", ""},
        {rechts, "99999999999", ""},                                  // 0..0: no range
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.field.name << " " << c.text);
        NumericFieldModel m = model(c.field);
        m.setValue(7);
        EXPECT_EQ(exitMessage(m, loc(c.text)), loc(c.message));
        EXPECT_EQ(m.value(), 7);                 // the check stores nothing
        m.setCheckOnExit(false);
        EXPECT_EQ(exitMessage(m, loc(c.text)), "");
    }
}

TEST_P(NumericFieldModelTest, TypingAcceptance)
{
    const struct {
        const Field& field;
        const char* candidate;
        bool accepted;
    } cases[] = {
        {laenge, "1,123456", true},
        {laenge, "1,1234567", false},     // a seventh decimal
        {grad, "12,", true},              // a separator with no decimals allowed
        {grad, "12,5", false},
        {breiteMinuten, "-", true},       // a minus in a field from 0
        {breiteMinuten, "-5", false},
        {grad, "-5", true},
        {laenge, "+", false},             // a lone "+" is no number
        {laenge, "+5", true},
        {laenge, ",", true},
        {laenge, "1e5", true},
        {laenge, "1a", false},
        {sekunden, "59,95", false},
        {sekunden, "75", true},           // the range is the exit check's
    };
    for (const auto& c : cases)
        EXPECT_EQ(model(c.field).acceptsTyping(loc(c.candidate)), c.accepted)
            << c.field.name << " " << c.candidate;
}

TEST_P(NumericFieldModelTest, TypedSeparatorKeys)
{
    const Separators s = GetParam();
    const NumericFieldModel m = model(laenge);
    EXPECT_EQ(m.typedCharacter(s.decimal), s.decimal);
    EXPECT_EQ(m.typedCharacter(s.group), s.group);        // stays the group key
    EXPECT_EQ(m.typedCharacter('5'), '5');
    // A locale whose group separator is neither key takes both as decimal.
    NumericFieldModel blankGroup(Separators{s.decimal, '\xA0'});
    EXPECT_EQ(blankGroup.typedCharacter('.'), s.decimal);
    EXPECT_EQ(blankGroup.typedCharacter(','), s.decimal);
}

TEST_P(NumericFieldModelTest, RegroupedWhileTyping)
{
    const struct {
        const Field& field;
        const char* typed;
        const char* shown;
    } cases[] = {
        {laenge, "1234567", "1.234.567"},
        {laenge, "1.234.5678", "12.345.678"},   // the group key vanishes
        {laenge, "10.5", "105"},
        {laenge, "0012", "0.012"},            // leading zeros count
        {laenge, "-1234,5", "-1.234,5"},
        {laenge, "1234e5", "1.234e5"},
        {laenge, "", ""},                     // no "0" the user did not type
        {laenge, "-", "-"},
        {laenge, " 12 ", "12"},
        {rechts, "1234567", "1234567"},       // a pattern without "," groups nothing
        {tmercKm, "6525,5", "6525,5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(model(c.field).regrouped(loc(c.typed)), loc(c.shown)) << c.field.name << " " << c.typed;
}

TEST_P(NumericFieldModelTest, SettingsApplyToTheStoredValue)
{
    NumericFieldModel m = model(grad);
    m.setValue(100);
    EXPECT_TRUE(m.setMaxValue(50));
    EXPECT_EQ(m.value(), 50);
    EXPECT_EQ(m.editText(), "50");
    EXPECT_FALSE(m.setMaxValue(50));
    EXPECT_FALSE(m.setMinValue(std::numeric_limits<Extended>::quiet_NaN()));
    EXPECT_EQ(m.minValue(), -180);
    EXPECT_FALSE(m.setDecimalPlaces(0));
    m.setValue(0);
    EXPECT_TRUE(m.setZeroEmpty(false));
    EXPECT_EQ(m.editText(), "0");
    EXPECT_TRUE(m.setZeroEmpty(true));
    EXPECT_EQ(m.editText(), "");
    EXPECT_TRUE(m.setDisplayFormat("0.00"));
    EXPECT_FALSE(m.setDisplayFormat("0.00"));
    EXPECT_EQ(m.shownText(), loc("0,00"));
    m.setDisplayFormat("");
    m.setValue(12.25L);
    EXPECT_EQ(m.editText(), "12");
    EXPECT_EQ(m.shownText(), loc("12,25"));   // from the stored value, not the edit text
}

INSTANTIATE_TEST_SUITE_P(Locales, NumericFieldModelTest, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

// ---- Reading and rendering again --------------------------------------------
//
// The model remembers the last text it read and the last text it made, so
// that reading or writing the same again costs nothing.  What it remembers
// must never outlive what it depends on: the edit text, the bounds, the
// decimal places and the sign of zero.

TEST(NumericFieldModelReread, EveryReadFollowsTheEditText)
{
    NumericFieldModel m(germanSeparators);
    m.setKeepsSignOfZero(true);
    m.setDecimalPlaces(2);
    const struct {
        const char* text;
        Extended value;
    } reads[] = {{"12,5", 12.5L}, {"13", 13}, {"12,5", 12.5L}, {"", 0}, {"-0", -0.0L}, {"12,5", 12.5L}, {"0", 0}};
    for (const auto& read : reads) {
        for (int again = 0; again < 2; ++again) {
            const Extended value = m.readTextOrMinValue(read.text);
            EXPECT_EQ(value, read.value) << read.text;
            EXPECT_EQ(std::signbit(value), std::signbit(read.value)) << read.text;
        }
    }
}

TEST(NumericFieldModelReread, TheSameTextIsClampedToTheBoundsOfTheRead)
{
    NumericFieldModel m = model(grad, germanSeparators);
    EXPECT_EQ(m.readTextOrMinValue("500"), 180);
    m.setMaxValue(400);
    EXPECT_EQ(m.readTextOrMinValue("500"), 400);
    m.setMaxValue(0);
    m.setMinValue(0);
    EXPECT_EQ(m.readTextOrMinValue("500"), 500);
}

TEST(NumericFieldModelReread, ANonNumberGivesTheMinValueOfEachRead)
{
    NumericFieldModel m = model(grad, germanSeparators);
    EXPECT_EQ(m.readTextOrMinValue("12"), 12);
    EXPECT_EQ(m.readTextOrMinValue("+"), -180);
    EXPECT_EQ(m.readTextOrMinValue("+"), -180);
    m.setMinValue(-90);
    EXPECT_EQ(m.readTextOrMinValue("+"), -90);
    EXPECT_THROW(m.readText("+"), EConvertError);
}

TEST(NumericFieldModelReread, RenderingFollowsValueSignAndDecimals)
{
    NumericFieldModel m(germanSeparators);
    m.setKeepsSignOfZero(true);
    m.setZeroEmpty(false);
    m.setDecimalPlaces(2);
    m.setValue(-0.0L);
    EXPECT_EQ(m.editText(), "-0");
    m.setValue(0.0L);
    EXPECT_EQ(m.editText(), "0");
    m.setValue(-0.0L);
    EXPECT_EQ(m.editText(), "-0");

    m.setValue(6525.125L);
    EXPECT_EQ(m.editText(), "6525,13");
    m.setDecimalPlaces(3);
    EXPECT_EQ(m.editText(), "6525,125");
    m.setDecimalPlaces(2);
    EXPECT_EQ(m.editText(), "6525,13");

    // A text read gives way to the stored value written again.
    m.readText("7");
    EXPECT_EQ(m.editText(), "7");
    m.setValue(6525.125L);
    EXPECT_EQ(m.editText(), "6525,13");
}

} // namespace
} // namespace zelv
