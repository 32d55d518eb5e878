#pragma once

#include <QByteArray>
#include <QStringView>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

// The hash tables of the profile reader. A gallery of 200,000 keys is read one key at a time,
// each key a separate profile-string read, so a read must cost a hash and a short probe into
// tables built once per file, never a scan of the file.
namespace qs::detail {

inline constexpr uint32_t NotFound = std::numeric_limits<uint32_t>::max();

// Blanks trimmed around names and values.
inline constexpr bool isBlank(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

inline uint64_t load8(const char *p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// Sets bit 0x20 on the bytes 'A'..'Z' of eight packed bytes; other bytes stay.
inline uint64_t lowerAscii8(uint64_t x)
{
    constexpr uint64_t Ones = 0x0101010101010101ull;
    constexpr uint64_t High = 0x8080808080808080ull;
    const uint64_t low7 = x & ~High;
    const uint64_t atLeastA = low7 + Ones * (0x80 - 'A');
    const uint64_t pastZ = low7 + Ones * (0x80 - 'Z' - 1);
    return x | ((atLeastA & ~pastZ & ~x & High) >> 2);
}

inline uint64_t load4(const char *p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// Packs all n bytes (0 < n < 8) into one word without reading past them.
inline uint64_t loadShort(const char *p, qsizetype n)
{
    if (n >= 4)
        return load4(p) | (load4(p + n - 4) << 32);
    return uint64_t(static_cast<unsigned char>(p[0])) |
           uint64_t(static_cast<unsigned char>(p[n / 2])) << 8 |
           uint64_t(static_cast<unsigned char>(p[n - 1])) << 16;
}

// Hash of a name after ASCII lowercasing, so a raw ASCII name and its folded form agree.
uint32_t hashName(const char *p, qsizetype n);

// Whether two names of n bytes are equal after ASCII lowercasing (the rest is folded already).
inline bool sameFolded(const char *a, const char *b, qsizetype n)
{
    if (n < 8)
        return n == 0 || lowerAscii8(loadShort(a, n)) == lowerAscii8(loadShort(b, n));
    for (qsizetype i = 0; i < n - 8; i += 8) {
        if (lowerAscii8(load8(a + i)) != lowerAscii8(load8(b + i)))
            return false;
    }
    return lowerAscii8(load8(a + n - 8)) == lowerAscii8(load8(b + n - 8));
}

// A name asked for, trimmed and folded to the form the index compares with.
class FoldedQuery
{
public:
    explicit FoldedQuery(QStringView name);

    const char *data() const { return m_data; }
    qsizetype size() const { return m_size; }
    bool isValid() const { return m_valid; }

private:
    char m_buffer[64];
    QByteArray m_heap;
    const char *m_data = nullptr;
    qsizetype m_size = 0;
    bool m_valid = true;
};

struct Slot
{
    uint32_t hash;
    uint32_t index; // entry index + 1; 0 marks a free slot
};

// Linear probing in a power-of-two run of slots; returns the matching index or NotFound.
template <typename Eq> uint32_t probe(const Slot *slotRun, size_t mask, uint32_t hash, Eq eq)
{
    if (!slotRun)
        return NotFound;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot s = slotRun[i];
        if (s.index == 0)
            return NotFound;
        if (s.hash == hash && eq(s.index - 1))
            return s.index - 1;
    }
}

// Open addressing table; the stored hashes make growing cheap.
class SlotTable
{
public:
    template <typename Eq> uint32_t find(uint32_t hash, Eq eq) const
    {
        return probe(m_slots.empty() ? nullptr : m_slots.data(), m_mask, hash, eq);
    }

    // Adds index unless an equal entry is there; returns whether it was added.
    template <typename Eq> bool insert(uint32_t hash, uint32_t index, Eq eq)
    {
        // Filled up to three quarters: the stored hashes keep the longer probes cheap.
        if ((m_count + 1) * 4 > m_slots.size() * 3)
            grow();
        size_t i = hash & m_mask;
        for (;; i = (i + 1) & m_mask) {
            const Slot s = m_slots[i];
            if (s.index == 0)
                break;
            if (s.hash == hash && eq(s.index - 1))
                return false;
        }
        m_slots[i] = Slot{hash, index + 1};
        ++m_count;
        return true;
    }

    // Empties the table, with room for expected entries without growing: sections of one
    // file tend to be alike. The cost follows the size, which follows what was inserted.
    void clear(size_t expected = 0);
    // Makes the table no larger than its entries need, as growing would have left it.
    void fit();

    size_t count() const { return m_count; }
    const std::vector<Slot> &slotArray() const { return m_slots; }

private:
    void grow();
    void rehash(size_t size);
    // The fewest slots, a power of two, that hold count entries at most three quarters full.
    static size_t slotsFor(size_t count);

    static constexpr size_t MinSlots = 4;
    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
};

} // namespace qs::detail
