#include "bank/compiledpapers.h"

namespace kivola {

QString compiledPapersDirectory()
{
    return QStringLiteral(":/papers");
}

QString compiledStudyLayerDirectory()
{
    return QStringLiteral(":/studylayer");
}

} // namespace kivola
