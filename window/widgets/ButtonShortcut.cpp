#include "ButtonShortcut.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>

namespace zelv {

void pressOnShortcut(QAbstractButton& button, const QKeySequence& keys)
{
    auto* shortcut = new QShortcut(keys, button.window());
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &button, [&button] {
        if (!button.isEnabled())
            return;
        button.setFocus(Qt::ShortcutFocusReason);
        if (button.hasFocus())
            button.click();
    });
}

} // namespace zelv
