#include "templatepages.h"

#include "textcodec.h"

#include <QIODevice>

#include <algorithm>

namespace qs::stencil {

namespace {
constexpr qint64 ChunkSize = 64 * 1024;
// Enough bytes for LineLimit characters in any encoding.
constexpr qsizetype LineByteLimit = 4 * TemplatePages::LineLimit;

// Where the incomplete UTF-8 sequence at the end of bytes begins, or bytes.size().
qsizetype completeUtf8(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto c = static_cast<unsigned char>(bytes[n - back]);
        if ((c & 0xC0) == 0x80)
            continue;
        const int len = (c & 0xE0) == 0xC0   ? 2
                        : (c & 0xF0) == 0xE0 ? 3
                        : (c & 0xF8) == 0xF0 ? 4
                                             : 1;
        return len > back ? n - back : n;
    }
    return n;
}
} // namespace

TemplatePages::TemplatePages(QIODevice &file, QString title)
    : m_file(file)
    , m_title(std::move(title))
{
}

bool TemplatePages::chooseCodec()
{
    // A sequence cut by the end of a chunk is judged with the next chunk.
    QByteArray carry;
    while (m_utf8) {
        QByteArray chunk = m_file.read(ChunkSize);
        if (chunk.isEmpty()) {
            if (!m_file.atEnd()) {
                m_error = m_file.errorString();
                return false;
            }
            // What is left is a sequence the file cuts short.
            m_utf8 = carry.isEmpty();
            break;
        }
        chunk.prepend(carry);
        const qsizetype complete = completeUtf8(chunk);
        m_utf8 = isValidUtf8(QByteArrayView(chunk).first(complete));
        carry = chunk.sliced(complete);
    }
    if (!m_file.seek(0)) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

bool TemplatePages::fill()
{
    m_buffer = m_file.read(ChunkSize);
    m_pos = 0;
    if (m_buffer.isEmpty()) {
        m_atEnd = true;
        if (!m_file.atEnd())
            m_error = m_file.errorString();
        return false;
    }
    return true;
}

std::optional<QString> TemplatePages::nextLine()
{
    if (m_atEnd || !m_error.isEmpty())
        return std::nullopt;
    QByteArray line;
    bool any = false;
    while (true) {
        if (m_pos >= m_buffer.size() && !fill())
            break;
        if (m_skipLf) {
            m_skipLf = false;
            if (m_buffer[m_pos] == '\n') {
                ++m_pos;
                continue;
            }
        }
        any = true;
        // CR LF, CR alone and LF alone all end a line, as when the editor reads the file.
        const char *const begin = m_buffer.constData();
        const char *const stop = begin + m_buffer.size();
        const char *const brk =
            std::find_if(begin + m_pos, stop, [](char c) { return c == '\r' || c == '\n'; });
        const qsizetype end = brk - begin;
        const qsizetype room = LineByteLimit - line.size();
        if (room > 0)
            line.append(begin + m_pos, std::min(room, end - m_pos));
        if (brk == stop) {
            m_pos = m_buffer.size();
            continue;
        }
        m_pos = end + 1;
        if (*brk == '\r') {
            if (m_pos < m_buffer.size()) {
                if (m_buffer[m_pos] == '\n')
                    ++m_pos;
            } else {
                m_skipLf = true;
            }
        }
        return (m_utf8 ? QString::fromUtf8(line) : decodeWindows1252(line)).left(LineLimit);
    }
    // The last line of a file need not end with a line break.
    if (!any || !m_error.isEmpty())
        return std::nullopt;
    return (m_utf8 ? QString::fromUtf8(line) : decodeWindows1252(line)).left(LineLimit);
}

std::optional<QStringList> TemplatePages::nextPage()
{
    if (!m_started) {
        m_started = true;
        if (!chooseCodec()) {
            m_atEnd = true;
            return std::nullopt;
        }
    }
    QStringList page;
    while (page.size() < LinesPerPage) {
        std::optional<QString> line = nextLine();
        if (!line)
            break;
        page << std::move(*line);
    }
    if (page.isEmpty() || !m_error.isEmpty())
        return std::nullopt;
    if (page.size() == LinesPerPage) {
        page << QString() << QString()
             << m_title + QStringLiteral(": Page ") + QString::number(m_page) << VersionLine;
        ++m_page;
    }
    return page;
}

} // namespace qs::stencil
