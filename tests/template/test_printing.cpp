#include "templatetestsupport.h"

#include "templatepages.h"
#include "templateprinter.h"

#include <QBuffer>
#include <QPrinter>
#include <QRegularExpression>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
const char *const Version = "Printed with Stencilry Version 1.0";

// n numbered lines "{{line 1"... with CR LF ends.
QByteArray numberedLines(int n)
{
    QByteArray out;
    for (int k = 1; k <= n; ++k)
        out += "{{line " + QByteArray::number(k) + "\r\n";
    return out;
}

QList<QStringList> pagesOf(const QByteArray &bytes, const QString &title)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TemplatePages pages(buffer, title);
    QList<QStringList> out;
    while (std::optional<QStringList> page = pages.nextPage())
        out << *page;
    EXPECT_EQ(pages.error(), "");
    return out;
}

// Records the jobs and pages it is given.
struct RecordingSink : PageSink
{
    QList<QList<QStringList>> jobs;
    bool open = false;
    QString beginJob() override
    {
        EXPECT_FALSE(open);
        open = true;
        jobs.append(QList<QStringList>());
        return {};
    }
    QString page(const QStringList &lines) override
    {
        EXPECT_TRUE(open);
        jobs.back().append(lines);
        return {};
    }
    QString endJob() override
    {
        EXPECT_TRUE(open);
        open = false;
        return {};
    }
};

// The print dialog's answer that prints copies into the PDF file pdf.
std::function<void(QPrinter &)> toPdf(const QString &pdf, int copies = 1)
{
    return [pdf, copies](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setCopyCount(copies);
    };
}

int pdfPages(const QString &path)
{
    const QString pdf = QString::fromLatin1(readAll(path));
    return static_cast<int>(pdf.count(QRegularExpression("/Type\\s*/Page(?!s)")));
}
} // namespace

TEST(TemplatePages, FullPagesGetTheFooterAndTheLastPartialPageNone)
{
    const QList<QStringList> pages = pagesOf(numberedLines(120), "C:\\t\\long.htp");
    ASSERT_EQ(pages.size(), 3);
    for (int p = 0; p < 2; ++p) {
        ASSERT_EQ(pages[p].size(), 54);
        EXPECT_EQ(pages[p][0], "{{line " + QString::number(50 * p + 1));
        EXPECT_EQ(pages[p][49], "{{line " + QString::number(50 * p + 50));
        EXPECT_EQ(
            pages[p].mid(50),
            (QStringList{"", "", "C:\\t\\long.htp: Page " + QString::number(p + 1), Version}));
    }
    ASSERT_EQ(pages[2].size(), 20);
    EXPECT_EQ(pages[2].front(), "{{line 101");
    EXPECT_EQ(pages[2].back(), "{{line 120");

    // Exactly 50 lines: one page with its footer and no empty page after it.
    const QList<QStringList> fifty = pagesOf(numberedLines(50), "t.htp");
    ASSERT_EQ(fifty.size(), 1);
    EXPECT_EQ(fifty[0].size(), 54);
    EXPECT_EQ(fifty[0][52], "t.htp: Page 1");
    EXPECT_EQ(pagesOf(numberedLines(51), "t").size(), 2);
    EXPECT_TRUE(pagesOf("", "t").isEmpty());
}

