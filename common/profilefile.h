#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

namespace qs {

// A profile (INI) file parsed once into an index, read with the rules of the
// Windows private-profile read: names match without regard to case, the first
// matching section and key win, blanks and one pair of quotes are stripped, a
// value is cut to 254 characters and anything missing yields the default.
class ProfileFile
{
public:
    static constexpr int MaxValueLength = 254;

    ProfileFile();
    ~ProfileFile();
    ProfileFile(ProfileFile &&) noexcept;
    ProfileFile &operator=(ProfileFile &&) noexcept;

    // Decodes as UTF-8 when the bytes are valid UTF-8, as Windows-1252 otherwise.
    static ProfileFile fromBytes(QByteArray bytes);
    // A file that is missing or cannot be read gives an empty profile.
    static ProfileFile fromFile(const QString &path);

    // The value of key in section, or def (without its trailing spaces) when either is missing.
    QString getString(QStringView section, QStringView key, QStringView def) const;
    bool contains(QStringView section, QStringView key) const;
    // Whether the file has a header naming section, with or without keys.
    bool hasSection(QStringView section) const;
    // The value of key in section, or nullopt when either is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    // Where the value of key in section lies in bytes(), already unquoted and cut, so that a
    // reader may keep the file's bytes and decode the value only when it is needed.
    struct ValueRef
    {
        qsizetype offset = 0;
        qsizetype length = 0;
    };
    std::optional<ValueRef> valueRef(QStringView section, QStringView key) const;
    // A section looked up once for reads of many of its keys; -1 when the file has none.
    int sectionId(QStringView section) const;
    std::optional<ValueRef> valueRef(int sectionId, QStringView key) const;
    QByteArray bytes() const;
    bool isUtf8() const;
    // A value's bytes as text, as value() decodes them.
    static QString decodeValue(QByteArrayView raw, bool utf8);

private:
    struct Index;
    std::unique_ptr<Index> m_index;
};

} // namespace qs
