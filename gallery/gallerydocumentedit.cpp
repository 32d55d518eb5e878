#include "gallerydocument.h"
#include "translation.h"

#include "galleryundo.h"

#include <QSet>
#include <QUndoStack>

namespace qs::gallery {

namespace {

constexpr int InformationOk = 64; // OK button with the information icon

// A step made of several: only worth pushing when it holds one.
void pushSteps(QUndoStack *stack, std::unique_ptr<QUndoCommand> steps)
{
    if (steps->childCount() > 0)
        stack->push(steps.release());
}

} // namespace

Result GalleryDocument::addMultiple(int k, const QStringList &names)
{
    if (!category(k))
        return Result::message(CategoryNotFound);
    auto steps = std::make_unique<QUndoCommand>(translate("artshelf", "Add Multiple"));
    QSet<QString> added;
    int j = category(k)->Items.Item.Count();
    for (const QString &name : names) {
        if (name.isEmpty() || fileUsed(k, name) || added.contains(name))
            break;
        added.insert(name);
        new ItemPresenceCommand(this, k, ++j, std::make_unique<Clipart>(Clipart{name, name}), {},
                                steps.get());
    }
    const bool any = steps->childCount() > 0;
    pushSteps(m_undo, std::move(steps));
    return any ? Result::done() : Result::refused();
}

Result GalleryDocument::insertItems(int k, int j, const QList<Clipart> &items, const QString &step)
{
    const Folder *f = category(k);
    if (!f)
        return Result::message(CategoryNotFound);
    j = std::clamp(j, 1, f->Items.Item.Count() + 1);
    auto steps = std::make_unique<QUndoCommand>(step);
    QSet<QString> added;
    int leftOut = 0;
    for (const Clipart &clip : items) {
        // As in Add Multiple, a category holds a picture file once.
        if (clip.Filename.isEmpty() || fileUsed(k, clip.Filename) ||
            added.contains(clip.Filename)) {
            ++leftOut;
            continue;
        }
        added.insert(clip.Filename);
        new ItemPresenceCommand(this, k, j++, std::make_unique<Clipart>(clip), {}, steps.get());
    }
    const bool any = steps->childCount() > 0;
    pushSteps(m_undo, std::move(steps));
    if (leftOut > 0)
        return Result::message(translate("artshelf", "Items left out, as the category has an "
                                                     "item with their file name already: %1")
                                   .arg(leftOut),
                               InformationOk, {}, any);
    return any ? Result::done() : Result::refused();
}

Result GalleryDocument::insertCategories(int k, const QList<CategoryCopy> &categories,
                                         const QString &step)
{
    k = std::clamp(k, 1, categoryCount() + 1);
    auto steps = std::make_unique<QUndoCommand>(step);
    QSet<QString> added;
    int leftOut = 0;
    for (const CategoryCopy &copy : categories) {
        // The tree keys its nodes by folder path.
        if (pathUsed(copy.path) || added.contains(copy.path)) {
            ++leftOut;
            continue;
        }
        added.insert(copy.path);
        auto f = std::make_unique<Folder>();
        f->FolderName = copy.name;
        f->FolderPath = copy.path;
        f->Items.Item.Reserve(static_cast<int>(copy.items.size()));
        for (const Clipart &clip : copy.items)
            f->Items.AddItem(clip.Description, clip.Filename);
        new CategoryPresenceCommand(this, k++, std::move(f), {}, steps.get());
    }
    const bool any = steps->childCount() > 0;
    pushSteps(m_undo, std::move(steps));
    if (leftOut > 0)
        return Result::message(translate("artshelf", "Categories left out, as their folder path "
                                                     "is in use already: %1")
                                   .arg(leftOut),
                               InformationOk, {}, any);
    return any ? Result::done() : Result::refused();
}

Result GalleryDocument::cut(int k, int j)
{
    if (!category(k))
        return Result::message(CategoryNotFound);
    const QString step = translate("artshelf", "Cut");
    if (j == 0)
        m_undo->push(new CategoryPresenceCommand(this, k, nullptr, step));
    else if (item(k, j))
        m_undo->push(new ItemPresenceCommand(this, k, j, nullptr, step));
    else
        return Result::refused();
    return Result::done();
}

Result GalleryDocument::moveCategory(int from, int to)
{
    if (from == to || !category(from) || !category(to))
        return Result::refused();
    m_undo->push(new MoveCommand(this, 0, from, to, translate("artshelf", "Move Category")));
    return Result::done();
}

Result GalleryDocument::moveItem(int k, int from, int to)
{
    if (!category(k))
        return Result::message(CategoryNotFound);
    if (from == to || !item(k, from) || !item(k, to))
        return Result::refused();
    m_undo->push(new MoveCommand(this, k, from, to, translate("artshelf", "Move Item")));
    return Result::done();
}

CategoryCopy GalleryDocument::copyOf(int k) const
{
    CategoryCopy copy;
    if (const Folder *f = category(k)) {
        copy.name = f->FolderName;
        copy.path = f->FolderPath;
        for (int j = 1; j <= f->Items.Item.Count(); ++j)
            copy.items << f->Items.Item(j);
    }
    return copy;
}

bool GalleryDocument::findNext(const QString &text, int &k, int &j) const
{
    const int n = categoryCount();
    if (text.isEmpty() || n == 0)
        return false;
    const int startK = category(k) ? k : 1;
    const int startJ = category(k) ? j : 0;
    // Round every category once, back to where the search began.
    for (int step = 0; step <= n; ++step) {
        const int c = (startK - 1 + step) % n + 1;
        const int last = step == n ? startJ : listableItemCount(c);
        const auto &items = category(c)->Items.Item;
        for (int i = step == 0 ? startJ + 1 : 1; i <= last; ++i) {
            if (items(i).Description.contains(text, Qt::CaseInsensitive) ||
                items(i).Filename.contains(text, Qt::CaseInsensitive)) {
                k = c;
                j = i;
                return true;
            }
        }
    }
    return false;
}

} // namespace qs::gallery
