#include "RadioGroup.h"

#include <QRadioButton>
#include <QStyle>
#include <algorithm>

namespace zelv {

TRadioGroup::TRadioGroup(const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(parent), columns_(std::max(1, columns))
{
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        // Auto-exclusive buttons of one parent move the mark with the arrow keys.
        button->setAutoExclusive(true);
        connect(button, &QRadioButton::toggled, this,
                [this, i](bool checked) { buttonToggled(i, checked); });
        buttons_.append(button);
    }
    updateTabStop();
    layoutButtons();
}

void TRadioGroup::setItemIndex(int index)
{
    index = std::clamp(index, -1, count() - 1);
    if (index == itemIndex_)
        return;
    if (index == -1) {
        // An auto-exclusive button refuses to lose its mark; let it go once.
        QRadioButton* marked = buttons_.at(itemIndex_);
        itemIndex_ = -1;
        marked->setAutoExclusive(false);
        marked->setChecked(false);
        marked->setAutoExclusive(true);
        updateTabStop();
        return;
    }
    buttons_.at(index)->setChecked(true); // buttonToggled raises OnClick
}

void TRadioGroup::buttonToggled(int index, bool checked)
{
    if (!checked || index == itemIndex_)
        return;
    itemIndex_ = index;
    updateTabStop();
    emit OnClick();
}

void TRadioGroup::updateTabStop()
{
    // Only the marked button (or the first) is reached by Tab; the others
    // take the focus by click or by the arrow keys.
    const int stop = std::max(0, itemIndex_);
    for (int i = 0; i < count(); ++i)
        buttons_.at(i)->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    layoutButtons();
}

void TRadioGroup::layoutButtons()
{
    if (buttons_.isEmpty())
        return;
    // Equal cells inside the frame; each button centred vertically in its row.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 2;
    const QRect inner = rect().adjusted(frame + 2, frame, -frame, -frame);
    const int rows = (count() + columns_ - 1) / columns_;
    const int cellWidth = inner.width() / columns_;
    const int cellHeight = inner.height() / rows;
    for (int i = 0; i < count(); ++i) {
        QRadioButton* button = buttons_.at(i);
        const int height = std::min(cellHeight, button->sizeHint().height());
        const int x = inner.left() + (i % columns_) * cellWidth;
        const int y = inner.top() + (i / columns_) * cellHeight + (cellHeight - height) / 2;
        button->setGeometry(x, y, cellWidth, height);
    }
}

} // namespace zelv
