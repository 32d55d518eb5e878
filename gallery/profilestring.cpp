#include "profilestring.h"
#include "translation.h"

#include "dialogs.h"

namespace qs::gallery {

void ProfileStrings::IniSetTarget(const QString &section, const QString &file)
{
    auto trimSpaces = [](const QString &s) {
        qsizetype b = 0, e = s.size();
        while (b < e && s[b] == QLatin1Char(' '))
            ++b;
        while (e > b && s[e - 1] == QLatin1Char(' '))
            --e;
        return s.mid(b, e - b);
    };
    m_section = trimSpaces(section);
    m_file = trimSpaces(file);
    m_targetSet = true;
}

QString ProfileStrings::IniGetString(const QString &key, const QString &defaultValue)
{
    if (!m_targetSet) {
        if (m_dialogs)
            m_dialogs->msgBox(
                translate("artshelf", "[Section] and FileName Not Registered in Private.Ini!"),
                mb::OkOnly | mb::Critical, translate("artshelf", "INI Logic Error"));
        return QString();
    }
    const ProfileFile &profile = parsed();
    if (std::optional<QString> value = profile.value(m_section, key))
        return *value;
    // A missing key answers the default itself, sharing its text, unless the read would trim it.
    if (defaultValue.size() <= ProfileFile::MaxValueLength && !defaultValue.endsWith(u' '))
        return defaultValue;
    return profile.getString(m_section, key, defaultValue);
}

bool ProfileStrings::hasSection(const QString &section)
{
    return m_targetSet && parsed().hasSection(section);
}

const ProfileFile &ProfileStrings::parsed()
{
    if (!m_parsed || m_parsedFile != m_file) {
        m_parsed = ProfileFile::fromFile(m_file);
        m_parsedFile = m_file;
    }
    return *m_parsed;
}

} // namespace qs::gallery
