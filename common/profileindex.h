#pragma once

#include "nametable.h"
#include "profilefile.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <atomic>
#include <cstdint>
#include <limits>
#include <vector>

namespace qs::detail {

struct NameRef
{
    qsizetype offset = 0; // into the file bytes, or into the arena when folded
    qsizetype length = 0;
    bool folded = false;
};

// Each section has its own key table, a run of slots in ProfileIndex::keySlots, so the keys of one
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

// The tables of one parsed profile file: its sections and, in each, its keys (of equal names
// only the first), with the values already unquoted and cut.
struct ProfileIndex
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

    // Parses bytes into the tables; called once.
    void parse();
    // The entry of key in section, or nullptr when either is missing.
    const KeyEntry *find(QStringView section, QStringView key) const;
    QString valueText(const KeyEntry &key) const;
    static QString decode(QByteArrayView value, bool utf8);

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

    NameRef makeName(const char *b, const char *e);
    uint32_t findSection(const char *name, qsizetype n) const;
    uint32_t findKey(uint32_t section, const char *name, qsizetype n) const;
    // Returns the new section's id, or NotFound when an earlier one has the name.
    uint32_t addSection(const char *b, const char *e);
    // Moves the key table of the section just parsed to its place in keySlots.
    void closeSection(uint32_t section);
    void addKey(const char *nb, const char *ne, const char *vb, const char *ve);
};

} // namespace qs::detail
