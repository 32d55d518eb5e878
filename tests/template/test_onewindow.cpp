#include "templatetestsupport.h"

#include "templatefile.h"

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
struct Opened
{
    QString path = testHome() + "/contact.htp";
    QByteArray bytes = readAll(QS_DEMO_DIR "/templates/contact.htp");

    Opened() { EXPECT_TRUE(writeAll(path, bytes)); }
};

QMdiSubWindow *sub(const editDlg *d)
{
    return qobject_cast<QMdiSubWindow *>(d->parentWidget());
}
} // namespace

// Whichever way a template is asked for again, under whatever name, its window comes to the
// front with the items it holds, edits included, and no second window reads the file.
TEST(OneWindow, OpeningAnOpenTemplateAgainActivatesItsWindow)
{
    struct Case
    {
        const char *name;
        std::function<QString(const QString &path)> otherName;
        bool fromCommandLine;
    };
    const Case cases[] = {
        {"File Open, the same name", [](const QString &p) { return p; }, false},
        {"File Open through ..",
         [](const QString &p) {
             QDir().mkpath(testHome() + "/sub");
             return testHome() + "/sub/../" + QFileInfo(p).fileName();
         },
         false},
#ifndef Q_OS_WIN
        {"File Open through a link",
         [](const QString &p) {
             const QString link = testHome() + "/link.htp";
             QFile::link(p, link);
             return link;
         },
         false},
#endif
        {"the command line, twice", [](const QString &p) { return p; }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Opened file;
        Stencilry s;
        editDlg *first = s.open(file.path);
        s.trigger("insert_crlf");
        const std::vector<TemplateItem> edited = first->document().rows();
        s.open(testHome() + "/other.htp");
        sub(first)->showMinimized();

        const QString again = c.otherName(file.path);
        if (c.fromCommandLine) {
            s.frame->openFiles({again, again});
        } else {
            s.dialogs->answerOpen(again);
            s.trigger("file_open");
        }
        EXPECT_EQ(s.frame->documents().size(), 2);
        EXPECT_EQ(s.active(), first);
        EXPECT_FALSE(sub(first)->isMinimized());
        EXPECT_EQ(first->document().rows(), edited);
        EXPECT_TRUE(first->document().boolDirty());
        EXPECT_EQ(first->windowTitle(), shownPath(file.path));
        EXPECT_TRUE(s.dialogs->messages().isEmpty());
        first->document().markSaved();
    }
}

// Save As onto the file of another open window is refused, naming it: the file, both windows
// and the name the dialog remembers stay as they were. A window's own file is no other's.
TEST(OneWindow, SaveAsOntoAFileAnotherWindowHoldsIsRefused)
{
    struct Case
    {
        const char *name;
        bool titled; // the window saved from has a file of its own
        bool throughClosePrompt;
    };
    const Case cases[] = {
        {"an untitled window", false, false},
        {"a window with a file of its own", true, false},
        {"an untitled window closed with Yes", false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Opened file;
        const QString own = testHome() + "/own.htp";
        writeAll(own, crlf({"{{own", ""}));
        Stencilry s;
        editDlg *holder = s.open(file.path);
        const std::vector<TemplateItem> held = holder->document().rows();
        editDlg *d = c.titled ? s.open(own) : s.newDocument();
        s.trigger("insert_crlf");
        const std::vector<TemplateItem> rows = d->document().rows();
        const QString title = d->windowTitle();

        if (c.throughClosePrompt) {
            s.dialogs->answerMessage(mb::Yes).answerSave(file.path).answerMessage();
            sub(d)->close();
        } else {
            s.dialogs->answerSave(file.path).answerMessage();
            s.trigger("file_saveas");
        }
        const DialogRecord &m = s.dialogs->shown().back();
        EXPECT_EQ(m.text, "The template " + shownPath(file.path) +
                              " is open in another window.\r\n\r\nSave this one under another "
                              "name, or close that window first.");
        EXPECT_EQ(m.caption, "tagloom32");
        EXPECT_EQ(readAll(file.path), file.bytes);
        EXPECT_EQ(readAll(own), crlf({"{{own", ""}));
        EXPECT_EQ(s.frame->documents(), (QList<editDlg *>{holder, d}));
        EXPECT_EQ(d->windowTitle(), shownPath(title));
        EXPECT_EQ(d->document().rows(), rows);
        EXPECT_TRUE(d->document().boolDirty());
        EXPECT_EQ(holder->document().rows(), held);
        EXPECT_EQ(holder->windowTitle(), shownPath(file.path));

        // The dialog still offers the name chosen last; another name saves.
        const QString elsewhere = testHome() + "/elsewhere.htp";
        s.dialogs->answerSave(elsewhere);
        s.frame->mdiArea()->setActiveSubWindow(sub(d));
        s.trigger("file_saveas");
        EXPECT_EQ(s.dialogs->shown().back().options.fileName, file.path);
        EXPECT_EQ(d->windowTitle(), shownPath(elsewhere));
        EXPECT_EQ(readAll(elsewhere), templateText(rows));
        EXPECT_EQ(readAll(file.path), file.bytes);

        // The holder saves onto its own file, however its name is written.
        s.frame->mdiArea()->setActiveSubWindow(sub(holder));
        s.trigger("insert_crlf");
        const auto told = s.dialogs->messages().size();
        s.dialogs->answerSave(testHome() + "/./contact.htp");
        s.trigger("file_saveas");
        EXPECT_EQ(s.dialogs->messages().size(), told);
        EXPECT_EQ(readAll(file.path), templateText(holder->document().rows()));
        EXPECT_FALSE(holder->document().boolDirty());
    }
}
