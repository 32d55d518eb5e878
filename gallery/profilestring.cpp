#include "profilestring.h"
#include "translation.h"

namespace qs::gallery {

IniLogicError::IniLogicError()
    : std::logic_error("[Section] and FileName Not Registered in Private.Ini!")
{
}

QString IniLogicError::text()
{
    return translate("artshelf", "[Section] and FileName Not Registered in Private.Ini!");
}

QString IniLogicError::caption()
{
    return translate("artshelf", "INI Logic Error");
}

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
    m_sectionId.reset();
    // Compared here once rather than at each of a gallery's million reads.
    if (m_parsed && m_parsedFile != m_file)
        m_parsed.reset();
}

QString ProfileStrings::IniGetString(const QString &key, const QString &defaultValue)
{
    if (!m_targetSet) {
        throw IniLogicError();
    }
    const ProfileFile &profile = parsed();
    if (std::optional<QString> value = profile.value(m_section, key))
        return *value;
    // A missing key answers the default itself, sharing its text, unless the read would trim it.
    if (defaultValue.size() <= ProfileFile::MaxValueLength && !defaultValue.endsWith(u' '))
        return defaultValue;
    return profile.getString(m_section, key, defaultValue);
}

std::optional<ProfileFile::ValueRef> ProfileStrings::IniGetRef(const QString &key)
{
    if (!m_targetSet)
        throw IniLogicError();
    // A gallery's reader asks for thousands of keys of one section in a row.
    if (!m_sectionId)
        m_sectionId = parsed().sectionId(m_section);
    return parsed().valueRef(*m_sectionId, key);
}

bool ProfileStrings::hasSection(const QString &section)
{
    return m_targetSet && parsed().hasSection(section);
}

const ProfileFile &ProfileStrings::parsed()
{
    if (!m_parsed) {
        m_parsed = ProfileFile::fromFile(m_file);
        m_parsedFile = m_file;
    }
    return *m_parsed;
}

} // namespace qs::gallery
