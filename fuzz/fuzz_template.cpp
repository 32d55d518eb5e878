// Feeds arbitrary bytes to the template reader, into an empty document and into one that
// already has rows, as Open and Insert File do, and to the printing pagination. Whatever was read
// must write out and read back to the same rows, and the rows that were there must all still be
// there.
#include "templatedocument.h"
#include "templatefile.h"
#include "templatepages.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

using namespace qs::stencil;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    TemplateDocument opened;
    const auto stop = opened.ReadTemplate(bytes);
    if (stop && (stop->line < 1 || stop->reason.isEmpty()))
        __builtin_trap();
    const QByteArray written = templateText(opened.rows());
    if (!written.endsWith("\r\n"))
        __builtin_trap();
    TemplateDocument reread;
    if (reread.ReadTemplate(written) || reread.rows() != opened.rows())
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
