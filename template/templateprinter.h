#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

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
    // How many characters from the start of line fit across a page; by default all of them.
    virtual qsizetype fit(QStringView line) const { return line.size(); }
};

// What the print dialog asked for: the pages from and to (from 1; 0 for all), how many copies,
// and whether each copy comes out whole before the next (collated) or each page as many times
// as there are copies before the next page.
struct PrintChoice
{
    int fromPage = 0;
    int toPage = 0;
    int copies = 1;
    bool collate = true;
};

// Prints the template file at path as TemplatePages lays it out. A collated copy starts again at
// line 0 and page 1 and is a job of its own, unless oneJob puts them one after the other into a
// single job; uncollated copies come as one job. A job begins with its first page, so a file
// without lines, or a range past its last page, sends nothing. Returns an empty text, or why
// printing failed.
QString printCopies(PageSink &sink, const QString &path, const QString &title,
                    const PrintChoice &choice, bool oneJob);

// Told the number of pages sent so far after each page; false stops the printing there.
using PageProgress = std::function<bool(int pagesSent)>;
// What printCopies returns when onPage stopped it.
QString printingStopped();

// The same on a printer, each line at the left margin in its default font, a line wider than the
// page going on over the next, the pages, copies and order the print dialog asked for. Printing to
// a file puts the copies into that one file, since jobs of their own would each replace it.
// Stopped by onPage, the job ends after the last page sent: a printer prints the pages it has,
// a file holds them, readable; the user saw how far it had come.
QString printTemplateFile(QPrinter &printer, const QString &path, const QString &title,
                          const PageProgress &onPage = {});

} // namespace qs::stencil
