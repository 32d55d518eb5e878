#include "paths.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace qs {

QString toNativePath(const QString &storedPath)
{
#ifdef Q_OS_WIN
    // Paths reach here from Qt's dialogs and settings with '/' as well: a user is shown '\'.
    return QDir::toNativeSeparators(storedPath);
#else
    QString path = storedPath;
    path.replace(u'\\', u'/');
    return path;
#endif
}

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString fileNamePart(const QString &path)
{
    // Windows takes '/' as well as '\', and Qt's file dialogs give '/' there too.
    const qsizetype separator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(separator + 1);
}

QString programDirectory()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace qs
