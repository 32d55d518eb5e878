#include "gallerydata.h"

namespace qs::bench {

QByteArray generateGallery(int folders, int itemsPerFolder)
{
    QByteArray out;
    out.reserve(qsizetype(folders) * (48 + qsizetype(itemsPerFolder) * 48) + 64);
    out += "[Clipart Gallery]\r\nName=Benchmark Gallery\r\nNumFolders=";
    out += QByteArray::number(folders);
    out += "\r\n\r\n";
    for (int f = 1; f <= folders; ++f) {
        const QByteArray fn = QByteArray::number(f);
        out += "[Folder" + fn + "]\r\n";
        out += "Name=Folder " + fn + "\r\n";
        out += "Folder=\\folder" + fn + "\r\n";
        out += "NumItems=" + QByteArray::number(itemsPerFolder) + "\r\n";
        for (int i = 1; i <= itemsPerFolder; ++i) {
            const QByteArray in = QByteArray::number(i);
            out += "ItemName" + in + "=Clip " + in + "\r\n";
            out += "ItemSrc" + in + "=c" + fn + '_' + in + ".gif\r\n";
        }
        out += "\r\n";
    }
    return out;
}

} // namespace qs::bench
