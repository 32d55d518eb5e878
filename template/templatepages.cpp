#include "templatepages.h"

#include "textcodec.h"

#include <QIODevice>

#include <algorithm>
#include <utility>

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

TemplatePages::TemplatePages(QIODevice &file, QString title, LineFit fit)
    : m_file(file)
    , m_title(std::move(title))
    , m_fit(std::move(fit))
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

bool TemplatePages::startLine()
{
    if (m_atEnd || !m_error.isEmpty())
        return false;
    for (;;) {
        if (m_pos >= m_buffer.size() && !fill())
            return false;
        if (!m_skipLf)
            break;
        m_skipLf = false;
        if (m_buffer[m_pos] == '\n')
            ++m_pos;
    }
    m_inLine = true;
    m_lineOpen = true;
    m_printedPart = false;
    m_rest.clear();
    m_carry.clear();
    return true;
}

void TemplatePages::readMore()
{
    QByteArray bytes = std::exchange(m_carry, QByteArray());
    while (m_lineOpen && bytes.size() < LineByteLimit) {
        if (m_pos >= m_buffer.size() && !fill()) {
            // The last line of a file need not end with a line break.
            m_lineOpen = false;
            break;
        }
        // CR LF, CR alone and LF alone all end a line, as when the editor reads the file.
        const char *const begin = m_buffer.constData();
        const char *const stop = begin + m_buffer.size();
        const char *const brk =
            std::find_if(begin + m_pos, stop, [](char c) { return c == '\r' || c == '\n'; });
        const qsizetype end = brk - begin;
        const qsizetype take = std::min(LineByteLimit - bytes.size(), end - m_pos);
        bytes.append(begin + m_pos, take);
        m_pos += take;
        if (m_pos < end || brk == stop)
            continue;
        m_pos = end + 1;
        m_lineOpen = false;
        if (*brk == '\r') {
            if (m_pos < m_buffer.size()) {
                if (m_buffer[m_pos] == '\n')
                    ++m_pos;
            } else {
                m_skipLf = true;
            }
        }
    }
    if (!m_utf8) {
        m_rest += decodeWindows1252(bytes);
        return;
    }
    if (m_lineOpen) {
        const qsizetype complete = completeUtf8(bytes);
        m_carry = bytes.sliced(complete);
        bytes.truncate(complete);
    }
    m_rest += QString::fromUtf8(bytes);
}

qsizetype TemplatePages::breakAt() const
{
    const QStringView rest(m_rest);
    const qsizetype limit = std::min(rest.size(), LineLimit);
    const qsizetype fits =
        m_fit ? std::clamp(m_fit(rest.first(limit)), qsizetype(1), limit) : limit;
    if (fits == rest.size())
        return fits;
    const auto blank = [rest](qsizetype k) { return rest[k] == u' ' || rest[k] == u'\t'; };
    // After a word that fits, the blanks after it hanging at the end of the line, where they
    // show nothing; a word wider than the line is broken where the line is full.
    qsizetype at = fits;
    while (at > 0 && !(blank(at) && !blank(at - 1)))
        --at;
    if (at == 0) {
        at = fits;
        if (rest[at - 1].isHighSurrogate())
            at += at == 1 ? 1 : -1;
        return at;
    }
    while (at < rest.size() && at < LineLimit && blank(at))
        ++at;
    return at;
}

std::optional<QString> TemplatePages::nextLine()
{
    for (;;) {
        if (!m_inLine && !startLine())
            return std::nullopt;
        // More than a printed line can hold, so that where it breaks is known.
        while (m_lineOpen && m_rest.size() <= LineLimit)
            readMore();
        if (!m_error.isEmpty())
            return std::nullopt;
        if (m_rest.isEmpty()) {
            m_inLine = false;
            // An empty line prints as one; the end of a long one adds none.
            if (m_printedPart)
                continue;
            return QString();
        }
        const qsizetype at = breakAt();
        QString part = m_rest.left(at);
        m_rest.remove(0, at);
        m_printedPart = true;
        return part;
    }
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
