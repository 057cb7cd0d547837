#pragma once

#include <QIcon>

namespace kivola::kit {

// The one icon every window carries, with renditions from 16 to 256 pixels.
QIcon programIcon();

} // namespace kivola::kit
