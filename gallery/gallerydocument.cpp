#include "gallerydocument.h"
#include "translation.h"

#include "galleryfile.h"
#include "galleryundo.h"
#include "hostinterface.h"
#include "paths.h"

#include <QHash>
#include <QUndoStack>

namespace qs::gallery {

namespace {

constexpr int CriticalOk = 16; // OK button with the stop icon

QString withLeadingBackslash(const QString &path)
{
    return path.startsWith(QLatin1Char('\\')) ? path : QLatin1Char('\\') + path;
}

} // namespace

GalleryDocument::GalleryDocument(QObject *parent)
    : QObject(parent)
    , m_undo(new QUndoStack(this))
{
}

bool GalleryDocument::isChanged() const
{
    return !m_undo->isClean();
}

const Folder *GalleryDocument::category(int k) const
{
    return k >= 1 && k <= m_gallery.Folders.Count() ? &m_gallery.Folders(k) : nullptr;
}

Folder *GalleryDocument::folder(int k)
{
    return const_cast<Folder *>(std::as_const(*this).category(k));
}

std::optional<Clipart> GalleryDocument::item(int k, int j) const
{
    const Folder *f = category(k);
    if (!f || j < 1 || j > f->Items.Item.Count())
        return std::nullopt;
    return f->Items.Item(j);
}

QString GalleryDocument::fullPath(int k) const
{
    const Folder *f = category(k);
    return f ? m_gallery.Name + QLatin1Char('\\') + f->FolderName : m_gallery.Name;
}

int GalleryDocument::listableItemCount(int k, QString *duplicate) const
{
    const Folder *f = category(k);
    if (!f)
        return 0;
    const auto &items = f->Items.Item;
    QHash<QString, bool> seen;
    seen.reserve(items.Count());
    for (int j = 1; j <= items.Count(); ++j) {
        const QString &file = items(j).Filename;
        if (file.isEmpty())
            continue;
        if (seen.contains(file)) {
            if (duplicate)
                *duplicate = file;
            return j - 1;
        }
        seen.insert(file, true);
    }
    return items.Count();
}

bool GalleryDocument::pathUsed(const QString &path, int except) const
{
    if (path.isEmpty())
        return false;
    if (path == Gallery::RootKey)
        return true;
    for (int k = 1; k <= m_gallery.Folders.Count(); ++k)
        if (k != except && m_gallery.Folders(k).FolderPath == path)
            return true;
    return false;
}

bool GalleryDocument::fileUsed(int k, const QString &fileName, int except) const
{
    const auto &items = category(k)->Items.Item;
    for (int j = 1; j <= items.Count(); ++j)
        if (j != except && items(j).Filename == fileName)
            return true;
    return false;
}

void GalleryDocument::reset()
{
    emit aboutToReset();
    m_undo->clear();
    m_gallery.reset();
    m_filePath.clear();
    emit wasReset();
}

GalleryDocument::FileRead GalleryDocument::read(const QString &path)
{
    FileRead read;
    read.path = path;
    Result &result = read.result;
    try {
        LoadGallery(path, read.gallery);
    } catch (const NotAGalleryError &e) {
        // Untitled, so that a save cannot write a gallery over it.
        read.path.clear();
        result =
            Result::message(translate("artshelf", "The file is not a gallery.\r\n\r\n"
                                                  "File: %1\r\nReason: %2\r\n\r\n"
                                                  "It stays as it is; an untitled gallery is shown "
                                                  "instead.")
                                .arg(shownPath(e.file()), e.reason()),
                            CriticalOk);
    } catch (const GalleryFileError &e) {
        // A later Save must not overwrite the file with the part that was read.
        read.path.clear();
        result = Result::message(translate("artshelf",
                                           "The gallery could not be read completely.\r\n\r\n"
                                           "File: %1\r\nReason: %2\r\n\r\n"
                                           "What was read is shown; save it under a new name.")
                                     .arg(shownPath(e.file()), e.reason()),
                                 CriticalOk);
    }
    return read;
}

Result GalleryDocument::take(FileRead read)
{
    emit aboutToReset();
    m_undo->clear();
    m_gallery = std::move(read.gallery);
    m_filePath = std::move(read.path);
    emit wasReset();
    return read.result;
}

Result GalleryDocument::open(const QString &path)
{
    return take(read(path));
}

Result GalleryDocument::save()
{
    Result result = write();
    if (result.ok())
        markSaved();
    return result;
}

void GalleryDocument::markSaved()
{
    m_undo->setClean();
}

std::vector<char32_t> GalleryDocument::unstorableCharacters() const
{
    return gallery::unstorableCharacters(m_gallery);
}

Result GalleryDocument::write() const
{
    if (m_filePath.isEmpty())
        return Result::refused();
    try {
        SaveGallery(m_filePath, m_gallery);
        return Result::done();
    } catch (const GalleryFileError &e) {
        return Result::message(
            translate("artshelf", "The gallery could not be saved to %1.\r\n\r\n%2")
                .arg(shownPath(e.file()), e.reason()),
            CriticalOk);
    }
}

Result GalleryDocument::saveAs(const QString &path)
{
    m_filePath = path;
    return save();
}

Result GalleryDocument::rename(const QString &name)
{
    if (name.isEmpty() || name == m_gallery.Name)
        return Result::refused();
    m_undo->push(new TextsCommand(this, 0, 0, name, {}, translate("artshelf", "Rename Gallery")));
    return Result::done();
}

Result GalleryDocument::addCategory(const QString &name, const QString &typedPath)
{
    const QString path = withLeadingBackslash(typedPath);
    if (pathUsed(path))
        return Result::message(PathExists);
    auto f = std::make_unique<Folder>();
    f->FolderName = name;
    f->FolderPath = path;
    m_undo->push(new CategoryPresenceCommand(this, categoryCount() + 1, std::move(f),
                                             translate("artshelf", "New Category")));
    return Result::done();
}

Result GalleryDocument::editCategory(int k, const QString &name, const QString &typedPath)
{
    const QString path = withLeadingBackslash(typedPath);
    if (!category(k))
        return Result::message(CategoryNotFound);
    // Another category has that folder: change neither the node nor the category.
    if (pathUsed(path, k))
        return Result::message(PathExists);
    m_undo->push(new TextsCommand(this, k, 0, name, path, translate("artshelf", "Edit Category")));
    return Result::done();
}

Result GalleryDocument::removeCategory(int k)
{
    if (!category(k))
        return Result::message(CategoryNotFound);
    m_undo->push(
        new CategoryPresenceCommand(this, k, nullptr, translate("artshelf", "Remove Category")));
    return Result::done();
}

Result GalleryDocument::addItem(int k, const QString &title, const QString &fileName)
{
    Folder *f = folder(k);
    if (!f)
        return Result::message(CategoryNotFound);
    // The category already has a picture of that name.
    if (fileName.isEmpty() || fileUsed(k, fileName))
        return Result::refused();
    m_undo->push(new ItemPresenceCommand(this, k, f->Items.Item.Count() + 1,
                                         std::make_unique<Clipart>(Clipart{title, fileName}),
                                         translate("artshelf", "New Item")));
    return Result::done();
}

Result GalleryDocument::editItem(int k, int j, const QString &title, const QString &fileName)
{
    if (!category(k))
        return Result::message(CategoryNotFound);
    if (!item(k, j) || fileName.isEmpty() || fileUsed(k, fileName, j))
        return Result::refused();
    m_undo->push(new TextsCommand(this, k, j, title, fileName, translate("artshelf", "Edit Item")));
    return Result::done();
}

Result GalleryDocument::removeItem(int k, int j)
{
    if (!category(k))
        return Result::message(CategoryNotFound);
    if (!item(k, j))
        return Result::refused();
    m_undo->push(
        new ItemPresenceCommand(this, k, j, nullptr, translate("artshelf", "Remove Item")));
    return Result::done();
}

Result GalleryDocument::retitleItem(int k, int j, const QString &title)
{
    if (!category(k))
        return Result::message(CategoryNotFound);
    const std::optional<Clipart> clip = item(k, j);
    // An edit left as it was is no step to undo.
    if (!clip || clip->Description == title)
        return Result::refused();
    m_undo->push(
        new TextsCommand(this, k, j, title, clip->Filename, translate("artshelf", "Rename Item")));
    return Result::done();
}

std::optional<QString> GalleryDocument::hostFolder()
{
    const QString folder = host::installFolder(host::GalleryHostDefault);
    if (!host::isPresent(folder, host::GalleryHostDefault))
        return std::nullopt;
    return folder;
}

std::optional<QString> GalleryDocument::picturePath(const QString &hostFolder, int k, int j) const
{
    const Folder *f = category(k);
    if (!f || j < 1 || j > f->Items.Item.Count())
        return std::nullopt;
    return toNativePath(host::clipartRoot(hostFolder) + f->FolderPath + QLatin1Char('\\') +
                        f->Items.Item(j).Filename);
}

} // namespace qs::gallery
