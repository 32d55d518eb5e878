#include "paths.h"

#include <QCoreApplication>

#include <algorithm>

namespace qs {

QString toNativePath(const QString &storedPath)
{
#ifdef Q_OS_WIN
    return storedPath;
#else
    QString path = storedPath;
    path.replace(u'\\', u'/');
    return path;
#endif
}

QString fileNamePart(const QString &path)
{
    qsizetype separator = path.lastIndexOf(u'\\');
#ifndef Q_OS_WIN
    separator = std::max(separator, path.lastIndexOf(u'/'));
#endif
    return path.mid(separator + 1);
}

QString programDirectory()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace qs
