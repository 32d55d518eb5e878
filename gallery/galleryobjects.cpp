#include "galleryobjects.h"

namespace qs::gallery {

std::int32_t FolderItems::AddItem(const QString &lpName, const QString &lpFileName)
{
    auto clip = std::make_unique<Clipart>();
    clip->Filename = lpFileName;
    clip->Description = lpName;
    Item.Add(std::move(clip));
    return Item.Count();
}

std::int32_t FolderItems::RemoveItem(std::int16_t Index)
{
    try {
        Item.Remove(Index);
        return 0;
    } catch (const CollectionIndexError &) {
        return CollectionIndexError::ErrorNumber;
    }
}

std::int32_t Gallery::AddFolder(const QString &name, const QString &path)
{
    auto folder = std::make_unique<Folder>();
    folder->FolderName = name;
    folder->FolderPath = path;
    Folders.Add(std::move(folder));
    return Folders.Count();
}

void Gallery::reset()
{
    for (int i = Folders.Count(); i >= 1; --i)
        Folders.Remove(i);
    Name = UntitledName;
}

} // namespace qs::gallery
