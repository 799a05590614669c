#pragma once
// The program's icon, for the application object and so for every window.

#include <QIcon>

namespace zelv {

// The icon in 48 and 256 pixels, from the program's own resources.
QIcon programIcon();

} // namespace zelv
