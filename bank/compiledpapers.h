#pragma once

#include <QString>

namespace kivola {

// Where the paper files compiled into the program are found.
QString compiledPapersDirectory();

} // namespace kivola
