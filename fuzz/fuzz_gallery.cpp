// Feeds arbitrary bytes to the gallery reader through a file, as Open does, then writes the
// result back: any input must give a gallery or a GalleryFileError, never a crash or a hang.
#include "galleryfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.gal"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    qs::gallery::Gallery gallery;
    try {
        qs::gallery::LoadGallery(path, gallery);
    } catch (const qs::gallery::GalleryFileError &) {
    }
    // What was read must write out as a well-formed gallery.
    const QByteArray text = qs::gallery::galleryText(gallery);
    if (!text.startsWith("[Clipart Gallery]\r\n"))
        __builtin_trap();
    return 0;
}
