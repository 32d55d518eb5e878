// Feeds arbitrary bytes to the settings store as the file another program left: reading must
// not fail, and a write of one more value must keep every value that could be read before.
#include "inifilestore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

// Every key the store reads from file, with its value.
QList<std::pair<QString, std::optional<QString>>> readable(const QString &file)
{
    QList<std::pair<QString, std::optional<QString>>> out;
    const qs::detail::IniFile ini(file);
    QStringList groups{QString()};
    // A group name QSettings normalises can list itself again: visit a bounded number.
    for (int visited = 0; !groups.isEmpty() && visited < 64; ++visited) {
        const QString group = groups.takeFirst();
        for (const QString &key : ini.childKeys(group)) {
            const QString path = group.isEmpty() ? key : group + u'/' + key;
            out.emplace_back(path, ini.value(path));
        }
        // Child groups are found through QSettings on the same text.
        QSettings probe(file, QSettings::IniFormat);
        probe.beginGroup(group);
        for (const QString &child : probe.childGroups())
            groups << (group.isEmpty() ? child : group + u'/' + child);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("fuzz.ini"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        out.write(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    }
    const QByteArray original(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArray literal = qs::detail::withLiteralBackslashes(original);
    if (qs::detail::withLiteralBackslashes(literal) != literal)
        __builtin_trap();

    const auto before = readable(file);
    if (!qs::detail::writeIniValue(file, QStringLiteral("zz_fuzz/added"), QStringLiteral("v")))
        return 0;
    const qs::detail::IniFile after(file);
    if (after.value(QStringLiteral("zz_fuzz/added")) != QStringLiteral("v"))
        __builtin_trap();
    for (const auto &[key, value] : before)
        if (key != QLatin1String("zz_fuzz/added") && after.value(key) != value)
            __builtin_trap();

    // A change that writes nothing, or that is refused, leaves the file as it is.
    const QByteArray written = [&file] {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }();
    QString reason;
    if (!qs::detail::writeIniValues(file, {}) ||
        qs::detail::changeIniFile(
            file,
            [](const qs::detail::IniFile &, QString *why) {
                *why = QStringLiteral("refused");
                return std::optional<qs::detail::IniValues>();
            },
            &reason) ||
        reason != QLatin1String("refused"))
        __builtin_trap();
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly) || in.readAll() != written ||
        qs::detail::readIniValue(file, QStringLiteral("zz_fuzz/added")) != QStringLiteral("v"))
        __builtin_trap();
    // A store not written yet reads as empty.
    const qs::detail::IniFile missing(folder.filePath(QStringLiteral("missing.ini")));
    if (missing.value(QStringLiteral("zz_fuzz/added")) || !missing.childKeys({}).isEmpty())
        __builtin_trap();
    return 0;
}
