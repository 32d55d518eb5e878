#pragma once

#include "galleryobjects.h"

#include <QList>
#include <QString>

class QMimeData;

namespace qs::gallery {

class GalleryDocument;

// The program's own clipboard and drag format; a plain text copy goes beside it.
inline const QString ClipartMimeType = QStringLiteral("application/x-quillsite-artshelf");

// What a paste or a drop brings: items or whole categories, or a gallery file to open.
struct ClipContent
{
    QList<Clipart> items;
    QList<CategoryCopy> categories;
    QString galleryFile;
    // Set when the data came from this very document and still stands where it was taken:
    // its category and the position of the first item, or 0 for categories.
    int fromCategory = 0;
    int fromPosition = 0;

    bool isEmpty() const
    {
        return items.isEmpty() && categories.isEmpty() && galleryFile.isEmpty();
    }
};

// Items j of category k, in the order given.
QMimeData *itemsMimeData(const GalleryDocument &document, int k, const QList<int> &positions);
QMimeData *categoriesMimeData(const GalleryDocument &document, const QList<int> &positions);

// Reads the program's own format, or else files from a file manager: pictures become items
// titled with their bare file name, and the first gallery file is the one to open.
ClipContent readClipContent(const QMimeData *data, const GalleryDocument &document);

} // namespace qs::gallery
