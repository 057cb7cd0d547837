#pragma once

#include <QString>

namespace kivola {

// Where the paper files compiled into the program are found.
QString compiledPapersDirectory();
// Where the study layer files compiled into the program are found.
QString compiledStudyLayerDirectory();

} // namespace kivola
