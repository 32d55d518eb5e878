#pragma once

#include <QIcon>
#include <QString>

namespace qs {

// The program's own icon at every size the desktop's icon theme has, as the package installs it.
QIcon hicolorIcon(const QString &program);

} // namespace qs
