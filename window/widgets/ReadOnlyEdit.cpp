#include "ReadOnlyEdit.h"

#include <QInputMethodEvent>

namespace zelv {

TReadOnlyEdit::TReadOnlyEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
    setReadOnly(true);
}

QVariant TReadOnlyEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // The input method asks this before it sends anything.
    if (query == Qt::ImEnabled && isReadOnly())
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void TReadOnlyEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

} // namespace zelv