TEST(TemplatePages, LinesAreAsStoredWhateverTheirEnds)
{
    // CR LF, a lone CR, a lone LF, a last line without an end, the empty last line of a saved
    // template.
    EXPECT_EQ(pagesOf("{!\r\n{[\rprompt\n still\r\n\r\nlast", "t"),
              (QList<QStringList>{{"{!", "{[", "prompt", " still", "", "last"}}));
    EXPECT_EQ(pagesOf("\r\n", "t"), (QList<QStringList>{{""}}));
    // LF then CR is two line ends, not one.
    EXPECT_EQ(pagesOf("a\n\rb\n", "t"), (QList<QStringList>{{"a", "", "b"}}));
    // Read in chunks: a CR LF split across two of them is still one line end.
    QByteArray big(64 * 1024 - 1, 'x');
    big += "\r\nnext\r\n";
    const QList<QStringList> split = pagesOf(big, "t");
    ASSERT_EQ(split.size(), 1);
    ASSERT_EQ(split[0].size(), 2);
    EXPECT_EQ(split[0][0].size(), TemplatePages::LineLimit);
    EXPECT_EQ(split[0][1], "next");
    // A LF alone at the end of a chunk ends its line there; the next chunk starts a new one.
    QByteArray lf(64 * 1024 - 1, 'y');
    lf += "\n\nnext\n";
    const QList<QStringList> lfSplit = pagesOf(lf, "t");
    ASSERT_EQ(lfSplit.size(), 1);
    ASSERT_EQ(lfSplit[0].size(), 3);
    EXPECT_EQ(lfSplit[0][1], "");
    EXPECT_EQ(lfSplit[0][2], "next");

    // The editor's choice of encoding: UTF-8 when the whole file is, Windows-1252 otherwise.
    EXPECT_EQ(pagesOf("{{caf\xc3\xa9\r\n", "t")[0][0], QString::fromUtf8("{{caf\xc3\xa9"));
    EXPECT_EQ(pagesOf("{{caf\xc3\xa9\r\n{{\x93quoted\x94\r\n", "t")[0],
              (QStringList{QString::fromUtf8("{{caf\xc3\x83\xc2\xa9"),
                           QString::fromUtf8("{{\xe2\x80\x9cquoted\xe2\x80\x9d")}));
    // A UTF-8 sequence cut by the end of the file is no UTF-8.
    EXPECT_EQ(pagesOf("{{a\xc3", "t")[0][0], QString::fromUtf8("{{a\xc3\x83"));
}

TEST(TemplatePrinter, EachCopyIsAJobOfItsOwnFromPageOne)
{
    const QString path = testHome() + "/long.htp";
    writeAll(path, numberedLines(120));
    RecordingSink sink;
    ASSERT_EQ(printCopies(sink, path, path, {0, 0, 2, true}, false), "");
    ASSERT_EQ(sink.jobs.size(), 2);
    for (const QList<QStringList> &job : sink.jobs) {
        ASSERT_EQ(job.size(), 3);
        EXPECT_EQ(job[0][0], "{{line 1");
        EXPECT_EQ(job[0][52], path + ": Page 1");
        EXPECT_EQ(job[1][52], path + ": Page 2");
        EXPECT_EQ(job[2].size(), 20);
    }

    RecordingSink file;
    ASSERT_EQ(printCopies(file, path, path, {0, 0, 2, true}, true), "");
    ASSERT_EQ(file.jobs.size(), 1);
    ASSERT_EQ(file.jobs[0].size(), 6);
    EXPECT_EQ(file.jobs[0][3][0], "{{line 1");
    EXPECT_EQ(file.jobs[0][4][52], path + ": Page 2");

    RecordingSink missing;
    EXPECT_NE(printCopies(missing, testHome() + "/gone.htp", "gone", {}, false), "");
    EXPECT_TRUE(missing.jobs.isEmpty());
}

TEST(TemplatePrinter, APageRangeCopiesAndTheirOrderAreHonoured)
{
    const QString path = testHome() + "/long.htp";
    writeAll(path, numberedLines(120)); // pages 1 and 2 full, page 3 of 20 lines
    const auto footers = [](const QList<QStringList> &job) {
        QStringList out;
        for (const QStringList &page : job)
            out << (page.size() > 50 ? page[52].section(": ", 1) : QStringLiteral("last"));
        return out;
    };
    RecordingSink second;
    ASSERT_EQ(printCopies(second, path, path, {2, 2, 1, true}, false), "");
    ASSERT_EQ(second.jobs.size(), 1);
    EXPECT_EQ(footers(second.jobs[0]), QStringList{"Page 2"});
    EXPECT_EQ(second.jobs[0][0][0], "{{line 51");

    RecordingSink collated;
    ASSERT_EQ(printCopies(collated, path, path, {2, 3, 2, true}, false), "");
    ASSERT_EQ(collated.jobs.size(), 2);
    for (const QList<QStringList> &job : collated.jobs)
        EXPECT_EQ(footers(job), (QStringList{"Page 2", "last"}));

    RecordingSink uncollated;
    ASSERT_EQ(printCopies(uncollated, path, path, {1, 2, 2, false}, false), "");
    ASSERT_EQ(uncollated.jobs.size(), 1);
    EXPECT_EQ(footers(uncollated.jobs[0]), (QStringList{"Page 1", "Page 1", "Page 2", "Page 2"}));

    // A range past the last page sends nothing.
    RecordingSink beyond;
    ASSERT_EQ(printCopies(beyond, path, path, {5, 9, 1, true}, false), "");
    EXPECT_TRUE(beyond.jobs.isEmpty());
}

