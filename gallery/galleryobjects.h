#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace qs::gallery {

// Raised by a collection read or removal outside 1..count.
class CollectionIndexError : public std::out_of_range
{
public:
    static constexpr int ErrorNumber = 9; // "Subscript out of range"
    CollectionIndexError()
        : std::out_of_range("Subscript out of range")
    {
    }
};

// An ordered collection addressed from 1.
template <typename T> class Collection
{
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    T &operator()(int index) { return *m_items[slot(index)]; }
    const T &operator()(int index) const { return *m_items[slot(index)]; }
    T &Add(std::unique_ptr<T> item)
    {
        m_items.push_back(std::move(item));
        return *m_items.back();
    }
    void Remove(int index)
    {
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(slot(index)));
    }
    // Puts item at index (1..count + 1), moving those from there one place on.
    void Insert(int index, std::unique_ptr<T> item)
    {
        const int at = index == Count() + 1 ? index - 1 : static_cast<int>(slot(index));
        m_items.insert(m_items.begin() + at, std::move(item));
    }
    // Removes the item at index and hands it to the caller.
    std::unique_ptr<T> Take(int index)
    {
        const auto at = m_items.begin() + static_cast<std::ptrdiff_t>(slot(index));
        std::unique_ptr<T> item = std::move(*at);
        m_items.erase(at);
        return item;
    }
    void Clear() { m_items.clear(); }
    void Reserve(int n) { m_items.reserve(static_cast<size_t>(n)); }

private:
    size_t slot(int index) const
    {
        if (index < 1 || index > Count())
            throw CollectionIndexError();
        return static_cast<size_t>(index - 1);
    }
    std::vector<std::unique_ptr<T>> m_items;
};

class Clipart
{
public:
    QString Description;
    QString Filename;
};

// The bytes of the file items were read from, which their values point into until changed.
struct ClipartSource
{
    QByteArray bytes;
    bool utf8 = true;
};

// Where a value lies in a source's bytes; a negative offset when the file has no such value.
struct SourceValue
{
    qint64 offset = -1;
    qint64 length = 0;
};

// A category's items, addressed from 1. An item read from a file stays the places of its two
// values in the file's bytes and is decoded each time it is asked for, so that a gallery of a
// million items costs little more than its file; an item added or changed holds its texts.
// Reading never changes the list, so threads may read it together.
class ClipartList
{
public:
    static inline const QString UntitledTitle = QStringLiteral("Untitled Item");

    int Count() const { return static_cast<int>(m_items.size()); }
    Clipart operator()(int index) const;
    // Whether the item at index still holds what the file it was read from says.
    bool IsAsRead(int index) const { return !m_items[slot(index)].owned; }
    void Add(std::unique_ptr<Clipart> item);
    // An item as source holds it; a missing title reads as "Untitled Item", a missing file
    // name as empty.
    void AddRead(const std::shared_ptr<const ClipartSource> &source, SourceValue title,
                 SourceValue file);
    void Remove(int index);
    // Puts item at index (1..count + 1), moving those from there one place on.
    void Insert(int index, std::unique_ptr<Clipart> item);
    // Removes the item at index and hands it to the caller.
    std::unique_ptr<Clipart> Take(int index);
    // Gives the item at index new values.
    void Set(int index, Clipart item);
    void Clear() { m_items.clear(); }
    void Reserve(int n) { m_items.reserve(static_cast<size_t>(n)); }

private:
    struct Entry
    {
        std::unique_ptr<Clipart> owned;
        quint64 title = 0; // offset << 16 | length in the source, or Missing
        quint64 file = 0;
    };
    static constexpr quint64 Missing = ~quint64(0);
    size_t slot(int index) const;
    QString decoded(quint64 value, const QString &missing) const;

    std::vector<Entry> m_items;
    std::shared_ptr<const ClipartSource> m_source;
};

class FolderItems
{
public:
    ClipartList Item;

    // Appends an item and returns its position.
    std::int32_t AddItem(const QString &lpName, const QString &lpFileName);
    // 0 when removed; otherwise the collection's error number, with nothing changed.
    std::int32_t RemoveItem(std::int16_t Index);
};

class Folder
{
public:
    FolderItems Items;
    QString FolderName;
    QString FolderPath;
};

// A category as Copy takes it, apart from any gallery: name, folder path and items.
struct CategoryCopy
{
    QString name;
    QString path;
    QList<Clipart> items;
};

// The one open gallery: its name (shown as the tree's root) and its categories.
class Gallery
{
public:
    static inline const QString UntitledName = QStringLiteral("Untitled Gallery");
    // The key of the tree's root node, which stands for the gallery; no category may use it.
    static inline const QString RootKey = QStringLiteral("root");

    QString Name = UntitledName;
    Collection<Folder> Folders;

    // Appends a category and returns its position.
    std::int32_t AddFolder(const QString &name, const QString &path);
    // Empties the categories, last first, and names the gallery "Untitled Gallery".
    void reset();
};

} // namespace qs::gallery
