#include "templateprinter.h"

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
    {
    }

    QString beginJob() override
    {
        if (!m_painter.begin(&m_printer))
            return QStringLiteral("the printer could not start the print job");
        fitFont();
        m_firstPage = true;
        return {};
    }

    QString page(const QStringList &lines) override
    {
        if (!m_firstPage && !m_printer.newPage())
            return QStringLiteral("the printer could not start a new page");
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
            return QStringLiteral("the print job could not be finished");
        return {};
    }

private:
    // The default font, made smaller only when a full page with its footer would not fit.
    void fitFont()
    {
        const qreal height = m_printer.pageRect(QPrinter::DevicePixel).height();
        constexpr int Lines = TemplatePages::LinesPerPage + 4;
        QFont font = m_painter.font();
        for (int k = 0; k < 20; ++k) {
            if (QFontMetricsF(font, &m_printer).lineSpacing() * Lines <= height)
                break;
            font.setPointSizeF(font.pointSizeF() * 0.9);
        }
        m_painter.setFont(font);
    }

    QPrinter &m_printer;
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

QString printCopy(Job &job, const QString &path, const QString &title)
{
    // The file stays open only while this copy is printed.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    TemplatePages pages(file, title);
    while (const std::optional<QStringList> page = pages.nextPage())
        if (QString reason = job.page(*page); !reason.isEmpty())
            return reason;
    return pages.error();
}

} // namespace

QString printCopies(PageSink &sink, const QString &path, const QString &title, int copies,
                    bool oneJob)
{
    Job job(sink);
    for (int c = 0; c < copies; ++c) {
        if (QString reason = printCopy(job, path, title); !reason.isEmpty()) {
            job.end();
            return reason;
        }
        if (!oneJob || c + 1 == copies)
            if (QString reason = job.end(); !reason.isEmpty())
                return reason;
    }
    return {};
}

QString printTemplateFile(QPrinter &printer, const QString &path, const QString &title)
{
    const int copies = std::max(1, printer.copyCount());
    // The copies are ours to make; the printer must not multiply each job again.
    printer.setCopyCount(1);
    PrinterSink sink(printer);
    return printCopies(sink, path, title, copies, !printer.outputFileName().isEmpty());
}

} // namespace qs::stencil
