#pragma once

#include <QIcon>

namespace kivola::kit {

// The one icon every window carries. Windows get the small renditions only, up to twice the
// 32-pixel design for high-density screens: every window hands its icon to the window system
// when it opens, and the large renditions would only slow that down. The desktop takes the
// large ones from the installed icon theme.
QIcon programIcon();

} // namespace kivola::kit
