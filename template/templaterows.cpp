#include "templaterows.h"
#include "translation.h"

#include "textcodec.h"

namespace qs::stencil {

namespace {
const char *const Markers[] = {"{{", "{!", "{[", "{|"};
} // namespace

QString notText(QByteArrayView line)
{
    // Tab, vertical tab and form feed are layout, and DOS ended files with Ctrl-Z; escape codes
    // turn up in text pasted from terminals.
    for (const char c : line) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 || u == 0x09 || u == 0x0B || u == 0x0C || u == 0x1A || u == 0x1B)
            continue;
        if (u == 0)
            return translate("tagloom32", "holds a NUL byte, so the file is not text");
        return translate("tagloom32", "holds the control character 0x%1, so the file is not text")
            .arg(static_cast<int>(u), 2, 16, QLatin1Char('0'));
    }
    return {};
}

QString endsInsideItem(int itemKind)
{
    return itemKind == kind::InputDialog
               ? translate("tagloom32", "the file ends inside an input dialog item")
               : translate("tagloom32", "the file ends inside an open dialog item");
}

QString beginsNoItem()
{
    return translate("tagloom32", "begins no item: an item begins with a line that starts with "
                                  "{{ or is {!, {[ or {| alone");
}

quint32 RowTexts::add(StoredText text)
{
    m_texts.push_back(std::move(text));
    return static_cast<quint32>(m_texts.size() - 1);
}

std::vector<StoredRow> RowTexts::store(const std::vector<TemplateItem> &items)
{
    StoredText text;
    std::vector<StoredRow> rows;
    rows.reserve(items.size());
    const quint32 index = static_cast<quint32>(m_texts.size());
    for (const TemplateItem &item : items) {
        rows.push_back({text.bytes.size(), index, static_cast<quint8>(item.ItemKind)});
        text.bytes += item.text.toUtf8() + '\n';
        for (const QString &tag : item.subItem)
            text.bytes += tag.toUtf8() + '\n';
    }
    add(std::move(text));
    return rows;
}

QByteArrayView RowTexts::rawField(const StoredRow &row, int field, qint64 limit) const
{
    const StoredText &text = m_texts[row.text];
    ByteLines lines(text.bytes, row.offset);
    // A line of a hundred megabytes is not searched to its end for a glimpse of its start.
    if (text.layout == TextLayout::Items) {
        for (int k = 0; k < field; ++k)
            lines.next();
        return lines.next(limit);
    }
    // A file's block: the marker line, then the fields of a prompt item one to a line.
    if (row.kind == kind::Text)
        return field == 0 ? lines.next(limit < 0 ? -1 : limit + 2).sliced(2) : QByteArrayView();
    const int fields = row.kind == kind::InputDialog ? 3 : row.kind == kind::OpenDialog ? 4 : 0;
    if (field >= fields)
        return {};
    for (int k = 0; k <= field; ++k)
        lines.next();
    return lines.next(limit);
}

QString RowTexts::decode(const StoredRow &row, QByteArrayView raw) const
{
    return m_texts[row.text].layout == TextLayout::File1252 ? decodeWindows1252(raw)
                                                            : QString::fromUtf8(raw);
}

QString RowTexts::field(const StoredRow &row, int field, qsizetype limit) const
{
    if (field == 0 && row.kind == kind::CarriageReturn &&
        m_texts[row.text].layout != TextLayout::Items)
        return CarriageReturnText;
    // A UTF-16 unit takes at most three bytes; what a cut character leaves goes with left().
    const QByteArrayView raw = rawField(row, field, limit < 0 ? -1 : limit * 3);
    if (limit < 0 || raw.size() <= limit)
        return decode(row, raw);
    return decode(row, raw).left(limit);
}

TemplateItem RowTexts::item(const StoredRow &row) const
{
    TemplateItem item{row.kind, field(row, 0), {}};
    for (int k = 0; k < 3; ++k)
        item.subItem[k] = field(row, k + 1);
    return item;
}

void RowTexts::findUnstorable(const StoredRow &row, UnstorableFinder &finder) const
{
#ifdef Q_OS_WIN
    for (int k = 0; k < 4; ++k)
        finder.scan(decode(row, rawField(row, k)));
#else
    // Texts are kept as valid UTF-8 or as Windows-1252, and UTF-8 stores all either decodes to.
    Q_UNUSED(row);
    Q_UNUSED(finder);
#endif
}

void RowTexts::appendBlock(QByteArray &out, const StoredRow &row) const
{
    const int k = row.kind;
    if (k < kind::Text || k > kind::OpenDialog)
        return;
#ifdef Q_OS_WIN
    const bool asRead = false; // written in the ANSI code page
#else
    const bool asRead = m_texts[row.text].layout != TextLayout::File1252;
#endif
    const auto put = [&](QByteArrayView raw) {
        if (asRead)
            out += raw;
        else
            out += encodeText(decode(row, raw));
        out += CrLf;
    };
    out += Markers[k - 1];
    if (k == kind::Text) {
        put(rawField(row, 0));
        return;
    }
    out += CrLf;
    for (int field = 0; field < (k == kind::InputDialog  ? 3
                                 : k == kind::OpenDialog ? 4
                                                         : 0);
         ++field)
        put(rawField(row, field));
}

} // namespace qs::stencil
