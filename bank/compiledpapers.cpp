#include "bank/compiledpapers.h"

namespace kivola {

QString compiledPapersDirectory()
{
    return QStringLiteral(":/papers");
}

} // namespace kivola
