// Leaving a numeric field: the exit check runs before the focus moves, and a
// failed one keeps the focus whichever way the focus tried to leave.

#include "CurrEditTestFixture.h"
#include "GTestQtPrinters.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QSpinBox>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

namespace zelv::testing {
namespace {

// The ways the focus tries to leave a field.  "Window" clicks go to the
// window as the window system delivers them; "direct" clicks are QTest's
// default, sent straight to the widget after Qt has moved the focus.
enum class Route { Tab, ShiftTab, ClickFieldWindow, ClickFieldDirect, ClickButtonWindow,
                   ClickButtonDirect, SetFocus };

struct RouteCase {
    Route route;
    const char* name;
    bool toButton;        // where the focus goes when the check passes
    bool checkedBefore;   // the check runs before Qt moves the focus at all
};

const RouteCase routes[] = {
    {Route::Tab, "Tab", false, true},
    {Route::ShiftTab, "Shift+Tab", true, true},
    {Route::ClickFieldWindow, "click on a field", false, true},
    {Route::ClickFieldDirect, "direct click on a field", false, false},
    {Route::ClickButtonWindow, "click on a button", true, true},
    {Route::ClickButtonDirect, "direct click on a button", true, false},
    {Route::SetFocus, "setFocus by the program", false, false},
};

class CurrEditLeaving : public CurrEditFixture {
protected:
    void leaveBy(Route route)
    {
        switch (route) {
        case Route::Tab:
            QTest::keyClick(field, Qt::Key_Tab);
            break;
        case Route::ShiftTab:
            QTest::keyClick(field, Qt::Key_Tab, Qt::ShiftModifier);
            break;
        case Route::ClickFieldWindow:
            clickThroughWindow(other);
            break;
        case Route::ClickFieldDirect:
            QTest::mouseClick(other, Qt::LeftButton);
            break;
        case Route::ClickButtonWindow:
            clickThroughWindow(button);
            break;
        case Route::ClickButtonDirect:
            QTest::mouseClick(button, Qt::LeftButton);
            break;
        case Route::SetFocus:
            other->setFocus(Qt::OtherFocusReason);
            break;
        }
    }

    // Sends a wheel turn to the window as the window system would.
    void wheelThroughWindow(QWidget* target)
    {
        const QPoint pos = target->mapTo(window.get(), target->rect().center());
        QWheelEvent wheel(pos, window->mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        qApp->notify(window->windowHandle(), &wheel);
    }
};

TEST_P(CurrEditLeaving, FailedCheckKeepsTheFocusOnEveryRoute)
{
    configure(*field, gradConfig);
    configure(*other, laengeConfig);
    for (const RouteCase& r : routes) {
        SCOPED_TRACE(r.name);
        field->setValue(10);
        enterByKeyboard(field);
        events.clear();
        presenter.shown.clear();
        QTest::keyClicks(field, QStringLiteral("200"));
        ASSERT_EQ(field->Text(), "200");

        int focusMoves = 0;
        const auto counter = QObject::connect(qApp, &QApplication::focusChanged,
                                              [&focusMoves] { ++focusMoves; });
        leaveBy(r.route);
        QObject::disconnect(counter);
        if (r.checkedBefore) {
            EXPECT_EQ(focusMoves, 0);
        }
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_EQ(field->Text(), "200");
        EXPECT_EQ(field->selectedText(), "200");
        EXPECT_EQ(field->ShownText(), "10");          // the stored value of before
        EXPECT_EQ(events, std::vector<std::string>{}); // no exit, no click, no entering elsewhere
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.shown[0].second, QString::fromUtf8("Wert mu\u00df zwischen -180 und 180 liegen."));
        EXPECT_EQ(presenter.shown[0].first, "ZELV-Derarar");

        // The field stays usable: a good number leaves by the same way, and
        // the field's exit comes before the button's click.
        QTest::keyClicks(field, QStringLiteral("-20"));
        leaveBy(r.route);
        EXPECT_EQ(QApplication::focusWidget(), r.toButton ? static_cast<QWidget*>(button) : other);
        EXPECT_EQ(field->Text(), "-20");
        EXPECT_EQ(field->Value(), -20);
        EXPECT_EQ(presenter.shown.size(), 1u);
        std::vector<std::string> expected{"exit"};
        if (r.route == Route::ClickButtonWindow || r.route == Route::ClickButtonDirect)
            expected.push_back("click");
        if (!r.toButton)
            expected.push_back("other enter");
        EXPECT_EQ(events, expected);
        button->setFocus();
    }
}

TEST_P(CurrEditLeaving, DoubleClickOnAButtonIsTwoAttempts)
{
    configure(*field, gradConfig);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));
    events.clear();
    int doubleClicks = 0;
    struct DoubleClickCounter : QObject {
        int& count;
        explicit DoubleClickCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            count += e->type() == QEvent::MouseButtonDblClick;
            return false;
        }
    } counter(doubleClicks);
    button->installEventFilter(&counter);
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       button->mapTo(window.get(), button->rect().center()));
    EXPECT_EQ(QApplication::focusWidget(), field);
    // One message per press; the double-click Qt makes of the second press
    // is no third attempt, and the button sees none of it.
    EXPECT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(doubleClicks, 0);
    EXPECT_EQ(events, std::vector<std::string>{});
}

