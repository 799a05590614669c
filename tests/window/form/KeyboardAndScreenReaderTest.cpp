// Enter applies a numeric field as leaving it would; the links are reached
// and used by keyboard; a screen reader learns what a numeric field shows
// and that the zone field is a spin box.

#include "CurrEditTestFixture.h"
#include "HandlerWindowFixture.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QMenu>
#include <QTimer>

namespace zelv {
namespace {

using testing::CurrEditFixture;
using testing::laengeConfig;
using testing::gradConfig;
using testing::localeName;
using window_fakes::HandlerWindowTest;

class EnterKey : public CurrEditFixture {};

TEST_P(EnterKey, AppliesAsLeavingWouldAndKeepsTheFocus)
{
    configure(*field, laengeConfig);
    enterByKeyboard(field);
    QTest::keyClicks(field, loc("1234,50"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        events.clear();
        QTest::keyClick(field, key);
        EXPECT_EQ(count("exit"), 1) << key;
        EXPECT_EQ(presenter.shown.size(), 0u) << key;
        EXPECT_EQ(QApplication::focusWidget(), field) << key;
        EXPECT_EQ(field->Value(), 1234.5L) << key;
        // The canonical text, grouped while edited, all selected to type over.
        EXPECT_EQ(field->Text(), loc("1.234,5")) << key;
        EXPECT_EQ(field->selectedText(), field->Text()) << key;
    }
    // The next value is typed over the applied one.
    QTest::keyClicks(field, QStringLiteral("7"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->Value(), 7.0L);
    // Leaving afterwards is leaving as ever.
    events.clear();
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(count("exit"), 1);
    EXPECT_NE(QApplication::focusWidget(), field);
}

TEST_P(EnterKey, ARefusedValueKeepsItsMessageAndTheFocusAsOnTab)
{
    configure(*field, gradConfig);
    field->setValue(10);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].second, QStringLiteral("Wert mu\u00DF zwischen -180 und 180 liegen."));
    EXPECT_EQ(count("exit"), 0);
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(field->Text(), QStringLiteral("200"));
    EXPECT_EQ(field->selectedText(), QStringLiteral("200"));
    EXPECT_EQ(field->ShownText(), QStringLiteral("10")); // the stored value of before

    // A text that is no number: its own message, the same way.
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("+"));
    field->setText(QStringLiteral("+"));
    QTest::keyClick(field, Qt::Key_Enter);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[1].second, QStringLiteral("'+' ist kein g\u00FCltiger Gleitkommawert."));
    EXPECT_EQ(count("exit"), 0);
    EXPECT_EQ(QApplication::focusWidget(), field);
}

INSTANTIATE_TEST_SUITE_P(Locales, EnterKey, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

TEST_P(EnterKey, AScreenReaderGetsTheShownText)
{
    configure(*field, laengeConfig);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
    ASSERT_NE(accessible, nullptr);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    // Zero: an empty edit text, but 0,000000 on the screen.
    ASSERT_EQ(field->Text(), QString());
    EXPECT_EQ(text->text(0, text->characterCount()), loc("0,000000"));
    EXPECT_EQ(accessible->text(QAccessible::Value), loc("0,000000"));
    EXPECT_TRUE(accessible->state().editable);

    field->setValue(1234.5L);
    EXPECT_EQ(text->text(0, text->characterCount()), loc("1.234,500000"));
    EXPECT_EQ(text->text(2, 5), loc("234"));

    // While edited, the edit box shows the edit text, with its caret.
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("12"));
    EXPECT_EQ(text->text(0, text->characterCount()), QStringLiteral("12"));
    EXPECT_EQ(text->cursorPosition(), 2);
    field->selectAll();
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 2));
}

class ScreenReaderWindow : public HandlerWindowTest {};

