#include "galleryfile.h"
#include "hostinterface.h"
#include "mainwindow.h"
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

void frmMain::installGallery()
{
    try {
        const QString host = host::installFolder(host::GalleryHostDefault);
        if (!host::isPresent(host, host::GalleryHostDefault)) {
            m_dialogs->msgBox(QStringLiteral(
                "Quillsite not found.  Cannot install gallery without Quillsite present."));
            return;
        }
        const QString clipart = host::clipartFolder(host);
        if (m_dialogs->msgBox(
                QStringLiteral("The Pictorium will now save a copy of the opened file into "
                               "the Quillsite Clipart Folder (") +
                    clipart + QStringLiteral(").  Are you sure you want to do this?"),
                mb::YesNo, QStringLiteral("Install")) != mb::Yes)
            return;
        const QString name =
            m_dialogs->inputBox(QStringLiteral("Please enter a name for this file.  Do not include "
                                               "the three letter .GAL extension."),
                                QStringLiteral("Name"), QStringLiteral("untitled"));
        if (name.isEmpty())
            return;
        // The copy must land in the clipart folder itself, where the list says it is.
        if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')) || name == ".." ||
            name == QStringLiteral("."))
            throw InstallError{52, QStringLiteral("Bad file name or number (%1)").arg(name)};
        const QString fileName = name + QStringLiteral(".gal");
        const QString target = toNativePath(clipart + fileName);
        try {
            SaveGallery(target, m_gallery);
        } catch (const GalleryFileError &e) {
            throw fileError(75, target, e.reason());
        }
        appendLine(toNativePath(clipart + host::GalleryListName), fileName);
        m_dialogs->msgBox(QStringLiteral("Clipart Gallery successfully installed."));
    } catch (const InstallError &e) {
        m_dialogs->msgBox(QStringLiteral("The following error occured:\r\n\r\n%1:  %2")
                              .arg(e.number)
                              .arg(e.description));
    }
}

} // namespace qs::gallery
