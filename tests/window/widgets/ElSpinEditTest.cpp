#include "ElSpinEdit.h"
#include "GTestQtPrinters.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <climits>
#include <gtest/gtest.h>

namespace zelv {
namespace {

// The zone field as the window sets it up (1..60), with a neighbour to leave to.
class ElSpinEditTest : public ::testing::Test {
protected:
    ElSpinEditTest()
    {
        auto* layout = new QVBoxLayout(&window);
        zone = new TElSpinEdit(&window);
        zone->setMinValue(1);
        zone->setMaxValue(60);
        zone->setValue(1);
        neighbour = new QLineEdit(&window);
        layout->addWidget(zone);
        layout->addWidget(neighbour);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        zone->setFocus();
    }

    // The value v with its text, focus in the field, caret at `caret` (-1: all selected).
    void start(int v, int caret)
    {
        zone->setValue(v);
        zone->setText(QString::number(v));
        zone->setFocus();
        if (caret < 0)
            zone->selectAll();
        else
            zone->setCursorPosition(caret);
    }

    void wheel(int angle)
    {
        const QPointF at(zone->width() / 2.0, zone->height() / 2.0);
        QWheelEvent event(at, zone->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(zone, &event);
    }

    QWidget window;
    TElSpinEdit* zone = nullptr;
    QLineEdit* neighbour = nullptr;
};

TEST_F(ElSpinEditTest, WritingClampsAndShowsTheDigits)
{
    const struct {
        int written;
        int value;
    } cases[] = {{32, 32}, {60, 60}, {61, 60}, {0, 1}, {-5, 1}, {INT_MAX, 60}, {INT_MIN, 1}, {1, 1}};
    for (const auto& c : cases) {
        zone->setValue(17);
        zone->setValue(c.written);
        EXPECT_EQ(zone->Value(), c.value) << c.written;
        EXPECT_EQ(zone->text(), QString::number(c.value)) << c.written;
    }
    // By name, as the settings store writes it.
    ASSERT_TRUE(zone->setProperty("Value", 99));
    EXPECT_EQ(zone->property("Value").toInt(), 60);
}

TEST_F(ElSpinEditTest, WritingTheSameValueLeavesTheText)
{
    zone->setValue(33);
    zone->setText(QString());
    zone->setValue(33);
    EXPECT_EQ(zone->text(), QString());
}

TEST_F(ElSpinEditTest, NewBoundsClampAtOnce)
{
    zone->setValue(50);
    zone->setMaxValue(40);
    EXPECT_EQ(zone->Value(), 40);
    EXPECT_EQ(zone->text(), QStringLiteral("40"));
    zone->setMinValue(45);
    EXPECT_EQ(zone->Value(), 45);
}

TEST_F(ElSpinEditTest, TypingFilterAndPutBack)
{
    const struct {
        int value;       // value and text before typing
        int caret;       // -1: whole text selected
        const char* typed;
        const char* text;
        int result;
        int caretAfter;  // -1: not checked
    } cases[] = {
        {5, -1, "12", "12", 12, 2},
        {5, -1, "1a2", "12", 12, 2},      // letters are dropped
        {5, -1, "7x.,+ ", "7", 7, 1},
        {5, -1, "-", "-", 5, 1},          // a lone sign waits, the value stays
        {5, -1, "-5", "5", 5, 1},         // no negative zone: back to the last value
        {5, -1, "0", "5", 5, 1},          // 0 is out of range: put back, caret where it was
        {5, -1, "61", "6", 6, 1},         // the 1 would make 61
        {5, 1, "-", "5", 5, 1},           // a sign only at the start
        {5, 0, "-", "5", 5, 0},           // at the start, but -5 is out of range
        {25, 1, "9", "25", 25, 1},        // 295 refused, the caret stays between 2 and 5
        {25, 2, "0", "25", 25, 2},
        {2, 0, "3", "32", 32, 1},
        {5, 1, "5", "55", 55, 2},
        {5, -1, "60", "60", 60, 2},       // exactly the maximum is taken
        {5, -1, "1", "1", 1, 1},          // and exactly the minimum
    };
    for (const auto& c : cases) {
        start(c.value, c.caret);
        QTest::keyClicks(zone, QString::fromLatin1(c.typed));
        EXPECT_EQ(zone->text(), QString::fromLatin1(c.text)) << c.value << " + " << c.typed;
        EXPECT_EQ(zone->Value(), c.result) << c.value << " + " << c.typed;
        if (c.caretAfter >= 0) {
            EXPECT_EQ(zone->cursorPosition(), c.caretAfter) << c.value << " + " << c.typed;
        }
    }
}

TEST_F(ElSpinEditTest, BackspaceToEmptyKeepsTheValue)
{
    start(12, 2);
    QTest::keyClick(zone, Qt::Key_Backspace);
    EXPECT_EQ(zone->text(), QStringLiteral("1"));
    EXPECT_EQ(zone->Value(), 1);
    start(12, 2);
    QTest::keyClick(zone, Qt::Key_Backspace);
    QTest::keyClick(zone, Qt::Key_Backspace);
    EXPECT_EQ(zone->text(), QString());
    EXPECT_EQ(zone->Value(), 1); // 1 was taken on the way
}

TEST_F(ElSpinEditTest, PasteGoesThroughTheSameRule)
{
    start(20, -1);
    QApplication::clipboard()->setText(QStringLiteral("45"));
    zone->paste();
    EXPECT_EQ(zone->Value(), 45);
    start(20, -1);
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(zone, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(zone->text(), QStringLiteral("20"));
    EXPECT_EQ(zone->Value(), 20);
}

TEST_F(ElSpinEditTest, ArrowAndPageKeys)
{
    const struct {
        int value;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int result;
    } cases[] = {
        {5, Qt::Key_Up, Qt::NoModifier, 6},
        {5, Qt::Key_Down, Qt::NoModifier, 4},
        {5, Qt::Key_PageUp, Qt::NoModifier, 15},
        {15, Qt::Key_PageDown, Qt::NoModifier, 5},
        {5, Qt::Key_PageDown, Qt::NoModifier, 1},  // clamped
        {55, Qt::Key_PageUp, Qt::NoModifier, 60},
        {60, Qt::Key_Up, Qt::NoModifier, 60},
        {1, Qt::Key_Down, Qt::NoModifier, 1},
        {5, Qt::Key_Up, Qt::KeypadModifier, 6},    // the number pad's arrows too
        {5, Qt::Key_Up, Qt::ShiftModifier, 5},     // with Shift, Ctrl or Alt: no step
        {5, Qt::Key_Down, Qt::ControlModifier, 5},
        {5, Qt::Key_PageUp, Qt::AltModifier, 5},
    };
    for (const auto& c : cases) {
        start(c.value, 0);
        QTest::keyClick(zone, c.key, c.modifiers);
        EXPECT_EQ(zone->Value(), c.result) << c.value << " key " << c.key;
        EXPECT_EQ(zone->text(), QString::number(c.result)) << c.value << " key " << c.key;
    }
    // After a step the caret stands at the end.
    start(15, 0);
    QTest::keyClick(zone, Qt::Key_Up);
    EXPECT_EQ(zone->cursorPosition(), 2);
    EXPECT_FALSE(zone->hasSelectedText());
}

TEST_F(ElSpinEditTest, ButtonsStepTakeTheFocusAndSelectAll)
{
    zone->setValue(10);
    neighbour->setFocus();
    ASSERT_FALSE(zone->hasFocus());

    QTest::mouseClick(zone->upButton(), Qt::LeftButton);
    EXPECT_EQ(zone->Value(), 11);
    EXPECT_TRUE(zone->hasFocus());
    EXPECT_EQ(zone->selectedText(), QStringLiteral("11"));

    neighbour->setFocus();
    QTest::mouseClick(zone->downButton(), Qt::LeftButton);
    QTest::mouseClick(zone->downButton(), Qt::LeftButton);
    EXPECT_EQ(zone->Value(), 9);
    EXPECT_EQ(zone->selectedText(), QStringLiteral("9"));

    zone->setValue(60);
    QTest::mouseClick(zone->upButton(), Qt::LeftButton);
    EXPECT_EQ(zone->Value(), 60);
}

TEST_F(ElSpinEditTest, WheelStepsBySystemScrollLines)
{
    const int saved = QApplication::wheelScrollLines();
    const struct {
        int lines;
        int angle;
        int result;
    } cases[] = {
        {3, 120, 23}, {3, -120, 17}, {2, 240, 24},
        {3, 60, 20},                                            // half a notch waits
        {3, 1200, 50},
    };
    for (const auto& c : cases) {
        QApplication::setWheelScrollLines(c.lines);
        zone->setValue(20);
        wheel(c.angle);
        EXPECT_EQ(zone->Value(), c.result) << c.lines << " lines, angle " << c.angle;
        wheel(-c.angle); // takes back a half notch left over
    }
    // Notch after notch in one direction: each one counts.
    QApplication::setWheelScrollLines(2);
    zone->setValue(20);
    for (int notch = 0; notch < 3; ++notch)
        wheel(120);
    EXPECT_EQ(zone->Value(), 26);
    for (int notch = 0; notch < 4; ++notch)
        wheel(-120);
    EXPECT_EQ(zone->Value(), 18);
    QApplication::setWheelScrollLines(3);
    zone->setValue(20);
    wheel(60);
    wheel(60);
    EXPECT_EQ(zone->Value(), 23); // two half notches make one
    QApplication::setWheelScrollLines(saved);
}

TEST_F(ElSpinEditTest, LeavingSettlesTheText)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"", 1}, {"abc", 1}, {"-", 1}, {"99", 60}, {"0", 1}, {"-3", 1}, {"07", 7}, {"45", 45},
        {"99999999999", 1}, // beyond a whole number's range: no number at all
    };
    for (const auto& c : cases) {
        zone->setValue(30);
        zone->setFocus();
        zone->setText(QString::fromLatin1(c.text));
        QTest::keyClick(zone, Qt::Key_Tab);
        ASSERT_TRUE(neighbour->hasFocus()) << c.text;
        EXPECT_EQ(zone->Value(), c.value) << c.text;
        EXPECT_EQ(zone->text(), QString::number(c.value)) << c.text;
    }
}

// The focus moved on while another window was in front: Qt tells the field
// nothing, yet it has been left and settles when its window comes back.
// (It used to keep "07" beside the value 7; found by the window soak, seed 1.)
TEST_F(ElSpinEditTest, LeftWhileTheWindowWasInactiveSettlesTheText)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{"07", 7}, {"", 1}};
    for (const auto& c : cases) {
        zone->setValue(30);
        zone->setFocus();
        zone->setText(QString::fromLatin1(c.text));
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
        neighbour->setFocus();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_TRUE(neighbour->hasFocus()) << c.text;
        EXPECT_EQ(zone->Value(), c.value) << c.text;
        EXPECT_EQ(zone->text(), QString::number(c.value)) << c.text;
    }
}

} // namespace
} // namespace zelv
