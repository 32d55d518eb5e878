#pragma once

#include "profilefile.h"

#include <QString>

#include <optional>
#include <stdexcept>

namespace qs::gallery {

// A read asked for before a section and file were targeted: a fault of the calling code, which
// shows text() with caption() as a stop message.
class IniLogicError : public std::logic_error
{
public:
    IniLogicError();
    static QString text();
    static QString caption();
};

// Reads values from a profile file section by section. The file is parsed once when it is
// first targeted and kept while the same file stays the target.
class ProfileStrings
{
public:
    void IniSetTarget(const QString &section, const QString &file);
    QString IniGetString(const QString &key, const QString &defaultValue);
    // Whether the target file has a section of that name; false before the first target.
    bool hasSection(const QString &section);
    // Where the value of key lies in the target file's bytes, for reading it later; nullopt
    // when it is missing.
    std::optional<ProfileFile::ValueRef> IniGetRef(const QString &key);
    // The target file, parsed.
    const ProfileFile &parsed();

private:
    QString m_section;
    QString m_file;
    bool m_targetSet = false;
    std::optional<ProfileFile> m_parsed;
    QString m_parsedFile;
    std::optional<int> m_sectionId; // of m_section in m_parsedFile
};

} // namespace qs::gallery
