#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

namespace qs::stencil {

// Where printed pages go, job after job. Each call returns an empty text, or why it failed.
class PageSink
{
public:
    virtual ~PageSink() = default;
    virtual QString beginJob() = 0;
    virtual QString page(const QStringList &lines) = 0;
    virtual QString endJob() = 0;
};

// Prints copies of the template file at path as TemplatePages lays it out. Every copy starts
// again at line 0 and page 1 and is a job of its own, unless oneJob puts them one after the
// other into a single job. A job begins with its first page, so a file without lines sends
// nothing. Returns an empty text, or why printing failed.
QString printCopies(PageSink &sink, const QString &path, const QString &title, int copies,
                    bool oneJob);

// The same on a printer, each line at the left margin in its default font, as many copies as
// the print dialog asked for. Printing to a file puts the copies into that one file, since jobs
// of their own would each replace it.
QString printTemplateFile(QPrinter &printer, const QString &path, const QString &title);

} // namespace qs::stencil
