#include "captiontestsupport.h"
#include "templatetestsupport.h"

#include "templatepages.h"
#include "templateprinter.h"

#include <QBuffer>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

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

QList<QStringList> pagesOf(const QByteArray &bytes, const QString &title, LineFit fit = {})
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TemplatePages pages(buffer, title, std::move(fit));
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
    ASSERT_EQ(split.size(), 2);
    ASSERT_EQ(split[1].size(), 15);
    EXPECT_EQ(split[1][13].size(), 1023);
    EXPECT_EQ(split[1][14], "next");
    // A LF alone at the end of a chunk ends its line there; the next chunk starts a new one.
    QByteArray lf(64 * 1024 - 1, 'y');
    lf += "\n\nnext\n";
    const QList<QStringList> lfSplit = pagesOf(lf, "t");
    ASSERT_EQ(lfSplit.size(), 2);
    ASSERT_EQ(lfSplit[1].size(), 16);
    EXPECT_EQ(lfSplit[1][13].size(), 1023);
    EXPECT_EQ(lfSplit[1][14], "");
    EXPECT_EQ(lfSplit[1][15], "next");

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
    EXPECT_EQ(d->windowTitle(), shownPath(path));

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
    EXPECT_TRUE(s.dialogs->messages().back().startsWith("The template " + shownPath(path) +
                                                        " could not be printed: "));
    EXPECT_EQ(s.dialogs->shown().back().icon, mb::Critical);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(d->windowTitle(), shownPath(path));
    EXPECT_FALSE(d->document().boolDirty());

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

namespace {
// A 355-character text item of words.
QString longItem()
{
    QString text = "{{";
    for (int k = 0; text.size() < 355; ++k)
        text += QStringLiteral("word%1 ").arg(k);
    text.truncate(355);
    return text;
}
} // namespace

// A line wider than the page goes on over as many printed lines as it needs, broken after a
// word where it can be, and nothing of it is lost; a line that fits prints as it is.
TEST(TemplatePages, ALineWiderThanThePageGoesOnOverTheNextLines)
{
    const LineFit forty = [](QStringView line) { return std::min<qsizetype>(line.size(), 40); };
    const QString a38 = QString(38, 'a');
    struct Case
    {
        const char *name;
        QString line;
        LineFit fit;
        QStringList printed; // empty: broken after words, checked below
    };
    const Case cases[] = {
        {"a short line", "{{short line", forty, {"{{short line"}},
        {"a 355-character item", longItem(), forty, {}},
        {"a word wider than the line",
         "{{" + QString(98, 'x'),
         forty,
         {"{{" + QString(38, 'x'), QString(40, 'x'), QString(20, 'x')}},
        {"blanks at the break", a38 + "     " + "bbb ccc", forty, {a38 + "     ", "bbb ccc"}},
        {"leading blanks",
         "      " + QString(50, 'd'),
         forty,
         {"      " + QString(34, 'd'), QString(16, 'd')}},
        {"no width given: a printed line's most characters",
         QString(3000, 'y'),
         {},
         {QString(1024, 'y'), QString(1024, 'y'), QString(952, 'y')}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QList<QStringList> pages = pagesOf(c.line.toUtf8() + "\r\n", "t", c.fit);
        ASSERT_EQ(pages.size(), 1);
        const QStringList &printed = pages[0];
        EXPECT_EQ(printed.join(QString()), c.line);
        if (!c.printed.isEmpty()) {
            EXPECT_EQ(printed, c.printed);
            continue;
        }
        EXPECT_GE(printed.size(), 9);
        for (qsizetype k = 0; k < printed.size(); ++k) {
            EXPECT_LE(printed[k].trimmed().size(), 40) << k;
            if (k + 1 < printed.size()) {
                EXPECT_TRUE(printed[k].endsWith(' ') && printed[k + 1].front() != ' ') << k;
            }
        }
    }

    // The lines a long one takes count toward the 50 of a page: the footer comes sooner.
    QByteArray file;
    for (int k = 1; k <= 48; ++k)
        file += "{{line " + QByteArray::number(k) + "\r\n";
    file += longItem().toUtf8() + "\r\n{{after\r\n";
    const QList<QStringList> pages = pagesOf(file, "t.htp", forty);
    const QStringList parts = pagesOf(longItem().toUtf8(), "t", forty)[0];
    ASSERT_EQ(pages.size(), 2);
    ASSERT_EQ(pages[0].size(), 54);
    EXPECT_EQ(pages[0].mid(48, 2), parts.mid(0, 2));
    EXPECT_EQ(pages[0][52], "t.htp: Page 1");
    EXPECT_EQ(pages[1], parts.mid(2) + QStringList{"{{after"});
}

TEST(TemplatePrinter, ALongItemPrintsWholeOverLinesThatPushThePageBreak)
{
    QS_SKIP_WITHOUT_FONTS();
    // 49 lines and a 355-character item: one page if the item were cut at the page's edge.
    QByteArray lines;
    for (int k = 1; k <= 49; ++k)
        lines += "{{line " + QByteArray::number(k) + "\r\n";
    const QString path = testHome() + "/long.htp";
    const QString pdf = testHome() + "/out.pdf";
    Stencilry s;
    struct Case
    {
        const char *name;
        QByteArray last;
        int pages;
    };
    const Case cases[] = {
        {"a short last line", "{{short", 1},
        {"a 355-character last item", longItem().toUtf8(), 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeAll(path, lines + c.last + "\r\n");
        if (!s.active())
            s.open(path);
        s.dialogs->answerPrint(true, toPdf(pdf));
        s.trigger("file_print");
        EXPECT_TRUE(s.dialogs->messages().isEmpty());
        EXPECT_EQ(pdfPages(pdf), c.pages);
    }
}

// A long print runs beside the window, shows the pages sent, and Cancel ends it cleanly: the PDF
// holds the pages printed so far, readable, and no failure is reported.
TEST(TemplatePrinter, ALongPrintShowsItsPagesAndCancelKeepsThoseDone)
{
    const QString path = testHome() + "/long.htp";
    writeAll(path, numberedLines(200'000)); // 4,000 pages
    Stencilry s;
    s.open(path);
    const QString pdf = testHome() + "/out.pdf";
    s.dialogs->answerPrint(true, toPdf(pdf));
    QString shownLabel;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto *busy = s.frame->findChild<QProgressDialog *>("frmBusy");
        if (!busy || !busy->isVisible() || !busy->labelText().contains(": page "))
            return;
        shownLabel = busy->labelText();
        watcher.stop();
        busy->findChild<QPushButton *>()->click();
    });
    watcher.start(20);
    s.trigger("file_print");
    EXPECT_TRUE(shownLabel.startsWith("Printing " + shownPath(path) + ": page "))
        << shownLabel.toStdString();
    EXPECT_TRUE(s.dialogs->messages().isEmpty());
    const int pages = pdfPages(pdf);
    EXPECT_GE(pages, 1);
    EXPECT_LT(pages, 4000);
    EXPECT_TRUE(readAll(pdf).trimmed().endsWith("%%EOF"));
}