TEST(TemplatePrinter, PrintsFromTheWindowIntoAPdf)
{
    const QString path = testHome() + "/long.htp";
    writeAll(path, numberedLines(119) + "\r\n");
    Stencilry s;
    editDlg *d = s.open(path);
    // Unsaved changes are not printed: the file as last saved is.
    d->document().append({kind::Text, "not saved", {}});
    const QString pdf = testHome() + "/out.pdf";
    s.dialogs->answerPrint(true, toPdf(pdf));
    QTest::keyClick(s.frame.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(s.dialogs->messages().isEmpty());
    EXPECT_EQ(pdfPages(pdf), 3);

    s.dialogs->answerPrint(true, toPdf(pdf, 2));
    s.trigger("file_print");
    EXPECT_EQ(pdfPages(pdf), 6);
    EXPECT_EQ(d->windowTitle(), path);

    // Page 2 to 2 of the dialog: one page.
    s.dialogs->answerPrint(true, [pdf](QPrinter &printer) {
        toPdf(pdf)(printer);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
    });
    s.trigger("file_print");
    EXPECT_EQ(pdfPages(pdf), 1);

    writeAll(path, numberedLines(50));
    s.dialogs->answerPrint(true, toPdf(pdf));
    s.trigger("file_print");
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_TRUE(s.dialogs->messages().isEmpty());
}

TEST(TemplatePrinter, ALfTemplatePrintsLineByLineFromTheWindow)
{
    // 120 lines ended by LF alone, as an editor on Linux writes them: three pages, not one.
    QByteArray lf = numberedLines(120);
    lf.replace("\r\n", "\n");
    const QString path = testHome() + "/linux.htp";
    writeAll(path, lf);
    Stencilry s;
    s.open(path);
    const QString pdf = testHome() + "/out.pdf";
    s.dialogs->answerPrint(true, toPdf(pdf));
    s.trigger("file_print");
    EXPECT_TRUE(s.dialogs->messages().isEmpty());
    EXPECT_EQ(pdfPages(pdf), 3);

    RecordingSink sink;
    ASSERT_EQ(printCopies(sink, path, path, {0, 0, 1, true}, false), "");
    ASSERT_EQ(sink.jobs.size(), 1);
    ASSERT_EQ(sink.jobs[0].size(), 3);
    EXPECT_EQ(sink.jobs[0][0][0], "{{line 1");
    EXPECT_EQ(sink.jobs[0][0][52], path + ": Page 1");
    EXPECT_EQ(sink.jobs[0][2].back(), "{{line 120");
}

TEST(TemplatePrinter, UntitledCancelledAndFailedPrints)
{
    Stencilry s;
    editDlg *d = s.newDocument();
    s.dialogs->answerPrint(false);
    s.trigger("file_print");
    EXPECT_TRUE(s.dialogs->messages().isEmpty());

    // The print dialog first, then the message.
    s.dialogs->answerPrint(true).answerMessage();
    s.trigger("file_print");
    ASSERT_EQ(s.dialogs->shown().size(), 3u);
    EXPECT_EQ(s.dialogs->shown()[1].kind, DialogKind::Print);
    const DialogRecord &m = s.dialogs->shown()[2];
    EXPECT_EQ(m.text, "You must save this document before you can print it.");
    EXPECT_EQ(m.caption, "Stencilry");
    EXPECT_EQ(m.icon, mb::Information);

    // Saved, then the file went away: the user is told, nothing else changes.
    const QString path = testHome() + "/gone.htp";
    s.dialogs->answerSave(path);
    s.trigger("file_save");
    QFile::remove(path);
    const QString pdf = testHome() + "/never.pdf";
    s.dialogs->answerPrint(true, [pdf](QPrinter &p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
    });
    s.dialogs->answerMessage();
    s.trigger("file_print");
    EXPECT_TRUE(s.dialogs->messages().back().startsWith("The template " + path +
                                                        " could not be printed: "));
    EXPECT_EQ(s.dialogs->shown().back().icon, mb::Critical);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(d->windowTitle(), path);
    EXPECT_FALSE(d->document().boolDirty);

    // A printer that cannot take the job.
    writeAll(path, numberedLines(3));
    s.dialogs->answerPrint(true, [](QPrinter &p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(testHome() + "/no such folder/out.pdf");
    });
    s.dialogs->answerMessage();
    s.trigger("file_print");
    EXPECT_TRUE(s.dialogs->messages().back().contains("could not start the print job"));
}
