#include "ElURLLabel.h"

#include "Clipboard.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <memory>

namespace zelv {

bool openWithDesktop(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

namespace {

// A plain label's interface would say "static text" and hide the address.
class LinkInterface : public QAccessibleWidget {
public:
    explicit LinkInterface(TElURLLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override
    {
        switch (kind) {
        case QAccessible::Name:
            return link()->accessibleName().isEmpty() ? link()->text() : link()->accessibleName();
        case QAccessible::Description:
            return link()->URL().toString();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            link()->jumpToURL();
    }

private:
    TElURLLabel* link() const { return static_cast<TElURLLabel*>(widget()); }
};

QAccessibleInterface* linkInterface(const QString&, QObject* object)
{
    auto* link = qobject_cast<TElURLLabel*>(object);
    return link ? new LinkInterface(link) : nullptr;
}

} // namespace

TElURLLabel::TElURLLabel(const QString& caption, const QUrl& url, QWidget* parent)
    : QLabel(caption, parent), url_(url)
{
    // Once, before anyone can ask for this label's interface.
    static const bool linkInterfaceInstalled = (QAccessible::installFactory(linkInterface), true);
    Q_UNUSED(linkInterfaceInstalled);

    // Visited or not, hovered or not: the same blue, always underlined.
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(palette);
    QFont font = this->font();
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    // Reached by Tab; a click opens the link without taking the focus from a
    // field that is being edited.
    setFocusPolicy(Qt::TabFocus);
}

void TElURLLabel::setURL(const QUrl& url)
{
    if (url == url_)
        return;
    url_ = url;
    // A screen reader reads the address as the link's description.
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
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
    showContextMenu(event->globalPos());
    event->accept();
}

void TElURLLabel::showContextMenu(const QPoint& globalPosition)
{
    std::unique_ptr<QMenu> menu(createContextMenu());
    menu->exec(globalPosition);
}

void TElURLLabel::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        jumpToURL();
        event->accept();
        return;
    }
    if ((modifiers == Qt::NoModifier && key == Qt::Key_Menu)
        || (modifiers == Qt::ShiftModifier && key == Qt::Key_F10)) {
        showContextMenu(mapToGlobal(rect().bottomLeft()));
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TElURLLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The focused link shows where the keyboard is.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace zelv
