// Feeds arbitrary bytes to the settings store as the text another program left: a write of one
// more value must keep every other byte's meaning, and a write that changes nothing must change
// no byte.
#include "inistore.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using qs::detail::IniText;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray original(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const IniText before(original);
    if (before.withValues({}) != original)
        __builtin_trap();

    // Every key it lists reads back the same after another key is added.
    QList<std::pair<QString, std::optional<QString>>> readable;
    for (const QString &group : {QString(), QStringLiteral("Sec"), QStringLiteral("General")})
        for (const QString &key : before.childKeys(group)) {
            const QString path = group.isEmpty() ? key : group + u'/' + key;
            readable.emplace_back(path, before.value(path));
        }
    const QString added = QStringLiteral("zz_fuzz/added");
    const QString value = QString::fromUtf8("v \xE6\x97\xA5\"\\;");
    const IniText after(before.withValues({{added, value}}));
    if (after.value(added) != value)
        __builtin_trap();
    for (const auto &[path, old] : readable)
        if (after.value(path) != old)
            __builtin_trap();

    // A value set to what it holds leaves every byte; any value set reads back as set. The last
    // key read tells as much as all of them, and keeps the run fast on files with many.
    for (const auto &[path, old] : readable.last(std::min<qsizetype>(readable.size(), 1))) {
        if (before.withValues({{path, *old}}) != original)
            __builtin_trap();
        if (IniText(before.withValues({{path, QStringLiteral(" x,y ")}})).value(path) !=
            QStringLiteral(" x,y "))
            __builtin_trap();
    }
    return 0;
}
