#include "galleryclipboard.h"

#include "gallerydocument.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

namespace qs::gallery {

namespace {

constexpr quint8 FormatVersion = 1;
enum Kind : quint8 { ItemsKind = 1, CategoriesKind = 2 };

// Tells this document's own data from another window's or program's.
QByteArray originOf(const GalleryDocument &document)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(&document));
}

QDataStream &operator<<(QDataStream &out, const Clipart &clip)
{
    return out << clip.Description << clip.Filename;
}

QDataStream &operator>>(QDataStream &in, Clipart &clip)
{
    return in >> clip.Description >> clip.Filename;
}

// Counts come from outside: a stream that runs dry ends the list.
template <typename T, typename Read> QList<T> readList(QDataStream &in, Read read)
{
    QList<T> out;
    qint32 count = 0;
    in >> count;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        T value;
        read(in, value);
        if (in.status() == QDataStream::Ok)
            out << value;
    }
    return out;
}

QMimeData *mimeData(const GalleryDocument &document, Kind kind, int k, int j,
                    const QList<Clipart> &items, const QList<CategoryCopy> &categories)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << FormatVersion << quint8(kind) << originOf(document) << qint32(k) << qint32(j);
    // A person reads a copy as title and file name, one item a line.
    QString text;
    const auto itemLine = [&text](const Clipart &clip, const QString &indent) {
        text += indent + clip.Description + QLatin1Char('\t') + clip.Filename + QLatin1Char('\n');
    };
    if (kind == ItemsKind) {
        out << qint32(items.size());
        for (const Clipart &clip : items) {
            out << clip;
            itemLine(clip, {});
        }
    } else {
        out << qint32(categories.size());
        for (const CategoryCopy &c : categories) {
            out << c.name << c.path << qint32(c.items.size());
            text += c.name + QLatin1Char('\t') + c.path + QLatin1Char('\n');
            for (const Clipart &clip : c.items) {
                out << clip;
                itemLine(clip, QStringLiteral("\t"));
            }
        }
    }
    auto *data = new QMimeData;
    data->setData(ClipartMimeType, bytes);
    data->setText(text);
    return data;
}

bool isPicture(const QString &file)
{
    const QByteArray suffix = QFileInfo(file).suffix().toLower().toLatin1();
    return !suffix.isEmpty() && QImageReader::supportedImageFormats().contains(suffix);
}

ClipContent readFiles(const QMimeData *data)
{
    ClipContent content;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (path.endsWith(QStringLiteral(".gal"), Qt::CaseInsensitive)) {
            if (content.galleryFile.isEmpty())
                content.galleryFile = path;
        } else if (isPicture(path)) {
            // Stored bare, as Add Multiple stores them.
            const QString name = QFileInfo(path).fileName();
            content.items << Clipart{name, name};
        }
    }
    return content;
}

} // namespace

QMimeData *itemsMimeData(const GalleryDocument &document, int k, const QList<int> &positions)
{
    QList<Clipart> items;
    const Folder *f = document.category(k);
    for (int j : positions)
        if (f && j >= 1 && j <= f->Items.Item.Count())
            items << f->Items.Item(j);
    return mimeData(document, ItemsKind, k, positions.value(0), items, {});
}

QMimeData *categoriesMimeData(const GalleryDocument &document, const QList<int> &positions)
{
    QList<CategoryCopy> categories;
    for (int k : positions)
        if (document.category(k))
            categories << document.copyOf(k);
    return mimeData(document, CategoriesKind, positions.value(0), 0, {}, categories);
}

ClipContent readClipContent(const QMimeData *data, const GalleryDocument &document)
{
    if (!data)
        return {};
    if (!data->hasFormat(ClipartMimeType))
        return data->hasUrls() ? readFiles(data) : ClipContent{};
    QDataStream in(data->data(ClipartMimeType));
    in.setVersion(QDataStream::Qt_6_0);
    quint8 version = 0;
    quint8 kind = 0;
    QByteArray origin;
    qint32 k = 0;
    qint32 j = 0;
    in >> version >> kind >> origin >> k >> j;
    ClipContent content;
    if (in.status() != QDataStream::Ok || version != FormatVersion)
        return content;
    if (kind == ItemsKind) {
        content.items = readList<Clipart>(in, [](QDataStream &s, Clipart &c) { s >> c; });
    } else if (kind == CategoriesKind) {
        content.categories = readList<CategoryCopy>(in, [](QDataStream &s, CategoryCopy &c) {
            s >> c.name >> c.path;
            c.items = readList<Clipart>(s, [](QDataStream &t, Clipart &clip) { t >> clip; });
        });
    }
    // Only what still stands where it was taken can be moved rather than copied.
    if (origin != originOf(document) || !document.category(k))
        return content;
    const Folder *f = document.category(k);
    if (!content.items.isEmpty() && j >= 1 && j <= f->Items.Item.Count() &&
        f->Items.Item(j).Filename == content.items.front().Filename) {
        content.fromCategory = k;
        content.fromPosition = j;
    } else if (!content.categories.isEmpty() && f->FolderPath == content.categories.front().path) {
        content.fromCategory = k;
    }
    return content;
}

} // namespace qs::gallery
