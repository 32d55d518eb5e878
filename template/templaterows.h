#pragma once

#include "templateitem.h"
#include "textcodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace qs::stencil {

// How a stored text's bytes are laid out: a file's blocks as read (UTF-8 or Windows-1252), or
// items the program made, each four UTF-8 lines ended by LF (text and three tags).
enum class TextLayout : quint8 { FileUtf8, File1252, Items };

struct StoredText
{
    QByteArray bytes;
    TextLayout layout = TextLayout::Items;
};

// One row as a document keeps it: its kind and where its block begins in one of the
// document's texts. The text is decoded only when it is shown, so a large file costs about
// its own size and 16 bytes a row.
struct StoredRow
{
    qint64 offset = 0;
    quint32 text = 0;
    quint8 kind = kind::Text;
};

// The texts rows point into. Texts are only ever added: rows an undo step holds stay readable.
class RowTexts
{
public:
    quint32 add(StoredText text);
    // All items in one new text.
    std::vector<StoredRow> store(const std::vector<TemplateItem> &items);

    TemplateItem item(const StoredRow &row) const;
    // Field 0 is the item's text, 1 to 3 its tags; at most limit characters when limit >= 0.
    QString field(const StoredRow &row, int field, qsizetype limit = -1) const;
    // Appends the row's block as a file holds it, in the encoding files are written in.
    void appendBlock(QByteArray &out, const StoredRow &row) const;
    // Adds to finder the characters of row's fields that appendBlock cannot store.
    void findUnstorable(const StoredRow &row, UnstorableFinder &finder) const;
    const QByteArray &bytes(quint32 text) const { return m_texts[text].bytes; }

private:
    // The raw bytes of field 0 to 3 of row, at most limit of them when limit >= 0; empty when
    // the kind has no such field.
    QByteArrayView rawField(const StoredRow &row, int field, qint64 limit = -1) const;
    QString decode(const StoredRow &row, QByteArrayView raw) const;

    std::vector<StoredText> m_texts;
};

// Lines of bytes; CR LF, CR alone and LF alone each end one.
class ByteLines
{
public:
    explicit ByteLines(QByteArrayView text, qint64 pos = 0)
        : m_text(text)
        , m_pos(pos)
    {
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    qint64 pos() const { return m_pos; }
    int line() const { return m_line; }
    // The next line without its terminator; call only when not at the end. With a limit, at
    // most that many bytes of it, and the lines after it can no longer be read.
    QByteArrayView next(qint64 limit = -1)
    {
        const qint64 start = m_pos;
        const char *begin = m_text.data() + start;
        const char *end =
            m_text.data() + (limit < 0 ? m_text.size() : std::min(m_text.size(), start + limit));
        const char *at = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
        ++m_line;
        m_pos = at - m_text.data();
        if (at != end) {
            ++m_pos;
            if (*at == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
                ++m_pos;
        }
        return QByteArrayView(begin, at - begin);
    }

private:
    QByteArrayView m_text;
    qint64 m_pos = 0;
    int m_line = 0;
};

// Where a scan of a template's bytes stopped, and the first line no template holds.
struct ScanStops
{
    std::optional<ReadStop> stop; // the file ended inside a block
    std::optional<ReadStop> foreign;
    size_t stepsBeforeForeign = 0;
};

// Why a line is no text, or the empty text; control characters are the same bytes in UTF-8
// and Windows-1252.
QString notText(QByteArrayView line);
QString endsInsideItem(int itemKind);
QString beginsNoItem();

// Splits a template's bytes into its blocks, calling onStep(line, kind, offset) for each block
// (kind 0 for a line that adds nothing) until it returns false. With stopAtForeign, the scan
// ends before the first step that holds a line no template holds.
template <class OnStep>
ScanStops scanTemplate(QByteArrayView bytes, bool stopAtForeign, OnStep &&onStep)
{
    ScanStops stops;
    ByteLines reader(bytes);
    size_t steps = 0;
    const auto noteForeign = [&](int line, QString why) {
        if (!stops.foreign && !why.isEmpty()) {
            stops.foreign = ReadStop{line, std::move(why)};
            stops.stepsBeforeForeign = steps;
        }
    };
    while (!reader.atEnd()) {
        const qint64 offset = reader.pos();
        const QByteArrayView line = reader.next();
        const int number = reader.line();
        noteForeign(number, notText(line));
        int itemKind = 0;
        if (line.startsWith("{{")) {
            itemKind = kind::Text;
        } else if (line == "{!") {
            itemKind = kind::CarriageReturn;
        } else if (line == "{[" || line == "{|") {
            itemKind = line == "{[" ? kind::InputDialog : kind::OpenDialog;
            bool whole = true;
            for (int k = 0; k < (itemKind == kind::InputDialog ? 3 : 4) && whole; ++k) {
                whole = !reader.atEnd();
                if (whole) {
                    const QByteArrayView field = reader.next();
                    noteForeign(reader.line(), notText(field));
                }
            }
            if (!whole) {
                stops.stop = ReadStop{number, endsInsideItem(itemKind)};
                break;
            }
        } else if (!std::all_of(line.begin(), line.end(),
                                [](char c) { return c == ' ' || c == '\t'; })) {
            noteForeign(number, beginsNoItem());
        }
        if (stopAtForeign && stops.foreign)
            break;
        if (!onStep(number, itemKind, offset))
            break;
        ++steps;
    }
    return stops;
}

} // namespace qs::stencil
