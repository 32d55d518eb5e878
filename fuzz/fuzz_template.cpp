// Feeds arbitrary bytes to the template reader, through a file into an empty document, into one
// that already has rows, as Open and Insert File do, and to the printing pagination. Whatever was
// read must write out and read back to the same rows, and the rows that were there must all still
// be there.
#include "templatedocument.h"
#include "templatefile.h"
#include "templatepages.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace qs::stencil;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    // Open and Save As through files, as the editor does.
    static QTemporaryDir folder;
    // Names that hold no template, once: a missing file opens empty, a folder or a device is
    // refused with a reason, and a save into a folder's name fails saying why.
    static const bool refusals = [] {
        TemplateDocument missing, folderDoc, device, into;
        if (missing.OpenDocument(folder.filePath(QStringLiteral("none.htp"))).status !=
                FileResult::Done ||
            folderDoc.OpenDocument(folder.path()).status != FileResult::ReadStopped ||
            device.OpenDocument(QStringLiteral("/dev/null")).status != FileResult::ReadStopped ||
            into.SaveDocumentAs(folder.path()).status != FileResult::SaveFailed)
            __builtin_trap();
        return true;
    }();
    (void)refusals;
    const QString path = folder.filePath(QStringLiteral("fuzz.htp"));
    const QString saved = folder.filePath(QStringLiteral("saved.htp"));
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(bytes.data(), bytes.size()) != bytes.size())
            return 0;
    }
    TemplateDocument opened;
    const FileResult result = opened.OpenDocument(path);
    if (result.status == FileResult::ReadStopped &&
        (result.stop.line < 1 || result.stop.reason.isEmpty() || !opened.isUntitled()))
        __builtin_trap();
    if (opened.SaveDocumentAs(saved).status != FileResult::Done)
        __builtin_trap();
    QFile written(saved);
    if (!written.open(QIODevice::ReadOnly) || !written.readAll().endsWith("\r\n"))
        __builtin_trap();
    TemplateDocument reread;
    if (reread.OpenDocument(saved).status != FileResult::Done || reread.rows() != opened.rows())
        __builtin_trap();

    TemplateDocument inserted;
    const TemplateItem mine[] = {{kind::Text, QStringLiteral("mine 1"), {}},
                                 {kind::CarriageReturn, CarriageReturnText, {}},
                                 {kind::Text, QStringLiteral("mine 2"), {}}};
    for (const TemplateItem &item : mine)
        inserted.append(item);
    inserted.ReadTemplate(bytes);
    // The old rows keep their order behind or between the new ones.
    size_t found = 0;
    for (const TemplateItem &item : inserted.rows())
        if (found < 3 && item == mine[found])
            ++found;
    if (found != 3)
        __builtin_trap();

    // Pages hold at most a full page and its footer, and never a line longer than a page shows.
    QByteArray copy = bytes.toByteArray();
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TemplatePages pages(buffer, QStringLiteral("fuzz"));
    while (const std::optional<QStringList> page = pages.nextPage()) {
        if (page->isEmpty() || page->size() > TemplatePages::LinesPerPage + 4)
            __builtin_trap();
        for (const QString &line : *page)
            if (line.size() > TemplatePages::LineLimit)
                __builtin_trap();
    }
    return 0;
}
