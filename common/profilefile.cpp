#include "profilefile.h"

#include "textcodec.h"

#include <QFile>
#include <QHashSeed>
#include <QStringDecoder>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace qs {

namespace {

constexpr uint32_t NoSection = std::numeric_limits<uint32_t>::max();
constexpr uint32_t MaxEntries = std::numeric_limits<uint32_t>::max() - 1;

constexpr bool isBlank(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

// Blanks that can occur inside a line (CR and LF end it).
constexpr bool isInlineBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1A;
}

enum ByteClass : uint8_t { LineEnd = 1, Equals = 2, Nul = 4 };

constexpr std::array<uint8_t, 256> makeByteClasses()
{
    std::array<uint8_t, 256> t{};
    t['\r'] = LineEnd;
    t['\n'] = LineEnd;
    t['='] = Equals;
    t[0] = Nul;
    return t;
}
constexpr std::array<uint8_t, 256> ByteClasses = makeByteClasses();

// The first byte at or after p of one of the classes in mask, or end.
inline const char *scanTo(const char *p, const char *end, uint8_t mask)
{
    while (p < end && !(ByteClasses[static_cast<unsigned char>(*p)] & mask))
        ++p;
    return p;
}

inline const char *skipLineEnd(const char *p, const char *end)
{
    if (p < end && *p == '\r')
        ++p;
    else if (p < end && *p == '\n')
        return p + 1;
    if (p < end && *p == '\n')
        ++p;
    return p;
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

inline uint64_t mixWord(uint64_t h, uint64_t w)
{
    h ^= w;
    h *= 0x9FB21C651E98DF25ull;
    return h ^ (h >> 29);
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

// Seeded per process, so that a file cannot be made of names that all collide.
const uint64_t HashSeed = uint64_t(QHashSeed::globalSeed()) * 0xD6E8FEB86659FD93ull;

// Hash of a name after ASCII lowercasing, so a raw ASCII name and its folded form agree.
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

bool sameFolded(const char *a, const char *b, qsizetype n)
{
    if (n < 8)
        return n == 0 || lowerAscii8(loadShort(a, n)) == lowerAscii8(loadShort(b, n));
    for (qsizetype i = 0; i < n - 8; i += 8) {
        if (lowerAscii8(load8(a + i)) != lowerAscii8(load8(b + i)))
            return false;
    }
    return lowerAscii8(load8(a + n - 8)) == lowerAscii8(load8(b + n - 8));
}

bool isAscii(const char *p, qsizetype n)
{
    qsizetype i = 0;
    uint64_t acc = 0;
    for (; i + 8 <= n; i += 8)
        acc |= load8(p + i);
    for (; i < n; ++i)
        acc |= static_cast<unsigned char>(p[i]);
    return !(acc & 0x8080808080808080ull);
}

// How many bytes are '='; no line holds more keys than that.
qsizetype countEquals(const char *p, qsizetype n)
{
    constexpr uint64_t Low7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t Eq = 0x3D3D3D3D3D3D3D3Dull;
    qsizetype count = 0, i = 0;
    for (; i + 8 <= n; i += 8) {
        const uint64_t v = load8(p + i) ^ Eq;
        // The high bit of a byte is set exactly when that byte was '='.
        const uint64_t zero = ~(((v & Low7) + Low7) | v | Low7);
        count += qsizetype(((zero >> 7) * 0x0101010101010101ull) >> 56);
    }
    for (; i < n; ++i)
        count += p[i] == '=';
    return count;
}

// Whole-buffer UTF-8 check with a fast run over the leading ASCII part.
bool isUtf8Text(const char *p, qsizetype n)
{
    qsizetype i = 0;
    while (i + 8 <= n && !(load8(p + i) & 0x8080808080808080ull))
        i += 8;
    return isValidUtf8(QByteArrayView(p + i, n - i));
}

// UTF-8 to text keeping a leading U+FEFF: only the mark at the start of the file is skipped.
QString fromUtf8Kept(QByteArrayView bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

// Byte length of the first max code points of valid UTF-8.
qsizetype utf8Prefix(const char *p, qsizetype n, qsizetype max)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80 && count++ == max)
            return i;
    }
    return n;
}

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

// A name asked for, trimmed and folded to the form the index compares with.
class FoldedQuery
{
public:
    explicit FoldedQuery(QStringView name)
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

// Linear probing in a power-of-two run of slots; returns the matching index or NoSection.
template <typename Eq> uint32_t probe(const Slot *slotRun, size_t mask, uint32_t hash, Eq eq)
{
    if (!slotRun)
        return NoSection;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot s = slotRun[i];
        if (s.index == 0)
            return NoSection;
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

    // Empties the table; the cost follows its size, which follows what was inserted.
    void clear()
    {
        m_slots.clear();
        m_mask = 0;
        m_count = 0;
    }

    size_t count() const { return m_count; }
    const std::vector<Slot> &slotArray() const { return m_slots; }

private:
    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2 < MinSlots ? MinSlots : m_slots.size() * 2,
                              Slot{0, 0});
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

