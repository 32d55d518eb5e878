#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QIODevice;

namespace qs::stencil {

// How many characters from the start of a line fit across the printed page.
using LineFit = std::function<qsizetype(QStringView line)>;

// A template file as printed pages: the file's lines as stored, 50 printed lines a page, each
// full page followed by two empty lines, "<title>: Page N" and the version line. A line wider
// than the page goes on over as many printed lines as it needs, broken after a blank where it
// has one, and each of them counts toward the 50. A page on which the file ends gets no footer,
// and a file that ends with a full page gets no empty page after it. The file is read as it
// goes, so that memory does not grow with its size, not even with the length of one line.
class TemplatePages
{
public:
    static constexpr int LinesPerPage = 50;
    // The most characters one printed line holds, whatever fits.
    static constexpr qsizetype LineLimit = 1024;
    static inline const QString VersionLine = QStringLiteral("Printed with Stencilry Version 1.0");

    // file: open for reading and seekable; it is read once to choose between UTF-8 and
    // Windows-1252, as the editor does, then again for the lines. fit: none lets LineLimit
    // characters fit.
    TemplatePages(QIODevice &file, QString title, LineFit fit = {});

    // The next page's lines, footer included; nullopt after the last page or when reading
    // failed (see error()).
    std::optional<QStringList> nextPage();
    // Why reading stopped early; empty while it has not.
    const QString &error() const { return m_error; }
    // The number the next page will have, from 1.
    int pageNumber() const { return m_page; }

private:
    bool chooseCodec();
    // The next printed line: a file line as stored, or the next part of a long one; nullopt at
    // the end or on an error.
    std::optional<QString> nextLine();
    // Starts on the next line of the file; false when there is none.
    bool startLine();
    // Decodes more of the current file line into m_rest.
    void readMore();
    // How many characters of m_rest the next printed line takes.
    qsizetype breakAt() const;
    bool fill();

    QIODevice &m_file;
    QString m_title;
    LineFit m_fit;
    QString m_error;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    QString m_rest;     // the current file line's characters not yet printed
    QByteArray m_carry; // a UTF-8 sequence cut by the last read
    bool m_inLine = false;
    bool m_lineOpen = false; // more of the current file line is still in the file
    bool m_printedPart = false;
    bool m_utf8 = true;
    bool m_started = false;
    bool m_atEnd = false;
    bool m_skipLf = false; // the last chunk ended with a CR
    int m_page = 1;
};

} // namespace qs::stencil
