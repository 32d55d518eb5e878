#include "galleryobjects.h"

#include "profilefile.h"

namespace qs::gallery {

size_t ClipartList::slot(int index) const
{
    if (index < 1 || index > Count())
        throw CollectionIndexError();
    return static_cast<size_t>(index - 1);
}

QString ClipartList::decoded(quint64 value, const QString &missing) const
{
    if (value == Missing)
        return missing;
    const QByteArrayView raw(m_source->bytes.constData() + (value >> 16), value & 0xFFFF);
    return ProfileFile::decodeValue(raw, m_source->utf8);
}

Clipart ClipartList::operator()(int index) const
{
    const Entry &entry = m_items[slot(index)];
    if (entry.owned)
        return *entry.owned;
    return Clipart{decoded(entry.title, UntitledTitle), decoded(entry.file, QString())};
}

void ClipartList::Add(std::unique_ptr<Clipart> item)
{
    m_items.push_back(Entry{std::move(item)});
}

void ClipartList::AddRead(const std::shared_ptr<const ClipartSource> &source, SourceValue title,
                          SourceValue file)
{
    if (!m_source)
        m_source = source;
    if (m_source != source) {
        // A list points into one file; an item from another holds its texts.
        const auto text = [&](SourceValue v, const QString &missing) {
            return v.offset < 0 ? missing
                                : ProfileFile::decodeValue(
                                      QByteArrayView(source->bytes).sliced(v.offset, v.length),
                                      source->utf8);
        };
        Add(std::make_unique<Clipart>(Clipart{text(title, UntitledTitle), text(file, QString())}));
        return;
    }
    // A read keeps at most 254 characters of a value: its length fits in 16 bits.
    const auto place = [](SourceValue v) {
        return v.offset < 0 ? Missing : quint64(v.offset) << 16 | quint64(v.length & 0xFFFF);
    };
    m_items.push_back(Entry{nullptr, place(title), place(file)});
}

void ClipartList::Remove(int index)
{
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(slot(index)));
}

void ClipartList::Insert(int index, std::unique_ptr<Clipart> item)
{
    const int at = index == Count() + 1 ? index - 1 : static_cast<int>(slot(index));
    m_items.insert(m_items.begin() + at, Entry{std::move(item)});
}

std::unique_ptr<Clipart> ClipartList::Take(int index)
{
    auto item = std::make_unique<Clipart>((*this)(index));
    Remove(index);
    return item;
}

void ClipartList::Set(int index, Clipart item)
{
    m_items[slot(index)] = Entry{std::make_unique<Clipart>(std::move(item))};
}

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
