#include "ElURLLabel.h"
#include "GTestQtPrinters.h"
#include "WindowTestDoubles.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace zelv {
namespace {

using window_fakes::RecordingBrowser;
using window_fakes::RecordingClipboard;

class ElURLLabelTest : public ::testing::Test {
protected:
    ElURLLabelTest() : label(QStringLiteral("multimap"), address)
    {
        label.setClipboard(&clipboard);
        label.setOpener([this](const QUrl& url) { browser(url); return true; });
        label.adjustSize();
        label.show();
    }

    QAction* menuAction(QMenu& menu, const QString& text)
    {
        for (QAction* action : menu.actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    const QUrl address{QStringLiteral("https://www.openstreetmap.org/")};
    RecordingClipboard clipboard;
    RecordingBrowser browser;
    TElURLLabel label;
};

TEST_F(ElURLLabelTest, LooksLikeALink)
{
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label.text(), QStringLiteral("multimap"));
}

TEST_F(ElURLLabelTest, LeftClickOpensTheAddress)
{
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), address);
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(ElURLLabelTest, OtherButtonsAndDragsOutsideOpenNothing)
{
    QTest::mouseClick(&label, Qt::MiddleButton);
    // Pressed on the label, released beside it: no click.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(label.width() + 20, 2));
    EXPECT_TRUE(browser.opened.isEmpty());
}

TEST_F(ElURLLabelTest, ContextMenuJumpsAndCopies)
{
    std::unique_ptr<QMenu> menu(label.createContextMenu());
    ASSERT_EQ(menu->actions().size(), 2);
    QAction* jump = menuAction(*menu, QStringLiteral("&Jump to URL"));
    QAction* copy = menuAction(*menu, QStringLiteral("&Copy URL"));
    ASSERT_NE(jump, nullptr);
    ASSERT_NE(copy, nullptr);

    copy->trigger();
    EXPECT_EQ(clipboard.text(), QStringLiteral("https://www.openstreetmap.org/"));
    EXPECT_TRUE(browser.opened.isEmpty());

    jump->trigger();
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), address);
}

TEST_F(ElURLLabelTest, ScreenReadersSeeALinkWithItsAddress)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&label);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Link);
    EXPECT_TRUE(accessible->state().linked);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("multimap"));
    EXPECT_EQ(accessible->text(QAccessible::Description), QStringLiteral("https://www.openstreetmap.org/"));

    // A new address is what the description, the press action and "Copy URL" give.
    const QUrl there(QStringLiteral("https://www.openstreetmap.org/?mlat=1.00000&mlon=2.00000#map=15/1.00000/2.00000"));
    label.setURL(there);
    label.setAccessibleName(QStringLiteral("Karte an der Position"));
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Karte an der Position"));
    EXPECT_EQ(accessible->text(QAccessible::Description), there.toString());
    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    actions->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), there);
    label.copyURL();
    EXPECT_EQ(clipboard.text(), there.toString());
}

} // namespace
} // namespace zelv
