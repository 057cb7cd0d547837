#include "ui/kit/programicon.h"

namespace kivola::kit {

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon result;
        for (int size : {16, 24, 32, 48, 64})
            result.addFile(QStringLiteral(":/icons/kivola-%1.png").arg(size), QSize(size, size));
        return result;
    }();
    return icon;
}

} // namespace kivola::kit