TEST_P(CurrEditLeaving, AClickInsideTheFieldBeingEditedPlacesTheCaretWithoutAMessage)
{
    configure(*field, gradConfig);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));
    events.clear();
    // Through the window, where the exit guard looks at every press; at the
    // left edge of the text, so the caret goes before the first digit.
    for (const QPoint at : {QPoint(3, field->height() / 2), field->rect().center()}) {
        field->selectAll();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, field->mapTo(window.get(), at));
        EXPECT_EQ(presenter.shown.size(), 0u);
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_FALSE(field->hasSelectedText());
        EXPECT_EQ(field->Text(), QStringLiteral("200"));
        EXPECT_EQ(events, std::vector<std::string>{});
    }
    field->selectAll();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      field->mapTo(window.get(), QPoint(3, field->height() / 2)));
    EXPECT_EQ(field->cursorPosition(), 0);
}

TEST_P(CurrEditLeaving, ConversionAndRangeMessages)
{
    const struct {
        FieldConfig config;
        const char* typed;
        const char* message;
    } cases[] = {
        {sekundenConfig, "60", "Wert mu\u00df zwischen 0,0 und 59,9 liegen"},
        {gradConfig, "-181", "Wert mu\u00df zwischen -180 und 180 liegen"},
        {laengeConfig, "+", "'+' ist kein g\u00fcltiger Gleitkommawert"},
        {laengeConfig, "1e99999", "'1e99999' ist kein g\u00fcltiger Gleitkommawert"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        field->setValue(0);
        configure(*field, c.config);
        enterByKeyboard(field);
        presenter.shown.clear();
        field->setText(loc(c.typed));   // what typing would leave
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), field);
        ASSERT_EQ(presenter.shown.size(), 1u);
        // The default handling adds the full stop.
        EXPECT_EQ(presenter.shown[0].second, loc(c.message) + u'.');
        field->setText(QString());
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), other);
    }
}

TEST_P(CurrEditLeaving, WithoutCheckOnExitOnlyANonNumberKeepsTheFocus)
{
    configure(*field, gradConfig);
    field->setCheckOnExit(false);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(field->Text(), "180");              // clamped silently
    EXPECT_TRUE(presenter.shown.empty());

    enterByKeyboard(field);
    field->setText(QStringLiteral("+"));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(presenter.shown.size(), 1u);
}

TEST_P(CurrEditLeaving, WheelOnAWheelFocusWidgetIsSwallowed)
{
    auto* spin = new QSpinBox(window.get());
    spin->setGeometry(0, 0, 60, 24);
    spin->setRange(1, 60);
    spin->setFocusPolicy(Qt::WheelFocus);
    spin->show();
    configure(*field, gradConfig);
    field->move(0, 30);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));
    wheelThroughWindow(spin);
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(spin->value(), 1);
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(count("exit"), 0);

    QTest::keyClicks(field, QStringLiteral("20"));
    wheelThroughWindow(spin);
    EXPECT_EQ(QApplication::focusWidget(), spin);
    EXPECT_EQ(spin->value(), 2);
    EXPECT_EQ(count("exit"), 1);
    EXPECT_EQ(presenter.shown.size(), 1u);
}