    static constexpr size_t MinSlots = 4;
    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
};

struct NameRef
{
    qsizetype offset = 0; // into the file bytes, or into the arena when folded
    qsizetype length = 0;
    bool folded = false;
};

// Each section has its own key table, a run of slots in Index::keySlots, so the keys of one
// section stay close together in memory while they are parsed and read.
struct SectionEntry
{
    NameRef name;
    size_t slotBegin = 0;
    size_t slotMask = 0;
    uint32_t keyBegin = 0; // the section's keys are keys[keyBegin, keyEnd)
    uint32_t keyEnd = 0;
};

struct KeyEntry
{
    qsizetype nameOffset;
    qsizetype valueOffset;
    uint32_t nameLength;
    uint16_t valueLength; // already cut to MaxValueLength characters
    bool nameFolded;
};

// Longest stored value in bytes: 254 characters of at most four UTF-8 bytes each.
static_assert(ProfileFile::MaxValueLength * 4 <= std::numeric_limits<uint16_t>::max());

} // namespace

struct ProfileFile::Index
{
    QByteArray bytes;
    QByteArray arena; // case-folded UTF-8 of the names that are not plain ASCII
    bool utf8 = true;
    std::vector<SectionEntry> sections;
    std::vector<KeyEntry> keys;
    std::vector<Slot> keySlots;
    SlotTable sectionTable;
    SlotTable openSection;                    // key table of the section being parsed
    mutable std::atomic<uint32_t> nextKey{0}; // a guess only, checked before use

    const char *nameData(qsizetype offset, bool folded) const
    {
        return (folded ? arena.constData() : bytes.constData()) + offset;
    }

    bool keyIs(uint32_t i, const char *name, qsizetype n) const
    {
        const KeyEntry &k = keys[i];
        return k.nameLength == n && sameFolded(nameData(k.nameOffset, k.nameFolded), name, n);
    }

    bool sectionIs(uint32_t i, const char *name, qsizetype n) const
    {
        const NameRef &r = sections[i].name;
        return r.length == n && sameFolded(nameData(r.offset, r.folded), name, n);
    }

    NameRef makeName(const char *b, const char *e)
    {
        const char *base = bytes.constData();
        if (isAscii(b, e - b))
            return NameRef{b - base, e - b, false};
        const QByteArrayView raw(b, e - b);
        const QString text = utf8 ? fromUtf8Kept(raw) : decodeWindows1252(raw);
        const QByteArray folded = text.toCaseFolded().toUtf8();
        const qsizetype offset = arena.size();
        arena += folded;
        return NameRef{offset, folded.size(), true};
    }

    uint32_t findSection(const char *name, qsizetype n) const
    {
        return sectionTable.find(hashName(name, n),
                                 [&](uint32_t i) { return sectionIs(i, name, n); });
    }

    uint32_t findKey(uint32_t section, const char *name, qsizetype n) const
    {
        const SectionEntry &s = sections[section];
        if (s.keyBegin == s.keyEnd)
            return NoSection;
        // Readers mostly walk a file in order, so first try the key after the last one found:
        // that skips the hashing and a cache miss in the slots.
        uint32_t found = nextKey.load(std::memory_order_relaxed);
        if (found < s.keyBegin || found >= s.keyEnd || !keyIs(found, name, n)) {
            found = probe(keySlots.data() + s.slotBegin, s.slotMask, hashName(name, n),
                          [&](uint32_t i) { return keyIs(i, name, n); });
            if (found == NoSection)
                return NoSection;
        }
        nextKey.store(found + 1, std::memory_order_relaxed);
        return found;
    }

    // Returns the new section's id, or NoSection when an earlier one has the name.
    uint32_t addSection(const char *b, const char *e)
    {
        if (sections.size() >= MaxEntries)
            return NoSection;
        const NameRef r = makeName(b, e);
        const char *name = nameData(r.offset, r.folded);
        const auto id = uint32_t(sections.size());
        if (!sectionTable.insert(hashName(name, r.length), id,
                                 [&](uint32_t i) { return sectionIs(i, name, r.length); }))
            return NoSection;
        sections.push_back(SectionEntry{r});
        sections.back().keyBegin = sections.back().keyEnd = uint32_t(keys.size());
        return id;
    }

    // Moves the key table of the section just parsed to its place in keySlots.
    void closeSection(uint32_t section)
    {
        if (section == NoSection || openSection.count() == 0)
            return;
        SectionEntry &s = sections[section];
        const std::vector<Slot> &slotRun = openSection.slotArray();
        s.slotBegin = keySlots.size();
        s.slotMask = slotRun.size() - 1;
        s.keyEnd = uint32_t(keys.size());
        keySlots.insert(keySlots.end(), slotRun.begin(), slotRun.end());
        openSection.clear();
    }

