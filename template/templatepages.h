#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

namespace qs::stencil {

// A template file as printed pages: the file's lines as stored, 50 a page, each full page
// followed by two empty lines, "<title>: Page N" and the version line. A page on which the
// file ends gets no footer, and a file that ends with a full page gets no empty page after it.
// The file is read as it goes, so that memory does not grow with its size.
class TemplatePages
{
public:
    static constexpr int LinesPerPage = 50;
    // A printed line is never wrapped, so no page shows more of a line than this.
    static constexpr qsizetype LineLimit = 1024;
    static inline const QString VersionLine = QStringLiteral("Printed with Stencilry Version 1.0");

    // file: open for reading and seekable; it is read once to choose between UTF-8 and
    // Windows-1252, as the editor does, then again for the lines.
    TemplatePages(QIODevice &file, QString title);

    // The next page's lines, footer included; nullopt after the last page or when reading
    // failed (see error()).
    std::optional<QStringList> nextPage();
    // Why reading stopped early; empty while it has not.
    const QString &error() const { return m_error; }
    // The number the next page will have, from 1.
    int pageNumber() const { return m_page; }

private:
    bool chooseCodec();
    // The next line of the file as stored; nullopt at the end or on an error.
    std::optional<QString> nextLine();
    bool fill();

    QIODevice &m_file;
    QString m_title;
    QString m_error;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_utf8 = true;
    bool m_started = false;
    bool m_atEnd = false;
    bool m_skipLf = false; // the last chunk ended with a CR
    int m_page = 1;
};

} // namespace qs::stencil