TEST_P(CurrEditLeaving, DeactivationAndPopupsAreNoLeaving)
{
    configure(*field, gradConfig);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(field->Text(), "200");

    QContextMenuEvent menuRequest(QContextMenuEvent::Keyboard, field->rect().center(),
                                  field->mapToGlobal(field->rect().center()));
    QApplication::sendEvent(field, &menuRequest);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    menu->close();
    // The offscreen platform hands no activation back after a popup.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(count("exit"), 0);
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(field->Text(), "200");
    // Still in the field: leaving it now checks.
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), field);
}

TEST_P(CurrEditLeaving, FocusMovedWhileTheWindowWasInactiveIsChecked)
{
    configure(*field, gradConfig);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    other->setFocus();    // no focus events while the window is inactive
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(count("exit"), 0);
}

TEST_P(CurrEditLeaving, RealMessageBoxHandsTheFocusBack)
{
    // The error box is modal and opens while the press that wanted to leave
    // is being delivered; afterwards the field has the focus again.
    MessageBoxPresenter boxes;
    ExceptionHandler boxHandler(boxes, QStringLiteral("ZELV-Derarar"));
    field->setExceptionHandler(&boxHandler);
    configure(*field, gradConfig);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));
    events.clear();
    QStringList shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->accept();
        }
    });
    closer.start(10);

    clickThroughWindow(button);
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == field; }));
    EXPECT_EQ(shown, QStringList{QString::fromUtf8("Wert mu\u00df zwischen -180 und 180 liegen.")});
    EXPECT_EQ(field->selectedText(), "200");
    EXPECT_EQ(count("click"), 0);

    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == field; }));
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(count("exit"), 0);

    QTest::keyClicks(field, QStringLiteral("20"));
    clickThroughWindow(button);
    EXPECT_EQ(QApplication::focusWidget(), button);
    EXPECT_EQ(events, (std::vector<std::string>{"exit", "click"}));
    EXPECT_EQ(shown.size(), 2);
}

// The routes on which the focus has gone before the check runs: after the
// modal box the window is active again only a moment later, and the field
// must still hold the typed text then.  (It used to count itself left and
// re-render the old value on the re-activation; found by the window soak,
// seed 1.)
TEST_P(CurrEditLeaving, RealMessageBoxKeepsTheTypedTextWhenTheFocusHadGone)
{
    MessageBoxPresenter boxes;
    ExceptionHandler boxHandler(boxes, QStringLiteral("ZELV-Derarar"));
    field->setExceptionHandler(&boxHandler);
    configure(*field, gradConfig);
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    closer.start(10);
    for (const Route route : {Route::SetFocus, Route::ClickFieldDirect, Route::ClickButtonDirect}) {
        SCOPED_TRACE(int(route));
        field->setValue(10);
        enterByKeyboard(field);
        QTest::keyClicks(field, QStringLiteral("200"));
        events.clear();
        leaveBy(route);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_EQ(field->Text(), "200");
        EXPECT_EQ(field->selectedText(), "200");
        EXPECT_EQ(field->ShownText(), "10");
        EXPECT_EQ(events, std::vector<std::string>{});
        field->setText(QString());
        button->setFocus();
    }
}

// Two boxes in a row, one per press of a double click: the typed text is
// still all selected afterwards.  (The window's re-activation after the
// first box used to deselect it while the second box was open; found by the
// window soak, seed 1.)
TEST_P(CurrEditLeaving, RealMessageBoxesOfADoubleClickKeepTheTextSelected)
{
    MessageBoxPresenter boxes;
    ExceptionHandler boxHandler(boxes, QStringLiteral("ZELV-Derarar"));
    field->setExceptionHandler(&boxHandler);
    configure(*field, gradConfig);
    int shown = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++shown;
            box->accept();
        }
    });
    closer.start(10);
    enterByKeyboard(field);
    QTest::keyClicks(field, QStringLiteral("200"));
    events.clear();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       button->mapTo(window.get(), button->rect().center()));
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(20);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(field->selectedText(), "200");
    EXPECT_EQ(events, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Locales, CurrEditLeaving, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return localeName(info.param); });

} // namespace
} // namespace zelv::testing
