#include "profilefile.h"

#include "profileindex.h"

#include <QFile>

namespace qs {

namespace {

// UTF-16 length of the first max code points; a surrogate pair is one code point.
qsizetype utf16Prefix(QStringView s, qsizetype max)
{
    qsizetype i = 0;
    for (qsizetype count = 0; i < s.size() && count < max; ++count) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            i += 2;
        else
            ++i;
    }
    return i;
}

} // namespace

struct ProfileFile::Index : detail::ProfileIndex
{
};

ProfileFile::ProfileFile() = default;
ProfileFile::~ProfileFile() = default;
ProfileFile::ProfileFile(ProfileFile &&) noexcept = default;
ProfileFile &ProfileFile::operator=(ProfileFile &&) noexcept = default;

ProfileFile ProfileFile::fromBytes(QByteArray bytes)
{
    ProfileFile file;
    file.m_index = std::make_unique<Index>();
    file.m_index->bytes = std::move(bytes);
    file.m_index->parse();
    return file;
}

ProfileFile ProfileFile::fromFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fromBytes(QByteArray());
    return fromBytes(f.readAll());
}

QString ProfileFile::getString(QStringView section, QStringView key, QStringView def) const
{
    if (m_index) {
        if (const detail::KeyEntry *found = m_index->find(section, key))
            return m_index->valueText(*found);
    }
    qsizetype n = def.size();
    while (n > 0 && def[n - 1] == u' ')
        --n;
    def = def.first(n);
    return def.first(utf16Prefix(def, MaxValueLength)).toString();
}

std::optional<QString> ProfileFile::value(QStringView section, QStringView key) const
{
    if (m_index) {
        if (const detail::KeyEntry *found = m_index->find(section, key))
            return m_index->valueText(*found);
    }
    return std::nullopt;
}

std::optional<ProfileFile::ValueRef> ProfileFile::valueRef(QStringView section,
                                                           QStringView key) const
{
    if (m_index) {
        if (const detail::KeyEntry *found = m_index->find(section, key))
            return ValueRef{found->valueOffset, found->valueLength};
    }
    return std::nullopt;
}

int ProfileFile::sectionId(QStringView section) const
{
    if (!m_index)
        return -1;
    const detail::FoldedQuery s(section);
    const uint32_t id = s.isValid() ? m_index->findSection(s.data(), s.size()) : detail::NotFound;
    return id == detail::NotFound ? -1 : int(id);
}

std::optional<ProfileFile::ValueRef> ProfileFile::valueRef(int sectionId, QStringView key) const
{
    if (!m_index || sectionId < 0)
        return std::nullopt;
    const detail::FoldedQuery k(key);
    const uint32_t id =
        k.isValid() ? m_index->findKey(uint32_t(sectionId), k.data(), k.size()) : detail::NotFound;
    if (id == detail::NotFound)
        return std::nullopt;
    const detail::KeyEntry &found = m_index->keys[id];
    return ValueRef{found.valueOffset, found.valueLength};
}

QByteArray ProfileFile::bytes() const
{
    return m_index ? m_index->bytes : QByteArray();
}

bool ProfileFile::isUtf8() const
{
    return !m_index || m_index->utf8;
}

QString ProfileFile::decodeValue(QByteArrayView raw, bool utf8)
{
    return detail::ProfileIndex::decode(raw, utf8);
}

bool ProfileFile::contains(QStringView section, QStringView key) const
{
    return m_index && m_index->find(section, key);
}

bool ProfileFile::hasSection(QStringView section) const
{
    if (!m_index)
        return false;
    const detail::FoldedQuery s(section);
    return s.isValid() && m_index->findSection(s.data(), s.size()) != detail::NotFound;
}

} // namespace qs
