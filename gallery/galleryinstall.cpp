#include "gallerydocument.h"
#include "galleryfile.h"
#include "hostinterface.h"
#include "paths.h"
#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qs::gallery {

namespace {

// A failure of the install, with the number and description the user is shown.
struct InstallError
{
    int number;
    QString description;
};

InstallError fileError(int fallbackNumber, const QString &nativePath, const QString &reason)
{
    if (!QFileInfo(nativePath).absoluteDir().exists())
        return {76, QStringLiteral("Path not found (%1)").arg(nativePath)};
    return {fallbackNumber,
            QStringLiteral("Path/File access error (%1: %2)").arg(nativePath, reason)};
}

void appendLine(const QString &nativePath, const QString &line)
{
    QFile list(nativePath);
    if (!list.open(QIODevice::WriteOnly | QIODevice::Append))
        throw fileError(75, nativePath, list.errorString());
    const QByteArray bytes = encodeText(line) + CrLf;
    if (list.write(bytes) != bytes.size() || !list.flush())
        throw fileError(75, nativePath, list.errorString());
}

} // namespace

Result GalleryDocument::install(const QString &clipartFolder, const QString &name) const
{
    try {
        // The copy must land in the clipart folder itself, where the list says it is.
        if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')) ||
            name == QStringLiteral("..") || name == QStringLiteral("."))
            throw InstallError{52, QStringLiteral("Bad file name or number (%1)").arg(name)};
        const QString fileName = name + QStringLiteral(".gal");
        const QString target = toNativePath(clipartFolder + fileName);
        try {
            SaveGallery(target, m_gallery);
        } catch (const GalleryFileError &e) {
            throw fileError(75, target, e.reason());
        }
        appendLine(toNativePath(clipartFolder + host::GalleryListName), fileName);
        return Result::message(QStringLiteral("Clipart Gallery successfully installed."), 0, {},
                               true);
    } catch (const InstallError &e) {
        return Result::message(QStringLiteral("The following error occured:\r\n\r\n%1:  %2")
                                   .arg(e.number)
                                   .arg(e.description));
    }
}

} // namespace qs::gallery
