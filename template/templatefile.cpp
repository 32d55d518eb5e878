#include "templatefile.h"
#include "templaterows.h"
#include "translation.h"

#include "textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace qs::stencil {

ParsedTemplate parseTemplate(QStringView text)
{
    RowTexts texts;
    const quint32 index = texts.add({text.toUtf8(), TextLayout::FileUtf8});
    ParsedTemplate parsed;
    ScanStops stops = scanTemplate(texts.bytes(index), false, [&](int line, int k, qint64 offset) {
        ReadStep step{line, std::nullopt};
        if (k != 0)
            step.item = texts.item(StoredRow{offset, index, static_cast<quint8>(k)});
        parsed.steps.push_back(std::move(step));
        return true;
    });
    parsed.stop = std::move(stops.stop);
    parsed.foreign = std::move(stops.foreign);
    parsed.stepsBeforeForeign = stops.stepsBeforeForeign;
    return parsed;
}

QByteArray templateText(const std::vector<TemplateItem> &rows)
{
    RowTexts texts;
    QByteArray out;
    for (const StoredRow &row : texts.store(rows))
        texts.appendBlock(out, row);
    out += CrLf;
    return out;
}

std::optional<QByteArray> readWholeFile(const QString &path, QString &reason)
{
    reason.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    // Opening a pipe or a device could block or never end.
    if (!info.isFile()) {
        reason = info.isDir() ? translate("tagloom32", "it is a folder, not a file")
                              : translate("tagloom32", "it is not a regular file");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

QString writeWholeFile(const QString &path, const QByteArray &bytes)
{
    return writeFileInParts(path,
                            [&](QIODevice &file) { return file.write(bytes) == bytes.size(); });
}

QString writeFileInParts(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // commit() flushes too, but would replace the file even when that last flush falls short.
    if (!write(file) || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace qs::stencil
