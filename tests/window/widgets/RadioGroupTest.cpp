#include "GTestQtPrinters.h"
#include "RadioGroup.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace zelv {
namespace {

class RadioGroupTest : public ::testing::Test {
protected:
    RadioGroupTest() : group({QStringLiteral("km"), QStringLiteral("m")}, 2), clicks(&group, &TRadioGroup::OnClick)
    {
        group.resize(97, 33);
        group.show();
    }

    int marked() const
    {
        int index = -1;
        for (int i = 0; i < group.count(); ++i) {
            if (group.button(i)->isChecked()) {
                EXPECT_EQ(index, -1) << "two buttons marked";
                index = i;
            }
        }
        return index;
    }

    TRadioGroup group;
    QSignalSpy clicks;
};

TEST_F(RadioGroupTest, StartsWithTwoColumnsAndNoMark)
{
    ASSERT_EQ(group.count(), 2);
    EXPECT_EQ(group.button(0)->text(), QStringLiteral("km"));
    EXPECT_EQ(group.button(1)->text(), QStringLiteral("m"));
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(marked(), -1);
    // Side by side, inside the frame.
    EXPECT_EQ(group.button(0)->y(), group.button(1)->y());
    EXPECT_LT(group.button(0)->geometry().right(), group.button(1)->x());
    EXPECT_TRUE(group.rect().contains(group.button(1)->geometry()));
}

TEST_F(RadioGroupTest, SettingItemIndexClicksOnlyOnChange)
{
    const struct {
        int from;
        int set;
        int index;
        int clicks;
    } cases[] = {
        {-1, 0, 0, 1},
        {0, 0, 0, 0},
        {0, 1, 1, 1},
        {1, 0, 0, 1},
        {0, 5, 1, 1},   // clamped to the last item
        {1, 7, 1, 0},   // clamped onto the index it has
        {0, -1, -1, 0}, // only clears the mark
        {1, -3, -1, 0},
        {-1, -1, -1, 0},
        {-1, 1, 1, 1},
    };
    for (const auto& c : cases) {
        group.setItemIndex(c.from);
        clicks.clear();
        group.setItemIndex(c.set);
        EXPECT_EQ(group.ItemIndex(), c.index) << c.from << " -> " << c.set;
        EXPECT_EQ(marked(), c.index) << c.from << " -> " << c.set;
        EXPECT_EQ(clicks.count(), c.clicks) << c.from << " -> " << c.set;
    }
}

TEST_F(RadioGroupTest, ItemIndexIsAPropertyByName)
{
    ASSERT_TRUE(group.setProperty("ItemIndex", 1));
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(group.property("ItemIndex").toInt(), 1);
}

TEST_F(RadioGroupTest, UserClickRaisesOnClickOnlyOnChange)
{
    group.setItemIndex(0);
    clicks.clear();

    QTest::mouseClick(group.button(0), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(group.ItemIndex(), 0);

    QTest::mouseClick(group.button(1), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(marked(), 1);

    // From no mark at all, a click marks.
    group.setItemIndex(-1);
    clicks.clear();
    QTest::mouseClick(group.button(0), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(group.ItemIndex(), 0);
}

TEST_F(RadioGroupTest, ArrowKeyMovesTheMark)
{
    group.setItemIndex(0);
    clicks.clear();
    group.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&group));
    group.button(0)->setFocus();
    QTest::keyClick(group.button(0), Qt::Key_Right);
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(RadioGroupTest, OnlyTheMarkedButtonIsATabStop)
{
    // The first one stands in while nothing is marked.
    EXPECT_TRUE(group.button(0)->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(group.button(1)->focusPolicy() & Qt::TabFocus);
    group.setItemIndex(1);
    EXPECT_FALSE(group.button(0)->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(group.button(1)->focusPolicy() & Qt::TabFocus);
    group.setItemIndex(-1);
    EXPECT_TRUE(group.button(0)->focusPolicy() & Qt::TabFocus);
}

} // namespace
} // namespace zelv
