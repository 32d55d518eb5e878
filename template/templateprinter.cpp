#include "templateprinter.h"
#include "translation.h"

#include "templatepages.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace qs::stencil {

namespace {

class PrinterSink : public PageSink
{
public:
    explicit PrinterSink(QPrinter &printer)
        : m_printer(printer)
        , m_font(fittingFont(printer))
        , m_metrics(m_font, &printer)
        , m_width(printer.pageRect(QPrinter::DevicePixel).width())
    {
    }

    QString beginJob() override
    {
        if (!m_painter.begin(&m_printer))
            return translate("tagloom32", "the printer could not start the print job");
        m_painter.setFont(m_font);
        m_firstPage = true;
        return {};
    }

    qsizetype fit(QStringView line) const override
    {
        const QString text = line.toString();
        const auto width = [&](qsizetype n) {
            return m_metrics.horizontalAdvance(text, static_cast<int>(n));
        };
        if (width(text.size()) <= m_width)
            return text.size();
        // Widths grow with the characters: the longest start that fits.
        qsizetype fits = 0;
        qsizetype wider = text.size();
        while (wider - fits > 1) {
            const qsizetype mid = fits + (wider - fits) / 2;
            if (width(mid) <= m_width)
                fits = mid;
            else
                wider = mid;
        }
        return fits;
    }

    QString page(const QStringList &lines) override
    {
        if (!m_firstPage && !m_printer.newPage())
            return translate("tagloom32", "the printer could not start a new page");
        m_firstPage = false;
        const QFontMetricsF metrics(m_painter.font(), &m_printer);
        qreal baseline = metrics.ascent();
        for (const QString &line : lines) {
            m_painter.drawText(QPointF(0, baseline), line);
            baseline += metrics.lineSpacing();
        }
        return {};
    }

    QString endJob() override
    {
        if (!m_painter.end())
            return translate("tagloom32", "the print job could not be finished");
        return {};
    }

private:
    // The default font, made smaller only when a full page with its footer would not fit. The
    // lines are broken for it before a job begins.
    static QFont fittingFont(QPrinter &printer)
    {
        const qreal height = printer.pageRect(QPrinter::DevicePixel).height();
        constexpr int Lines = TemplatePages::LinesPerPage + 4;
        QFont font;
        for (int k = 0; k < 20; ++k) {
            if (QFontMetricsF(font, &printer).lineSpacing() * Lines <= height)
                break;
            font.setPointSizeF(font.pointSizeF() * 0.9);
        }
        return font;
    }

    QPrinter &m_printer;
    QFont m_font;
    QFontMetricsF m_metrics;
    qreal m_width;
    QPainter m_painter;
    bool m_firstPage = true;
};

// One job, begun with its first page.
class Job
{
public:
    explicit Job(PageSink &sink)
        : m_sink(sink)
    {
    }
    QString page(const QStringList &lines)
    {
        if (!m_begun) {
            if (QString reason = m_sink.beginJob(); !reason.isEmpty())
                return reason;
            m_begun = true;
        }
        return m_sink.page(lines);
    }
    PageSink &sink() const { return m_sink; }
    QString end()
    {
        if (!m_begun)
            return {};
        m_begun = false;
        return m_sink.endJob();
    }

private:
    PageSink &m_sink;
    bool m_begun = false;
};

bool inRange(const PrintChoice &choice, int page)
{
    return page >= std::max(1, choice.fromPage) && (choice.toPage <= 0 || page <= choice.toPage);
}

// One pass over the file, each page in the range sent times times over.
QString printPass(Job &job, const QString &path, const QString &title, const PrintChoice &choice,
                  int times)
{
    // The file stays open only while this pass is printed.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    TemplatePages pages(file, title, [&job](QStringView line) { return job.sink().fit(line); });
    for (;;) {
        const int number = pages.pageNumber();
        if (choice.toPage > 0 && number > choice.toPage)
            return {};
        const std::optional<QStringList> page = pages.nextPage();
        if (!page)
            break;
        if (!inRange(choice, number))
            continue;
        for (int t = 0; t < times; ++t)
            if (QString reason = job.page(*page); !reason.isEmpty())
                return reason;
    }
    return pages.error();
}

} // namespace

QString printCopies(PageSink &sink, const QString &path, const QString &title,
                    const PrintChoice &choice, bool oneJob)
{
    Job job(sink);
    const int copies = std::max(1, choice.copies);
    const auto finish = [&job](const QString &reason) {
        if (!reason.isEmpty()) {
            job.end();
            return reason;
        }
        return job.end();
    };
    if (!choice.collate)
        return finish(printPass(job, path, title, choice, copies));
    for (int c = 0; c < copies; ++c) {
        if (QString reason = printPass(job, path, title, choice, 1); !reason.isEmpty())
            return finish(reason);
        if (!oneJob || c + 1 == copies)
            if (QString reason = job.end(); !reason.isEmpty())
                return reason;
    }
    return {};
}

QString printingStopped()
{
    return translate("tagloom32", "printing was cancelled");
}

namespace {

// Passes pages on, telling onPage after each; a false answer stops the printing.
class ReportingSink : public PageSink
{
public:
    ReportingSink(PageSink &sink, const PageProgress &onPage)
        : m_sink(sink)
        , m_onPage(onPage)
    {
    }
    QString beginJob() override { return m_sink.beginJob(); }
    QString page(const QStringList &lines) override
    {
        if (QString reason = m_sink.page(lines); !reason.isEmpty())
            return reason;
        return !m_onPage || m_onPage(++m_sent) ? QString() : printingStopped();
    }
    QString endJob() override { return m_sink.endJob(); }
    qsizetype fit(QStringView line) const override { return m_sink.fit(line); }

private:
    PageSink &m_sink;
    const PageProgress &m_onPage;
    int m_sent = 0;
};

} // namespace

QString printTemplateFile(QPrinter &printer, const QString &path, const QString &title,
                          const PageProgress &onPage)
{
    PrintChoice choice;
    choice.copies = std::max(1, printer.copyCount());
    choice.collate = printer.collateCopies();
    if (printer.printRange() == QPrinter::PageRange) {
        choice.fromPage = printer.fromPage();
        choice.toPage = printer.toPage();
    }
    // The copies and the range are ours to make; the printer must not apply them again.
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    PrinterSink printed(printer);
    ReportingSink sink(printed, onPage);
    return printCopies(sink, path, title, choice, !printer.outputFileName().isEmpty());
}

} // namespace qs::stencil
