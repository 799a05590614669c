#include "ElURLLabel.h"

#include "Clipboard.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMouseEvent>
#include <memory>

namespace zelv {

void openWithDesktop(const QUrl& url)
{
    // Whether a browser came up is not the program's concern.
    QDesktopServices::openUrl(url);
}

TElURLLabel::TElURLLabel(const QString& caption, const QUrl& url, QWidget* parent)
    : QLabel(caption, parent), url_(url)
{
    // Visited or not, hovered or not: the same blue, always underlined.
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(palette);
    QFont font = this->font();
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void TElURLLabel::jumpToURL()
{
    if (opener_)
        opener_(url_);
}

void TElURLLabel::copyURL()
{
    const QString text = url_.toString();
    if (clipboard_) {
        clipboard_->setText(text);
    } else {
        SystemClipboard().setText(text);
    }
}

QMenu* TElURLLabel::createContextMenu()
{
    auto* menu = new QMenu(this);
    menu->addAction(tr("&Jump to URL"), this, &TElURLLabel::jumpToURL);
    menu->addAction(tr("&Copy URL"), this, &TElURLLabel::copyURL);
    return menu;
}

void TElURLLabel::mousePressEvent(QMouseEvent* event)
{
    leftPressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TElURLLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the label.
    const bool click = leftPressed_ && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    leftPressed_ = false;
    if (click) {
        jumpToURL();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void TElURLLabel::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createContextMenu());
    menu->exec(event->globalPos());
    event->accept();
}

} // namespace zelv
