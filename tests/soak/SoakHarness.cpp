#include "SoakHarness.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace zelv::soak {

std::string printable(const QString& text, int limit)
{
    QString out;
    for (const QChar c : text.left(limit)) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    if (text.size() > limit)
        out += QStringLiteral("...(%1 characters)").arg(text.size());
    return out.toStdString();
}

bool SoakApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        faults_.push_back("an exception reached the event loop (event type " + std::to_string(event->type())
                          + " to " + receiver->metaObject()->className() + " \""
                          + receiver->objectName().toStdString() + "\"): " + e.what());
    } catch (...) {
        faults_.push_back("an exception of unknown type reached the event loop (event type "
                          + std::to_string(event->type()) + " to " + receiver->metaObject()->className() + ")");
    }
    return false;
}

void SoakPresenter::showError(const QString& caption, const QString& text)
{
    shown.push_back({caption, text});
    ++total;
    if (!realBoxes)
        return;
    boxOpen = true;
    MessageBoxPresenter().showError(caption, text);
    boxOpen = false;
}

bool SoakPresenter::askYesNo(const QString& caption, const QString& question)
{
    shown.push_back({caption, question});
    ++total;
    if (!realBoxes)
        return false;
    boxOpen = true;
    const bool yes = MessageBoxPresenter().askYesNo(caption, question);
    boxOpen = false;
    return yes;
}

bool PopupAnswerer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->isWindow() && (qobject_cast<QMenu*>(widget) || qobject_cast<QDialog*>(widget))) {
            // Once the popup runs (its own loop, or the runner's next round).
            QTimer::singleShot(0, this, [this, popup = QPointer<QWidget>(widget)] {
                if (popup && popup->isVisible())
                    answer(popup);
            });
        }
    }
    return false;
}

void PopupAnswerer::answer(QWidget* popup)
{
    if (auto* menu = qobject_cast<QMenu*>(popup)) {
        ++menusAnswered;
        int entries = 0;
        for (const QAction* action : menu->actions())
            entries += action->isVisible() && action->isEnabled() && !action->isSeparator();
        const int choice = static_cast<int>(random_.below(static_cast<std::uint64_t>(entries) + 1));
        if (choice == entries) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        ++entriesChosen;
        QPointer<QMenu> alive(menu);
        for (int i = 0; i <= choice && alive; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        if (alive)
            QTest::keyClick(menu, Qt::Key_Return);
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(popup);
    if (box && presenter_.boxOpen) {
        // A message has its OK, a question its Ja and Nein: any of them.
        const QList<QAbstractButton*> buttons = box->buttons();
        QAbstractButton* ok = buttons.at(static_cast<qsizetype>(random_.below(buttons.size())));
        switch (random_.below(4)) {
        case 0: QTest::keyClick(box, Qt::Key_Return); break;
        case 1: QTest::keyClick(box, Qt::Key_Escape); break;
        case 2: QTest::keyClick(ok, Qt::Key_Space); break;
        default: QTest::mouseClick(ok, Qt::LeftButton); break;
        }
        return;
    }
    faults_.push_back(std::string("a ") + popup->metaObject()->className() + " opened outside the presenter"
                      + (box ? ": \"" + printable(box->text()) + "\"" : std::string()));
    if (auto* dialog = qobject_cast<QDialog*>(popup))
        dialog->reject();
    else
        popup->close();
}

Watchdog::Watchdog(std::chrono::seconds limit, std::uint64_t seed)
    : limit_(limit), seed_(seed), thread_([this] { watch(); })
{
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::beat(long step, const std::string& description)
{
    std::lock_guard lock(mutex_);
    step_ = step;
    description_ = description;
    last_ = std::chrono::steady_clock::now();
}

void Watchdog::watch()
{
    std::unique_lock lock(mutex_);
    while (!stop_) {
        wake_.wait_for(lock, std::chrono::seconds(1));
        if (!stop_ && std::chrono::steady_clock::now() - last_ > limit_) {
            std::fprintf(stderr, "window soak HUNG: seed=%llu step=%ld: %s\n",
                         static_cast<unsigned long long>(seed_), step_, description_.c_str());
            std::fflush(stderr);
            std::_Exit(3);
        }
    }
}

} // namespace zelv::soak
