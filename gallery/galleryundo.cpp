#include "galleryundo.h"

namespace qs::gallery {

CategoryPresenceCommand::CategoryPresenceCommand(GalleryDocument *document, int k,
                                                 std::unique_ptr<Folder> held, const QString &text,
                                                 QUndoCommand *parent)
    : GalleryCommand(document, text, parent)
    , m_k(k)
    , m_held(std::move(held))
{
}

void CategoryPresenceCommand::toggle()
{
    if (m_held)
        insertCategory(m_k, std::move(m_held));
    else
        m_held = takeCategory(m_k);
}

ItemPresenceCommand::ItemPresenceCommand(GalleryDocument *document, int k, int j,
                                         std::unique_ptr<Clipart> held, const QString &text,
                                         QUndoCommand *parent)
    : GalleryCommand(document, text, parent)
    , m_k(k)
    , m_j(j)
    , m_held(std::move(held))
{
}

void ItemPresenceCommand::toggle()
{
    if (m_held)
        insertItem(m_k, m_j, std::move(m_held));
    else
        m_held = takeItem(m_k, m_j);
}

TextsCommand::TextsCommand(GalleryDocument *document, int k, int j, QString first, QString second,
                           const QString &text)
    : GalleryCommand(document, text, nullptr)
    , m_k(k)
    , m_j(j)
    , m_first(std::move(first))
    , m_second(std::move(second))
{
}

void TextsCommand::toggle()
{
    if (m_k == 0)
        swapName(m_first);
    else if (m_j == 0)
        swapCategory(m_k, m_first, m_second);
    else
        swapItem(m_k, m_j, m_first, m_second);
}

MoveCommand::MoveCommand(GalleryDocument *document, int k, int from, int to, const QString &text)
    : GalleryCommand(document, text, nullptr)
    , m_k(k)
    , m_from(from)
    , m_to(to)
{
}

void MoveCommand::toggle()
{
    if (m_k == 0)
        moveCategory(m_from, m_to);
    else
        moveItem(m_k, m_from, m_to);
    std::swap(m_from, m_to);
}

// The document's steps: each changes the gallery and tells the models before and after.

void GalleryDocument::insertCategoryStep(int k, std::unique_ptr<Folder> f)
{
    emit categoryAboutToBeAdded(k);
    m_gallery.Folders.Insert(k, std::move(f));
    emit categoryAdded(k);
}

std::unique_ptr<Folder> GalleryDocument::takeCategoryStep(int k)
{
    emit categoryAboutToBeRemoved(k);
    std::unique_ptr<Folder> f = m_gallery.Folders.Take(k);
    emit categoryRemoved(k);
    return f;
}

void GalleryDocument::insertItemStep(int k, int j, std::unique_ptr<Clipart> clip)
{
    emit itemAboutToBeAdded(k, j);
    folder(k)->Items.Item.Insert(j, std::move(clip));
    emit itemAdded(k, j);
}

std::unique_ptr<Clipart> GalleryDocument::takeItemStep(int k, int j)
{
    emit itemAboutToBeRemoved(k, j);
    std::unique_ptr<Clipart> clip = folder(k)->Items.Item.Take(j);
    emit itemRemoved(k, j);
    return clip;
}

void GalleryDocument::swapNameStep(QString &name)
{
    std::swap(m_gallery.Name, name);
    emit nameChanged();
}

void GalleryDocument::swapCategoryStep(int k, QString &name, QString &path)
{
    Folder *f = folder(k);
    std::swap(f->FolderName, name);
    std::swap(f->FolderPath, path);
    emit categoryChanged(k);
}

void GalleryDocument::swapItemStep(int k, int j, QString &title, QString &fileName)
{
    Clipart clip = folder(k)->Items.Item(j);
    std::swap(clip.Description, title);
    std::swap(clip.Filename, fileName);
    folder(k)->Items.Item.Set(j, std::move(clip));
    emit itemChanged(k, j);
}

void GalleryDocument::moveCategoryStep(int from, int to)
{
    emit categoryAboutToBeMoved(from, to);
    m_gallery.Folders.Insert(to, m_gallery.Folders.Take(from));
    emit categoryMoved(from, to);
}

void GalleryDocument::moveItemStep(int k, int from, int to)
{
    emit itemAboutToBeMoved(k, from, to);
    auto &items = folder(k)->Items.Item;
    items.Insert(to, items.Take(from));
    emit itemMoved(k, from, to);
}

} // namespace qs::gallery
