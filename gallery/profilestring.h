#pragma once

#include "profilefile.h"

#include <QString>

#include <optional>

namespace qs {
class Dialogs;
}

namespace qs::gallery {

// Reads values from a profile file section by section. The file is parsed once when it is
// first targeted and kept while the same file stays the target.
class ProfileStrings
{
public:
    explicit ProfileStrings(Dialogs *dialogs = nullptr)
        : m_dialogs(dialogs)
    {
    }

    void IniSetTarget(const QString &section, const QString &file);
    QString IniGetString(const QString &key, const QString &defaultValue);
    // Whether the target file has a section of that name; false before the first target.
    bool hasSection(const QString &section);

private:
    const ProfileFile &parsed();

    Dialogs *m_dialogs;
    QString m_section;
    QString m_file;
    bool m_targetSet = false;
    std::optional<ProfileFile> m_parsed;
    QString m_parsedFile;
};

} // namespace qs::gallery