TEST_F(ScreenReaderWindow, TheZoneFieldIsASpinBoxWithItsValueAndBounds)
{
    TF_Haupt& w = window();
    QAccessibleInterface* zone = QAccessible::queryAccessibleInterface(w.ElSE_Zone);
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(zone->role(), QAccessible::SpinBox);
    QAccessibleValueInterface* value = zone->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toInt(), 1);
    EXPECT_EQ(value->maximumValue().toInt(), 60);
    EXPECT_EQ(value->minimumStepSize().toInt(), 1);
    EXPECT_EQ(value->currentValue().toInt(), 1);
    w.ElSE_Zone->setValue(33);
    EXPECT_EQ(value->currentValue().toInt(), 33);
    ASSERT_NE(zone->textInterface(), nullptr);
    EXPECT_EQ(zone->textInterface()->text(0, 2), QStringLiteral("33"));
    // A screen reader's own setting goes through the field's clamp.
    value->setCurrentValue(75);
    EXPECT_EQ(w.ElSE_Zone->Value(), 60);
    EXPECT_EQ(w.ElSE_Zone->text(), QStringLiteral("60"));
}

TEST_F(ScreenReaderWindow, LinksOpenByEnterOrSpaceAndOfferTheirMenuByKey)
{
    std::vector<QUrl> opened;
    TF_Haupt& w = window();
    for (TElURLLabel* link : {w.ElURLLabel1, w.ElURLLabel2, w.ElURLLabel3})
        link->setOpener([&opened](const QUrl& url) { opened.push_back(url); return true; });

    // Tab from the clipboard button reaches the first link.
    w.BitBtn_Koordinaten_aus_Zwischenablage->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.ElURLLabel1);
    QTest::keyClick(w.ElURLLabel1, Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.ElURLLabel2);
    QTest::keyClick(w.ElURLLabel2, Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.BitBtn_Liste_umrechnen);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.ElURLLabel3);
    QTest::keyClick(w.ElURLLabel3, Qt::Key_Enter);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], w.ElURLLabel1->URL());
    EXPECT_EQ(opened[1], w.ElURLLabel2->URL());
    EXPECT_EQ(opened[2], w.ElURLLabel3->URL());

    // The context-menu key and Shift+F10 open the menu; its first entry opens.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
                                         std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        QStringList entries;
        QTimer::singleShot(0, [&entries] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    entries << action->text();
                menu->actions().front()->trigger();
                menu->close();
            }
        });
        QTest::keyClick(w.ElURLLabel3, key, modifiers);
        EXPECT_EQ(entries, QStringList({QStringLiteral("&Jump to URL"), QStringLiteral("&Copy URL")})) << key;
    }
    EXPECT_EQ(opened.size(), 5u);
    // A click opens the link without taking the focus.
    w.CE_Laenge->setFocus();
    QTest::mouseClick(w.ElURLLabel1, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 6u);
    EXPECT_EQ(w.focusWidget(), w.CE_Laenge);
}

TEST_F(ScreenReaderWindow, EnterInADecimalFieldRunsItsExitHandlerAndFollowers)
{
    TF_Haupt& w = window();
    type(w.CE_Laenge, QStringLiteral("10,769430"));
    QTest::keyClick(w.CE_Laenge, Qt::Key_Return);
    EXPECT_EQ(w.CE_Laenge_Grad->Text(), QStringLiteral("10"));
    EXPECT_EQ(w.CE_Laenge_Minuten->Text(), QStringLiteral("46"));
    EXPECT_EQ(w.CE_Laenge_Sekunden->Text(), QStringLiteral("9,9"));
    EXPECT_EQ(w.E_ZELV->text(), QStringLiteral("liegt bei 0.00000°N 10.76943°O;"));
    EXPECT_TRUE(w.CE_Laenge->hasFocus());
    EXPECT_EQ(presenter.shown.size(), 0u);

    // From degrees/minutes/seconds the other way.
    type(w.CE_Breite_Grad, QStringLiteral("50"));
    QTest::keyClick(w.CE_Breite_Grad, Qt::Key_Enter);
    EXPECT_EQ(w.CE_Breite->ShownText(), QStringLiteral("50,000000"));
    EXPECT_EQ(w.E_ZELV->text(), QStringLiteral("liegt bei 50.00000°N 10.76943°O;"));
    EXPECT_TRUE(w.CE_Breite_Grad->hasFocus());
}

} // namespace
} // namespace zelv
