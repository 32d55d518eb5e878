#include "nametable.h"

#include <QHashSeed>
#include <QString>

namespace qs::detail {

namespace {

inline uint64_t mixWord(uint64_t h, uint64_t w)
{
    h ^= w;
    h *= 0x9FB21C651E98DF25ull;
    return h ^ (h >> 29);
}

// Seeded per process, so that a file cannot be made of names that all collide.
const uint64_t HashSeed = uint64_t(QHashSeed::globalSeed()) * 0xD6E8FEB86659FD93ull;

QStringView trimmed(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b].unicode()))
        ++b;
    while (e > b && isBlank(s[e - 1].unicode()))
        --e;
    return s.mid(b, e - b);
}

bool hasUnpairedSurrogate(QStringView s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

} // namespace

uint32_t hashName(const char *p, qsizetype n)
{
    uint64_t h = HashSeed ^ (uint64_t(n) * 0x9E3779B97F4A7C15ull);
    if (n >= 8) {
        // The last word overlaps the one before it rather than reading past the end.
        const char *last = p + n - 8;
        for (; p < last; p += 8)
            h = mixWord(h, lowerAscii8(load8(p)));
        h = mixWord(h, lowerAscii8(load8(last)));
    } else if (n > 0) {
        h = mixWord(h, lowerAscii8(loadShort(p, n)));
    }
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return uint32_t(h);
}

FoldedQuery::FoldedQuery(QStringView name)
{
    name = trimmed(name);
    const char16_t *s = name.utf16();
    const qsizetype n = name.size();
    char *out = m_buffer;
    if (n > qsizetype(sizeof m_buffer)) {
        m_heap.resize(n);
        out = m_heap.data();
    }
    char16_t seen = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        seen |= c;
        out[i] = char(c + (char16_t(c - u'A') < 26 ? 0x20 : 0));
    }
    if (seen < 0x80) {
        m_data = out;
        m_size = n;
        return;
    }
    // A file never holds a lone surrogate, so such a name cannot match.
    if (hasUnpairedSurrogate(name)) {
        m_valid = false;
        return;
    }
    m_heap = name.toString().toCaseFolded().toUtf8();
    m_data = m_heap.constData();
    m_size = m_heap.size();
}

size_t SlotTable::slotsFor(size_t count)
{
    size_t n = MinSlots;
    while (count * 4 > n * 3)
        n *= 2;
    return n;
}

void SlotTable::clear(size_t expected)
{
    m_count = 0;
    if (expected == 0) {
        m_slots.clear();
        m_mask = 0;
        return;
    }
    m_slots.assign(slotsFor(expected), Slot{0, 0});
    m_mask = m_slots.size() - 1;
}

void SlotTable::fit()
{
    if (!m_slots.empty() && slotsFor(m_count) < m_slots.size())
        rehash(slotsFor(m_count));
}

void SlotTable::grow()
{
    rehash(m_slots.size() * 2 < MinSlots ? MinSlots : m_slots.size() * 2);
}

void SlotTable::rehash(size_t size)
{
    std::vector<Slot> old(size, Slot{0, 0});
    old.swap(m_slots);
    m_mask = m_slots.size() - 1;
    for (const Slot &s : old) {
        if (s.index == 0)
            continue;
        size_t i = s.hash & m_mask;
        while (m_slots[i].index != 0)
            i = (i + 1) & m_mask;
        m_slots[i] = s;
    }
}

} // namespace qs::detail
