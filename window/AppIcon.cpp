#include "AppIcon.h"

// The icon lives in a static library, whose resources are linked in only
// when someone asks for them by name.
static void initAppIcon()
{
    Q_INIT_RESOURCE(AppIcon);
}

namespace zelv {

QIcon programIcon()
{
    initAppIcon();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/zelv-derarar-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/icons/zelv-derarar-256.png"), QSize(256, 256));
    return icon;
}

} // namespace zelv
