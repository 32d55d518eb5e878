#include "galleryfile.h"
#include "translation.h"

#include "profilestring.h"
#include "textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <cmath>
#include <functional>
#include <optional>

namespace qs::gallery {

GalleryFileError::GalleryFileError(QString file, QString reason)
    : std::runtime_error((file + QStringLiteral(": ") + reason).toStdString())
    , m_file(std::move(file))
    , m_reason(std::move(reason))
{
}

std::optional<long long> parseCount(const QString &text)
{
    // Digits with an optional sign and fraction; anything else is not a number.
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    long long whole = 0;
    bool digits = false;
    for (; i < n && text[i].isDigit() && text[i].unicode() < 0x80; ++i) {
        digits = true;
        if (whole <= MaxCount)
            whole = whole * 10 + (text[i].unicode() - '0');
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        for (++i; i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9'; ++i)
            digits = true;
    }
    if (!digits || i != n)
        return std::nullopt;
    return negative ? -whole : whole;
}

namespace {

// Replaces what follows the first prefixLength characters of key by n in decimal, reusing the
// key's storage.
void setNumberSuffix(QString &key, qsizetype prefixLength, int n)
{
    char digits[12];
    int length = 0;
    do {
        digits[length++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    key.truncate(prefixLength);
    while (length > 0)
        key += QLatin1Char(digits[--length]);
}

int readCount(ProfileStrings &ini, const QString &file, const QString &section, const QString &key)
{
    const QString text = ini.IniGetString(key, QStringLiteral("0"));
    const auto count = parseCount(text);
    if (!count)
        throw GalleryFileError(
            file, translate("artshelf", "the value of %1 in section [%2] is not a number (\"%3\").")
                      .arg(key, section, text));
    if (*count > MaxCount)
        throw GalleryFileError(
            file, translate("artshelf", "the value of %1 in section [%2] is too large (%3).")
                      .arg(key, section, text));
    return *count < 0 ? 0 : static_cast<int>(*count);
}

// Why a file without any section of a gallery is none, or an empty text when it holds only
// blanks (a new, empty file).
QString foreignReason(QIODevice &file)
{
    const QByteArray head = file.peek(2);
    if (head == "\xFF\xFE" || head == "\xFE\xFF")
        return translate("artshelf", "it is UTF-16 text, which a gallery never is.");
    if (file.peek(3) == "\xEF\xBB\xBF")
        file.skip(3);
    bool blank = true;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(64 * 1024);
        if (chunk.isEmpty())
            break;
        for (const char c : chunk) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' &&
                c != 0x1A)
                return translate("artshelf", "it is not a text file; it holds control bytes "
                                             "such as NUL, as a picture or a program does.");
            if (u > 0x20 && c != 0x1A)
                blank = false;
        }
        // Text is told from binary by its start; the rest need not be read.
        if (!blank)
            break;
    }
    if (blank)
        return QString();
    return translate("artshelf",
                     "it has neither a [Clipart Gallery] nor a [Folder1] section, so it holds no "
                     "gallery.");
}

} // namespace

void LoadGallery(const QString &file, Gallery &gallery, ProfileStrings &ini)
{
    QFile probe(file);
    if (QFileInfo::exists(file) && !probe.open(QIODevice::ReadOnly))
        throw GalleryFileError(file, probe.errorString());

    const QString header = QStringLiteral("Clipart Gallery");
    ini.IniSetTarget(header, file);
    // A file with nothing of a gallery in it would load as an empty one, and a save would then
    // write over someone's picture or text.
    if (probe.isOpen() && !ini.hasSection(header) && !ini.hasSection(QStringLiteral("Folder1"))) {
        const QString reason = foreignReason(probe);
        if (!reason.isEmpty())
            throw NotAGalleryError(file, reason);
    }
    probe.close();
    gallery.Name = ini.IniGetString(QStringLiteral("Name"), Gallery::UntitledName);
    const int folders = readCount(ini, file, header, QStringLiteral("NumFolders"));

    QSet<QString> paths;
    for (int f = 1; f <= gallery.Folders.Count(); ++f)
        paths.insert(gallery.Folders(f).FolderPath);
    paths.remove(QString());
    paths.insert(Gallery::RootKey);
    long long claimed = 0;
    std::shared_ptr<const ClipartSource> source;

    for (int n = 1; n <= folders; ++n) {
        const QString section = QStringLiteral("Folder") + QString::number(n);
        ini.IniSetTarget(section, file);
        const QString name =
            ini.IniGetString(QStringLiteral("Name"), QStringLiteral("Untitled Folder"));
        const QString path = ini.IniGetString(QStringLiteral("Folder"), QString());
        if (!path.isEmpty()) {
            if (paths.contains(path))
                throw GalleryFileError(
                    file, path == Gallery::RootKey
                              ? translate("artshelf",
                                          "the category \"%1\" in section [%2] uses the folder "
                                          "\"%3\", which names the gallery itself.")
                                    .arg(name, section, path)
                              : translate("artshelf",
                                          "the category \"%1\" in section [%2] uses the folder "
                                          "\"%3\", which an earlier category already uses.")
                                    .arg(name, section, path));
            paths.insert(path);
        }
        const int k = gallery.AddFolder(name, path);
        FolderItems &items = gallery.Folders(k).Items;
        const int count = readCount(ini, file, section, QStringLiteral("NumItems"));
        claimed += count;
        if (claimed > MaxTotalItems)
            throw GalleryFileError(
                file,
                translate("artshelf", "the categories up to section [%1] claim %2 items in all, "
                                      "more than a gallery may hold (%3).")
                    .arg(section)
                    .arg(claimed)
                    .arg(MaxTotalItems));
        items.Item.Reserve(count);
        // A file may claim up to a million items: keys are built in place, and each item keeps
        // only where its values lie in the file's bytes, which all items share.
        if (!source)
            source = std::make_shared<const ClipartSource>(
                ClipartSource{ini.parsed().bytes(), ini.parsed().isUtf8()});
        QString nameKey = QStringLiteral("ItemName");
        QString sourceKey = QStringLiteral("ItemSrc");
        const auto place = [](const std::optional<ProfileFile::ValueRef> &ref) {
            return ref ? SourceValue{ref->offset, ref->length} : SourceValue{};
        };
        for (int m = 1; m <= count; ++m) {
            setNumberSuffix(nameKey, 8, m);
            setNumberSuffix(sourceKey, 7, m);
            // In the file's order, which the index's lookups are quickest in; as arguments
            // the two would be looked up in an order the compiler picks.
            const SourceValue title = place(ini.IniGetRef(nameKey));
            items.Item.AddRead(source, title, place(ini.IniGetRef(sourceKey)));
        }
    }
}

void LoadGallery(const QString &file, Gallery &gallery)
{
    ProfileStrings ini;
    LoadGallery(file, gallery, ini);
}

namespace {

// The file's bytes for gallery handed to put a part at a time; false when put returns false.
bool galleryParts(const Gallery &gallery, const std::function<bool(const QByteArray &)> &put)
{
    QString out;
    // Encoded and handed on a part at a time, so that a large gallery is not held twice more.
    const auto flush = [&](qsizetype atLeast) {
        if (out.size() < atLeast)
            return true;
        const bool written = put(encodeText(out));
        out.clear();
        return written;
    };
    auto line = [&out](QStringView a, QStringView b = {}) {
        out += a;
        out += b;
        out += QLatin1String(CrLf);
    };
    line(u"[Clipart Gallery]");
    line(u"Name=", gallery.Name);
    line(u"NumFolders=", QString::number(gallery.Folders.Count()));
    line(u"");
    for (int n = 1; n <= gallery.Folders.Count(); ++n) {
        const Folder &folder = gallery.Folders(n);
        line(QStringLiteral("[Folder%1]").arg(n));
        line(u"Name=", folder.FolderName);
        line(u"Folder=", folder.FolderPath);
        const int count = folder.Items.Item.Count();
        line(u"NumItems=", QString::number(count));
        // Item lines are most of a large gallery: they are appended piece by piece, with no
        // string made for a line or its number.
        const auto itemLine = [&out](QLatin1String key, int number, QStringView value) {
            out += key;
            char16_t digits[12];
            qsizetype length = 0;
            do {
                digits[length++] = char16_t(u'0' + number % 10);
                number /= 10;
            } while (number > 0);
            while (length > 0)
                out += QChar(digits[--length]);
            out += u'=';
            out += value;
            out += QLatin1String(CrLf);
        };
        for (int m = 1; m <= count; ++m) {
            const Clipart &clip = folder.Items.Item(m);
            itemLine(QLatin1String("ItemName"), m, clip.Description);
            itemLine(QLatin1String("ItemSrc"), m, clip.Filename);
            if (!flush(1 << 19))
                return false;
        }
        line(u"");
    }
    return flush(0);
}

} // namespace

QByteArray galleryText(const Gallery &gallery)
{
    QByteArray bytes;
    galleryParts(gallery, [&](const QByteArray &part) {
        bytes += part;
        return true;
    });
    return bytes;
}

std::vector<char32_t> unstorableCharacters(const Gallery &gallery)
{
    UnstorableFinder finder;
    finder.scan(gallery.Name);
    for (int n = 1; n <= gallery.Folders.Count(); ++n) {
        const Folder &folder = gallery.Folders(n);
        finder.scan(folder.FolderName);
        finder.scan(folder.FolderPath);
        const ClipartList &items = folder.Items.Item;
        for (int m = 1; m <= items.Count(); ++m) {
#ifndef Q_OS_WIN
            // Read as UTF-8 or Windows-1252, which UTF-8 stores whole: only changes need a look.
            if (items.IsAsRead(m))
                continue;
#endif
            const Clipart clip = items(m);
            finder.scan(clip.Description);
            finder.scan(clip.Filename);
        }
    }
    return finder.found();
}

void SaveGallery(const QString &file, const Gallery &gallery)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw GalleryFileError(file, out.errorString());
    // commit() flushes too, but would replace the file even when that last flush falls short.
    if (!galleryParts(gallery,
                      [&](const QByteArray &part) { return out.write(part) == part.size(); }) ||
        !out.flush()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        throw GalleryFileError(file, reason);
    }
    if (!out.commit())
        throw GalleryFileError(file, out.errorString());
}

} // namespace qs::gallery
