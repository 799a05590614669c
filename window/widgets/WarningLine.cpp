#include "WarningLine.h"

#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QStyle>

namespace zelv {

namespace {

constexpr int iconSize = 16;
constexpr int iconGap = 4;

} // namespace

QColor warningTextColour(const QPalette& palette)
{
    // Both keep a contrast above 4.5:1 on backgrounds as light as white down
    // to a mid grey, and as dark as black up to a dark grey.
    const bool lightWindow = palette.color(QPalette::Window).lightnessF() >= 0.5;
    return lightWindow ? QColor(0x8a, 0x3c, 0x00) : QColor(0xff, 0xc1, 0x4d);
}

TWarningLine::TWarningLine(QWidget* parent) : QLabel(parent)
{
    setIndent(iconSize + iconGap);
    followPalette();
}

void TWarningLine::setWarning(const QString& text)
{
    setText(text);
    setAccessibleDescription(text);
}

void TWarningLine::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !recolouring_)
        followPalette();
}

void TWarningLine::followPalette()
{
    // Setting the colour changes the palette once more; that change is ours.
    recolouring_ = true;
    QPalette own = palette();
    own.setColor(QPalette::WindowText, warningTextColour(own));
    setPalette(own);
    recolouring_ = false;
}

void TWarningLine::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (text().isEmpty())
        return;
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this);
    QPainter painter(this);
    icon.paint(&painter, QRect(0, (height() - iconSize) / 2, iconSize, iconSize));
}

} // namespace zelv
