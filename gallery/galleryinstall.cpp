#include "gallerydocument.h"
#include "galleryfile.h"
#include "hostinterface.h"
#include "paths.h"
#include "textcodec.h"
#include "translation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringTokenizer>

namespace qs::gallery {

namespace {

constexpr int YesNoButtons = 4;

// A failure of the install, with the number and description the user is shown.
struct InstallError
{
    int number;
    QString description;
};

InstallError fileError(int fallbackNumber, const QString &nativePath, const QString &reason)
{
    if (!QFileInfo(nativePath).absoluteDir().exists())
        return {76, translate("artshelf", "Path not found (%1)").arg(nativePath)};
    return {fallbackNumber,
            translate("artshelf", "Path/File access error (%1: %2)").arg(nativePath, reason)};
}

// The lines already listed must survive: a last line without its end gets one first, so the
// new name is not glued to it, and a write that fails part-way is cut off again.
void appendLine(const QString &nativePath, const QString &line)
{
    QFile list(nativePath);
    // Unbuffered, so that a short write shows at once and can be cut off before anything else.
    if (!list.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        throw fileError(75, nativePath, list.errorString());
    const qint64 size = list.size();
    QByteArray bytes = encodeText(line) + CrLf;
    if (size > 0) {
        char last = 0;
        if (!list.seek(size - 1) || !list.getChar(&last))
            throw fileError(75, nativePath, list.errorString());
        if (last != '\n' && last != '\r')
            bytes.prepend(CrLf);
    }
    if (list.write(bytes) != bytes.size()) {
        const InstallError error = fileError(75, nativePath, list.errorString());
        list.resize(size);
        throw error;
    }
}

// Whether the list names fileName on a line of its own, as the host's file system would match.
bool isListed(const QString &nativePath, const QString &fileName)
{
    QFile list(nativePath);
    if (!list.exists())
        return false;
    if (!list.open(QIODevice::ReadOnly))
        throw fileError(75, nativePath, list.errorString());
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    const QString text = decodeText(list.readAll());
    if (list.error() != QFileDevice::NoError)
        throw fileError(75, nativePath, list.errorString());
    for (const QStringView line : QStringTokenizer(text, u'\n')) {
        QStringView name = line;
        if (name.endsWith(u'\r'))
            name.chop(1);
        if (name.compare(fileName, cs) == 0)
            return true;
    }
    return false;
}

} // namespace

Result GalleryDocument::install(const QString &clipartFolder, const QString &name,
                                InstallMode mode) const
{
    try {
        // The copy must land in the clipart folder itself, where the list says it is.
        if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')) ||
            name == QStringLiteral("..") || name == QStringLiteral("."))
            throw InstallError{52, translate("artshelf", "Bad file name or number (%1)").arg(name)};
        const QString fileName = name + QStringLiteral(".gal");
        const QString target = toNativePath(clipartFolder + fileName);
        // Another gallery may be installed under that name: its owner decides.
        if (mode == InstallMode::AskBeforeReplacing && QFileInfo::exists(target))
            return Result::question(translate("artshelf", "A gallery named %1 is already "
                                                          "installed. Do you want to replace it?")
                                        .arg(name),
                                    YesNoButtons, translate("artshelf", "Install"));
        const QString list = toNativePath(clipartFolder + host::GalleryListName);
        const bool listed = isListed(list, fileName);
        try {
            SaveGallery(target, m_gallery);
        } catch (const GalleryFileError &e) {
            throw fileError(75, target, e.reason());
        }
        if (!listed)
            appendLine(list, fileName);
        return Result::message(translate("artshelf", "Clipart Gallery successfully installed."), 0,
                               {}, true);
    } catch (const InstallError &e) {
        return Result::message(translate("artshelf", "The following error occured:\r\n\r\n%1:  %2")
                                   .arg(e.number)
                                   .arg(e.description));
    }
}

} // namespace qs::gallery
