#include "programicon.h"

namespace qs {

QIcon hicolorIcon(const QString &program)
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(program).arg(size), QSize(size, size));
    return icon;
}

} // namespace qs
