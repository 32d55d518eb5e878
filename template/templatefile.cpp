#include "templatefile.h"
#include "translation.h"

#include "textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace qs::stencil {

namespace {

const QString TextMarker = QStringLiteral("{{");
const QString CarriageReturnMarker = QStringLiteral("{!");
const QString InputMarker = QStringLiteral("{[");
const QString OpenMarker = QStringLiteral("{|");

class LineReader
{
public:
    explicit LineReader(QStringView text)
        : m_text(text)
    {
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }
    // The next line without its terminator; call only when not at the end.
    QStringView next()
    {
        // CR LF, CR alone and LF alone (as editors on Linux write) all end a line.
        const qsizetype start = m_pos;
        const auto end = std::find_if(m_text.begin() + start, m_text.end(),
                                      [](QChar c) { return c == u'\r' || c == u'\n'; });
        ++m_line;
        if (end == m_text.end()) {
            m_pos = m_text.size();
            return m_text.sliced(start);
        }
        const qsizetype at = end - m_text.begin();
        m_pos = at + 1;
        if (*end == u'\r' && m_pos < m_text.size() && m_text[m_pos] == u'\n')
            ++m_pos;
        return m_text.sliced(start, at - start);
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 0;
};

bool isBlank(QStringView line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

// Why line is no text, or the empty text. Tab, vertical tab and form feed are layout, and DOS
// ended files with Ctrl-Z; escape codes turn up in text pasted from terminals.
QString notText(QStringView line)
{
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if (u >= 0x20 || u == 0x09 || u == 0x0B || u == 0x0C || u == 0x1A || u == 0x1B)
            continue;
        if (u == 0)
            return translate("tagloom32", "holds a NUL byte, so the file is not text");
        return translate("tagloom32", "holds the control character 0x%1, so the file is not text")
            .arg(static_cast<int>(u), 2, 16, QLatin1Char('0'));
    }
    return {};
}

void noteForeign(ParsedTemplate &parsed, int line, QString reason)
{
    parsed.foreign = ReadStop{line, std::move(reason)};
    parsed.stepsBeforeForeign = parsed.steps.size();
}

// Only the first line that is not text is told.
void checkText(ParsedTemplate &parsed, QStringView line, int number)
{
    if (parsed.foreign)
        return;
    if (QString why = notText(line); !why.isEmpty())
        noteForeign(parsed, number, std::move(why));
}

// Reads the fields of a prompt block into item's text and sub-items; false when the file ends.
bool readFields(LineReader &reader, TemplateItem &item, int fields, ParsedTemplate &parsed)
{
    for (int k = 0; k < fields; ++k) {
        if (reader.atEnd())
            return false;
        const QStringView line = reader.next();
        checkText(parsed, line, reader.line());
        const QString field = line.toString();
        if (k == 0)
            item.text = field;
        else
            item.subItem[k - 1] = field;
    }
    return true;
}

void appendLine(QString &out, QStringView line)
{
    out += line;
    out += QLatin1String(CrLf);
}

} // namespace

ParsedTemplate parseTemplate(QStringView text)
{
    ParsedTemplate parsed;
    LineReader reader(text);
    while (!reader.atEnd()) {
        const QStringView line = reader.next();
        ReadStep step{reader.line(), std::nullopt};
        checkText(parsed, line, step.line);
        if (line.startsWith(TextMarker)) {
            step.item = TemplateItem{kind::Text, line.sliced(2).toString(), {}};
        } else if (line == CarriageReturnMarker) {
            step.item = TemplateItem{kind::CarriageReturn, CarriageReturnText, {}};
        } else if (line == InputMarker || line == OpenMarker) {
            const bool input = line == InputMarker;
            TemplateItem item{input ? kind::InputDialog : kind::OpenDialog, {}, {}};
            if (!readFields(reader, item, input ? 3 : 4, parsed)) {
                parsed.stop =
                    ReadStop{step.line, input ? translate("tagloom32", "the file ends inside an "
                                                                       "input dialog item")
                                              : translate("tagloom32", "the file ends inside an "
                                                                       "open dialog item")};
                break;
            }
            step.item = std::move(item);
        } else if (!parsed.foreign && !isBlank(line)) {
            noteForeign(parsed, step.line,
                        translate("tagloom32", "begins no item: an item begins with a line that "
                                               "starts with {{ or is {!, {[ or {| alone"));
        }
        parsed.steps.push_back(std::move(step));
    }
    return parsed;
}

QByteArray templateText(const std::vector<TemplateItem> &rows)
{
    QString out;
    qsizetype size = 2;
    for (const TemplateItem &item : rows)
        size += 8 + item.text.size() + item.subItem[0].size() + item.subItem[1].size() +
                item.subItem[2].size() + 10;
    out.reserve(size);
    for (const TemplateItem &item : rows) {
        switch (item.ItemKind) {
        case kind::Text:
            out += TextMarker;
            appendLine(out, item.text);
            break;
        case kind::CarriageReturn:
            appendLine(out, CarriageReturnMarker);
            break;
        case kind::InputDialog:
            appendLine(out, InputMarker);
            appendLine(out, item.text);
            appendLine(out, item.subItem[0]);
            appendLine(out, item.subItem[1]);
            break;
        case kind::OpenDialog:
            appendLine(out, OpenMarker);
            appendLine(out, item.text);
            appendLine(out, item.subItem[0]);
            appendLine(out, item.subItem[1]);
            appendLine(out, item.subItem[2]);
            break;
        default:
            break;
        }
    }
    out += QLatin1String(CrLf);
    return encodeText(out);
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // commit() flushes too, but would replace the file even when that last flush falls short.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace qs::stencil
