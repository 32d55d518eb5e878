#pragma once

#include "gallerydocument.h"

#include <QUndoCommand>

#include <memory>

namespace qs::gallery {

// A change to the gallery that undo takes back. Every step here is its own inverse: redo and
// undo both toggle it, so one class serves for adding and removing alike.
class GalleryCommand : public QUndoCommand
{
public:
    // The models have followed the step once it is taken; then the window may look.
    void redo() override
    {
        toggle();
        emit m_document->edited();
    }
    void undo() override
    {
        toggle();
        emit m_document->edited();
    }

protected:
    GalleryCommand(GalleryDocument *document, const QString &text, QUndoCommand *parent)
        : QUndoCommand(text, parent)
        , m_document(document)
    {
    }
    virtual void toggle() = 0;
    GalleryDocument &doc() const { return *m_document; }

    void insertCategory(int k, std::unique_ptr<Folder> f)
    {
        doc().insertCategoryStep(k, std::move(f));
    }
    std::unique_ptr<Folder> takeCategory(int k) { return doc().takeCategoryStep(k); }
    void insertItem(int k, int j, std::unique_ptr<Clipart> c)
    {
        doc().insertItemStep(k, j, std::move(c));
    }
    std::unique_ptr<Clipart> takeItem(int k, int j) { return doc().takeItemStep(k, j); }
    void swapName(QString &name) { doc().swapNameStep(name); }
    void swapCategory(int k, QString &name, QString &path)
    {
        doc().swapCategoryStep(k, name, path);
    }
    void swapItem(int k, int j, QString &title, QString &file)
    {
        doc().swapItemStep(k, j, title, file);
    }
    void moveCategory(int from, int to) { doc().moveCategoryStep(from, to); }
    void moveItem(int k, int from, int to) { doc().moveItemStep(k, from, to); }

private:
    GalleryDocument *m_document;
};

// Puts a category it holds at position k, or, holding none, takes the one there out.
class CategoryPresenceCommand : public GalleryCommand
{
public:
    CategoryPresenceCommand(GalleryDocument *document, int k, std::unique_ptr<Folder> held,
                            const QString &text = {}, QUndoCommand *parent = nullptr);

protected:
    void toggle() override;

private:
    int m_k;
    std::unique_ptr<Folder> m_held;
};

// The same for item j of category k.
class ItemPresenceCommand : public GalleryCommand
{
public:
    ItemPresenceCommand(GalleryDocument *document, int k, int j, std::unique_ptr<Clipart> held,
                        const QString &text = {}, QUndoCommand *parent = nullptr);

protected:
    void toggle() override;

private:
    int m_k;
    int m_j;
    std::unique_ptr<Clipart> m_held;
};

// Exchanges the texts it holds with the gallery's name (k 0), a category's name and path (j 0)
// or an item's title and file name.
class TextsCommand : public GalleryCommand
{
public:
    TextsCommand(GalleryDocument *document, int k, int j, QString first, QString second,
                 const QString &text);

protected:
    void toggle() override;

private:
    int m_k;
    int m_j;
    QString m_first;
    QString m_second;
};

// Moves a category (k 0) or an item of category k from one position to another, and back.
class MoveCommand : public GalleryCommand
{
public:
    MoveCommand(GalleryDocument *document, int k, int from, int to, const QString &text);

protected:
    void toggle() override;

private:
    int m_k;
    int m_from;
    int m_to;
};

} // namespace qs::gallery
