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
    // The 48 px picture only: the window manager scales it, and decoding and
    // sending the 256 px one cost a twentieth of start-up.  The desktop entry
    // has the large one.
    icon.addFile(QStringLiteral(":/icons/zelv-derarar-48.png"), QSize(48, 48));
    return icon;
}

} // namespace zelv
