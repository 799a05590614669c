#include "FieldExitGuard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace zelv {

FieldExitGuard::FieldExitGuard(QWidget& field, std::function<bool()> check,
                               std::function<void()> focusMovedUnseen)
    : field_(field), check_(std::move(check)), focusMovedUnseen_(std::move(focusMovedUnseen))
{
}

FieldExitGuard::~FieldExitGuard()
{
    stop();
}

void FieldExitGuard::start()
{
    swallowPress_ = false;
    if (watching_)
        return;
    watching_ = true;
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FieldExitGuard::onFocusChanged);
}

void FieldExitGuard::stop()
{
    if (!watching_)
        return;
    watching_ = false;
    qApp->removeEventFilter(this);
    disconnect(qApp, &QApplication::focusChanged, this, &FieldExitGuard::onFocusChanged);
}

bool FieldExitGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::Wheel) {
        if (type == QEvent::KeyPress || type == QEvent::MouseButtonRelease) {
            swallowPress_ = false;
            refusedPress_ = false;
        }
        return false;
    }
    if (swallowPress_ && watched->isWidgetType()) {
        swallowPress_ = false;
        return true;
    }
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window || window != field_.window()->windowHandle() || QApplication::activePopupWidget())
        return false;
    // The double-click Qt sends after a refused press is the same press.
    if (type == QEvent::MouseButtonDblClick && refusedPress_)
        return true;
    const QPoint pos = static_cast<QSinglePointEvent*>(event)->position().toPoint();
    QWidget* top = field_.window();
    QWidget* receiver = top->childAt(pos);
    if (!wouldTakeFocus(receiver ? receiver : top, type == QEvent::Wheel))
        return false;
    refusedPress_ = !check_();
    return refusedPress_;
}

bool FieldExitGuard::wouldTakeFocus(QWidget* receiver, bool wheel) const
{
    // The walk Qt makes when a press or wheel turn gives the focus: the first
    // enabled widget up the parent chain whose policy (and whose focus
    // proxy's) takes it.
    const Qt::FocusPolicy policy = wheel ? Qt::WheelFocus : Qt::ClickFocus;
    for (QWidget* w = receiver; w; w = w->parentWidget()) {
        if (w->isEnabled()) {
            QWidget* target = w;
            while (target->focusProxy())
                target = target->focusProxy();
            if ((w->focusPolicy() & policy) == policy && (target->focusPolicy() & policy) == policy)
                return target != &field_;
        }
        if (w->isWindow())
            break;
    }
    return false;
}

void FieldExitGuard::onFocusChanged(QWidget*, QWidget* now)
{
    if (now && now != &field_ && now->window() == field_.window())
        focusMovedUnseen_();
}

} // namespace zelv
