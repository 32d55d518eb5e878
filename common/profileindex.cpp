#include "profileindex.h"

#include "textcodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>

namespace qs::detail {

namespace {

constexpr uint32_t NoSection = NotFound;
constexpr uint32_t MaxEntries = std::numeric_limits<uint32_t>::max() - 1;

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

} // namespace

NameRef ProfileIndex::makeName(const char *b, const char *e)
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

uint32_t ProfileIndex::findSection(const char *name, qsizetype n) const
{
    return sectionTable.find(hashName(name, n), [&](uint32_t i) { return sectionIs(i, name, n); });
}

uint32_t ProfileIndex::findKey(uint32_t section, const char *name, qsizetype n) const
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

uint32_t ProfileIndex::addSection(const char *b, const char *e)
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

void ProfileIndex::closeSection(uint32_t section)
{
    if (section == NoSection || openSection.count() == 0)
        return;
    SectionEntry &s = sections[section];
    openSection.fit();
    const std::vector<Slot> &slotRun = openSection.slotArray();
    s.slotBegin = keySlots.size();
    s.slotMask = slotRun.size() - 1;
    s.keyEnd = uint32_t(keys.size());
    keySlots.insert(keySlots.end(), slotRun.begin(), slotRun.end());
    openSection.clear(openSection.count());
}

void ProfileIndex::addKey(const char *nb, const char *ne, const char *vb, const char *ve)
{
    if (keys.size() >= MaxEntries)
        return;
    qsizetype valueLength = ve - vb;
    if (valueLength > ProfileFile::MaxValueLength) {
        valueLength =
            utf8 ? utf8Prefix(vb, std::min<qsizetype>(valueLength, ProfileFile::MaxValueLength * 4),
                              ProfileFile::MaxValueLength)
                 : ProfileFile::MaxValueLength;
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

const KeyEntry *ProfileIndex::find(QStringView section, QStringView key) const
{
    const FoldedQuery s(section);
    const FoldedQuery k(key);
    if (!s.isValid() || !k.isValid())
        return nullptr;
    const uint32_t sid = findSection(s.data(), s.size());
    const uint32_t kid = sid == NoSection ? NoSection : findKey(sid, k.data(), k.size());
    return kid == NoSection ? nullptr : &keys[kid];
}

QString ProfileIndex::valueText(const KeyEntry &key) const
{
    return decode(QByteArrayView(bytes.constData() + key.valueOffset, key.valueLength), utf8);
}

QString ProfileIndex::decode(QByteArrayView value, bool utf8)
{
    return utf8 ? fromUtf8Kept(value) : decodeWindows1252(value);
}

void ProfileIndex::parse()
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

} // namespace qs::detail