    void addKey(const char *nb, const char *ne, const char *vb, const char *ve)
    {
        if (keys.size() >= MaxEntries)
            return;
        qsizetype valueLength = ve - vb;
        if (valueLength > MaxValueLength) {
            valueLength = utf8
                              ? utf8Prefix(vb, std::min<qsizetype>(valueLength, MaxValueLength * 4),
                                           MaxValueLength)
                              : MaxValueLength;
        }
        const NameRef r = makeName(nb, ne);
        if (r.length > qsizetype(std::numeric_limits<uint32_t>::max()))
            return; // a name of over 4 GB is not looked up
        const char *name = nameData(r.offset, r.folded);
        const auto id = uint32_t(keys.size());
        if (openSection.insert(hashName(name, r.length), id,
                               [&](uint32_t i) { return keyIs(i, name, r.length); }))
            keys.push_back(KeyEntry{r.offset, vb - bytes.constData(), uint32_t(r.length),
                                    uint16_t(valueLength), r.folded});
    }

    void parse();
};

void ProfileFile::Index::parse()
{
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
    if (end - p >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0)
        p += 3;
    utf8 = isUtf8Text(p, end - p);

    // Room for one key per '=' saves growing and copying; the cap keeps a file of tiny lines
    // from reserving many times its size. A key table holds under three slots per key.
    const qsizetype keyGuess = std::min<qsizetype>(countEquals(p, end - p), (end - p) / 16 + 16);
    keys.reserve(size_t(std::min<qsizetype>(keyGuess, MaxEntries)));
    keySlots.reserve(size_t(keyGuess) * 3);

    // Keys before the first header, and in a repeated section, are not indexed.
    uint32_t section = NoSection;
    while (p < end) {
        while (p < end && isInlineBlank(*p))
            ++p;
        if (p == end)
            break;
        const char *const lineStart = p;
        if (*p == ';') {
            p = skipLineEnd(scanTo(p, end, LineEnd), end);
            continue;
        }
        if (*p == '[') {
            const char *lineEnd = scanTo(p, end, LineEnd);
            const char *close = lineEnd;
            while (close > p + 1 && close[-1] != ']')
                --close;
            if (close > p + 1) {
                // The name runs to the last ']' on the line, or to a NUL before it.
                const char *b = p + 1;
                const char *e = scanTo(b, close - 1, Nul);
                while (b < e && isBlank(static_cast<unsigned char>(*b)))
                    ++b;
                while (e > b && isBlank(static_cast<unsigned char>(e[-1])))
                    --e;
                closeSection(section);
                section = addSection(b, e);
                p = skipLineEnd(lineEnd, end);
                continue;
            }
            // No ']': an ordinary line.
        }
        if (section == NoSection) {
            p = skipLineEnd(scanTo(p, end, LineEnd), end);
            continue;
        }

        // The name ends at the first '=', or at a NUL before it.
        const char *nameEnd = nullptr;
        const char *q = lineStart;
        for (;;) {
            q = scanTo(q, end, LineEnd | Equals | Nul);
            if (q == end || *q != '\0')
                break;
            if (!nameEnd)
                nameEnd = q;
            ++q;
        }
        if (q == end || *q != '=') {
            p = skipLineEnd(q, end); // no '=': skipped
            continue;
        }
        if (!nameEnd)
            nameEnd = q;
        while (nameEnd > lineStart && isBlank(static_cast<unsigned char>(nameEnd[-1])))
            --nameEnd;

        const char *vb = q + 1;
        while (vb < end && isInlineBlank(*vb))
            ++vb;
        const char *ve = scanTo(vb, end, LineEnd | Nul);
        const char *lineEnd = (ve < end && *ve == '\0') ? scanTo(ve, end, LineEnd) : ve;
        while (ve > vb && isBlank(static_cast<unsigned char>(ve[-1])))
            --ve;
        if (ve - vb >= 2 && (*vb == '"' || *vb == '\'') && ve[-1] == *vb) {
            ++vb;
            --ve;
        }
        addKey(lineStart, nameEnd, vb, ve);
        p = skipLineEnd(lineEnd, end);
    }
    closeSection(section);
}

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
        const FoldedQuery s(section);
        const FoldedQuery k(key);
        if (s.isValid() && k.isValid()) {
            const uint32_t sid = m_index->findSection(s.data(), s.size());
            const uint32_t kid =
                sid == NoSection ? NoSection : m_index->findKey(sid, k.data(), k.size());
            if (kid != NoSection) {
                const KeyEntry &e = m_index->keys[kid];
                const QByteArrayView value(m_index->bytes.constData() + e.valueOffset,
                                           e.valueLength);
                return m_index->utf8 ? fromUtf8Kept(value) : decodeWindows1252(value);
            }
        }
    }
    qsizetype n = def.size();
    while (n > 0 && def[n - 1] == u' ')
        --n;
    def = def.first(n);
    return def.first(utf16Prefix(def, MaxValueLength)).toString();
}

bool ProfileFile::contains(QStringView section, QStringView key) const
{
    if (!m_index)
        return false;
    const FoldedQuery s(section);
    const FoldedQuery k(key);
    if (!s.isValid() || !k.isValid())
        return false;
    const uint32_t sid = m_index->findSection(s.data(), s.size());
    return sid != NoSection && m_index->findKey(sid, k.data(), k.size()) != NoSection;
}

} // namespace qs
