#include "StaleMark.h"

#include <QPalette>
#include <QString>
#include <QWidget>

namespace zelv {

const char* const staleDescription = "veraltet: gehört zur vorigen Position";

void setStaleMark(QWidget& field, bool stale)
{
    if (hasStaleMark(field) == stale)
        return;
    if (!stale) {
        // Back to the window's colours; an empty description makes Qt read
        // the tooltip again.
        field.setPalette(QPalette());
        field.setAccessibleDescription(QString());
        return;
    }
    QPalette palette = field.palette();
    const QColor greyed = palette.color(QPalette::Disabled, QPalette::Text);
    palette.setColor(QPalette::Active, QPalette::Text, greyed);
    palette.setColor(QPalette::Inactive, QPalette::Text, greyed);
    field.setPalette(palette);
    QString description = QString::fromUtf8(staleDescription);
    if (!field.toolTip().isEmpty())
        description += QStringLiteral(". ") + field.toolTip();
    field.setAccessibleDescription(description);
}

bool hasStaleMark(const QWidget& field)
{
    return field.accessibleDescription().startsWith(QString::fromUtf8(staleDescription));
}

} // namespace zelv
