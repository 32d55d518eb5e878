#include "templatetestsupport.h"

#include "templatefile.h"
#include "templatemodel.h"

#include <QHeaderView>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
const char *const ChangedQuestion = " has been changed.\r\n\r\nWould you like to save the changes?";
} // namespace

TEST(DocumentWindow, ListFillsTheWindowWithItsFourColumns)
{
    Stencilry s;
    editDlg *d = s.newDocument();
    QTreeView *list = d->listView();
    EXPECT_EQ(list->objectName(), "ListView1");
    EXPECT_EQ(list->model(), d->model());
    EXPECT_EQ(d->windowTitle(), "Untitled");
    EXPECT_EQ(d->parentWidget()->windowTitle(), "Untitled");
    const int widths[] = {233, 96, 96, 96};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(list->header()->sectionSize(c), widths[c]) << c;
    EXPECT_EQ(list->geometry(), d->rect());

    auto *sub = qobject_cast<QMdiSubWindow *>(d->parentWidget());
    sub->showMinimized();
    QApplication::processEvents();
    sub->showNormal();
    sub->resize(sub->size() + QSize(40, 30));
    QApplication::processEvents();
    EXPECT_EQ(list->geometry(), d->rect());
    EXPECT_GT(list->width(), 0);
}

TEST(DocumentWindow, OpenShowsTheFileCleanAndTheDialogKeepsTheLastName)
{
    const QString path = testHome() + "/every.htp";
    writeAll(path, everyKindFile());
    Stencilry s;
    editDlg *d = s.open(path);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), shownPath(path));
    EXPECT_EQ(d->document().rows(), everyKind());
    EXPECT_EQ(d->model()->rowCount(), 4);
    EXPECT_FALSE(d->document().boolDirty());
    const FileDialogOptions &o = s.dialogs->shown()[0].options;
    EXPECT_EQ(o.filter, "Templates|*.htp|All Files|*.*|");
    EXPECT_EQ(o.defaultExt, ".htp");
    EXPECT_EQ(o.flags, ofn::HideReadOnly);
    EXPECT_TRUE(o.title.isEmpty());
    EXPECT_TRUE(o.fileName.isEmpty());

    // Save As, Insert File and Open start from the name chosen last by any of them.
    const QString other = testHome() + "/other";
    s.dialogs->answerSave(other).answerOpen(std::nullopt).answerOpen(std::nullopt);
    s.trigger("file_saveas");
    s.trigger("insert_file");
    s.trigger("file_open");
    const auto &shown = s.dialogs->shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1].kind, DialogKind::Save);
    EXPECT_EQ(shown[1].options.fileName, path);
    EXPECT_EQ(shown[2].options.fileName, other + ".htp");
    EXPECT_EQ(shown[3].options.fileName, other + ".htp");
    EXPECT_EQ(d->windowTitle(), shownPath(other + ".htp"));
    EXPECT_EQ(readAll(other + ".htp"), everyKindFile());
}

TEST(DocumentWindow, ANameThatDoesNotExistOpensAnEmptyTitledWindow)
{
    Stencilry s;
    const QString path = testHome() + "/new-one.htp";
    editDlg *d = s.open(path);
    EXPECT_EQ(d->windowTitle(), shownPath(path));
    EXPECT_EQ(d->document().count(), 0);
    EXPECT_FALSE(d->document().boolDirty());
    EXPECT_EQ(s.dialogs->messages().size(), 0);
    // Save writes there without asking.
    QTest::keyClick(s.frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readAll(path), QByteArray("\r\n"));
}

TEST(DocumentWindow, PartialReadTellsTheFileAndLineAndKeepsTheRows)
{
    const QString path = testHome() + "/cut.htp";
    writeAll(path, crlf({"{{one", "{!", "{|", "prompt", "filter"}));
    Stencilry s;
    s.dialogs->answerOpen(path).answerMessage(mb::Ok);
    s.trigger("file_open");
    ASSERT_EQ(s.dialogs->messages().size(), 1);
    const DialogRecord &m = s.dialogs->shown().back();
    EXPECT_TRUE(m.text.contains(shownPath(path)));
    EXPECT_TRUE(m.text.contains("line 3"));
    EXPECT_TRUE(m.text.contains("not read completely"));
    EXPECT_EQ(m.caption, "tagloom32");
    EXPECT_TRUE(m.text.contains("Save them under a new name."));
    EXPECT_EQ(texts(s.active()), (QStringList{"one", "(Carriage Return)"}));

    // The document forgets the file, so that Save cannot replace it with the part read.
    EXPECT_EQ(s.active()->windowTitle(), "Untitled");
    s.dialogs->answerSave(std::nullopt);
    QTest::keyClick(s.frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(s.dialogs->shown().back().kind, DialogKind::Save);
    // The dialog suggests no name of the file read in part, and asks before replacing any.
    EXPECT_EQ(s.dialogs->shown().back().options.fileName, "");
    EXPECT_TRUE(s.dialogs->shown().back().options.flags & ofn::OverwritePrompt);
    EXPECT_EQ(readAll(path), crlf({"{{one", "{!", "{|", "prompt", "filter"}));

    // Insert File keeps the document's own title after a partial read.
    const QString mine = testHome() + "/mine.htp";
    writeAll(mine, crlf({"{{mine", ""}));
    editDlg *d = s.open(mine);
    s.dialogs->answerOpen(path).answerMessage(mb::Ok);
    s.trigger("insert_file");
    EXPECT_EQ(d->windowTitle(), shownPath(mine));
    EXPECT_FALSE(s.dialogs->messages().back().contains("new name"));
    s.dialogs->answerSave(std::nullopt);
    s.trigger("file_saveas");
    EXPECT_EQ(s.dialogs->shown().back().options.fileName, "");
}

TEST(DocumentWindow, SaveOfAnUntitledDocumentAsksForANameAndAddsTheExtension)
{
    Stencilry s;
    editDlg *d = s.newDocument();
    for (TemplateItem item : everyKind())
        d->document().append(std::move(item));
    d->document().markChanged();
    s.dialogs->answerSave(std::nullopt);
    s.trigger("file_save");
    EXPECT_EQ(d->windowTitle(), "Untitled");
    EXPECT_TRUE(d->document().boolDirty());

    const QString path = testHome() + "/saved";
    s.dialogs->answerSave(path);
    QTest::keyClick(s.frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(d->windowTitle(), shownPath(path + ".htp"));
    EXPECT_FALSE(d->document().boolDirty());
    EXPECT_EQ(readAll(path + ".htp"), everyKindFile());
}

TEST(DocumentWindow, InsertFileGoesOnTopAndMarksTheDocumentEvenWhenCancelled)
{
    const QString two = testHome() + "/two.htp";
    writeAll(two, crlf({"{{A", "{!", ""}));
    const QString three = testHome() + "/three.htp";
    writeAll(three, crlf({"{{x", "{{y", "{{z", ""}));
    Stencilry s;
    editDlg *d = s.open(three);
    s.dialogs->answerOpen(std::nullopt);
    s.trigger("insert_file");
    EXPECT_TRUE(d->document().boolDirty());
    EXPECT_EQ(d->document().count(), 3);

    d->document().markSaved();
    s.dialogs->answerOpen(two);
    s.trigger("insert_file");
    EXPECT_EQ(texts(d), (QStringList{"A", "(Carriage Return)", "x", "y", "z"}));
    EXPECT_TRUE(d->document().boolDirty());
    EXPECT_EQ(d->windowTitle(), shownPath(three));
}

TEST(DocumentWindow, FailedSaveSaysWhyAndKeepsTheDocumentChanged)
{
    Stencilry s;
    editDlg *d = s.newDocument();
    s.touch();
    const QString bad = testHome() + "/missing-folder/t.htp";
    s.dialogs->answerSave(bad).answerMessage(mb::Ok);
    s.trigger("file_saveas");
    ASSERT_EQ(s.dialogs->messages().size(), 1);
    EXPECT_TRUE(s.dialogs->messages()[0].contains(shownPath(bad)));
    EXPECT_EQ(s.dialogs->shown().back().icon, mb::Critical);
    EXPECT_TRUE(d->document().boolDirty());
    EXPECT_EQ(d->windowTitle(), shownPath(bad));
    EXPECT_FALSE(QFile::exists(bad));
}

// Characters the file's encoding lacks are named before they are lost: Cancel keeps the file,
// the window's name and the changes; OK writes each of them as "?" and nothing else changes.
TEST(DocumentWindow, ASaveThatWouldLoseCharactersNamesThemAndMayBeCancelled)
{
#ifndef Q_OS_WIN
    GTEST_SKIP() << "templates are saved in UTF-8 here, which stores all a template can hold";
#endif
    const QString path = testHome() + "/kept.htp";
    const QByteArray before = crlf({"{{caf\xE9", ""});
    writeAll(path, before);
    Stencilry s;
    editDlg *d = s.open(path);
    s.dialogs->clear();
    d->document().append(TemplateItem{kind::Text, "x " + Unstorable + " \u00E9", {}});
    d->document().markChanged();

    const QString other = testHome() + "/other.htp";
    s.dialogs->answerMessage(mb::Cancel);
    s.trigger("file_save");
    s.dialogs->answerSave(other).answerMessage(mb::Cancel);
    s.trigger("file_saveas");
    ASSERT_EQ(s.dialogs->messages().size(), 2);
    EXPECT_TRUE(s.dialogs->messages()[0].contains("U+65E5"))
        << s.dialogs->messages()[0].toStdString();
    EXPECT_EQ(s.dialogs->shown()[0].buttons, mb::OkCancel);
    EXPECT_EQ(readAll(path), before);
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_EQ(d->windowTitle(), shownPath(path));
    EXPECT_TRUE(d->document().boolDirty());

    s.dialogs->answerMessage(mb::Ok);
    s.trigger("file_save");
    const QByteArray added = QByteArray("{{x ") + UnstorableSaved + " \xE9";
    EXPECT_EQ(readAll(path), crlf({"{{caf\xE9", added.constData(), ""}));
    EXPECT_FALSE(d->document().boolDirty());
}

TEST(DocumentWindow, CloseCheckAsksOnlyForChangesAndCancelKeepsTheWindow)
{
    Stencilry s;
    s.newDocument()->parentWidget()->close();
    EXPECT_TRUE(s.frame->documents().isEmpty());
    EXPECT_TRUE(s.dialogs->shown().empty());

    editDlg *d = s.newDocument();
    d->document().append({kind::Text, "keep me", {}});
    s.touch();
    s.dialogs->answerMessage(mb::Cancel);
    EXPECT_FALSE(d->parentWidget()->close());
    const DialogRecord &q = s.dialogs->shown().back();
    EXPECT_EQ(q.text, QString("The file Untitled") + ChangedQuestion);
    EXPECT_EQ(q.caption, "Changes Not Saved");
    EXPECT_EQ(q.buttons, mb::YesNoCancel);
    EXPECT_EQ(q.icon, mb::Critical);

    // Yes on an untitled document, then a cancelled Save As: still open, rows and all.
    s.dialogs->answerMessage(mb::Yes).answerSave(std::nullopt);
    EXPECT_FALSE(d->parentWidget()->close());
    EXPECT_EQ(s.frame->documents(), QList<editDlg *>{d});
    EXPECT_EQ(texts(d), QStringList{"keep me"});

    s.dialogs->answerMessage(mb::No);
    EXPECT_TRUE(d->parentWidget()->close());
    EXPECT_TRUE(s.frame->documents().isEmpty());

    // Yes, and the file cannot be written: the user is told and the window stays.
    const QString unwritable = testHome() + "/gone/t.htp";
    editDlg *e = s.open(unwritable);
    s.touch();
    s.dialogs->answerMessage(mb::Yes).answerMessage(mb::Ok);
    EXPECT_FALSE(e->parentWidget()->close());
    EXPECT_TRUE(s.dialogs->messages().back().contains(shownPath(unwritable)));
    EXPECT_EQ(s.frame->documents(), QList<editDlg *>{e});
    EXPECT_TRUE(e->document().boolDirty());
}

TEST(DocumentWindow, ClosingTheFrameAsksEachChangedDocumentAndYesSavesOnlyThatOne)
{
    const QString first = testHome() + "/first.htp";
    const QString second = testHome() + "/second.htp";
    writeAll(first, crlf({"{{1", ""}));
    writeAll(second, crlf({"{{2", ""}));
    Stencilry s;
    s.open(first)->document().append({kind::Text, "new 1", {}});
    s.touch();
    s.open(second)->document().append({kind::Text, "new 2", {}});
    s.touch();

    // Cancel on the second: the first was saved and closed, the frame stays with the second.
    s.dialogs->answerMessage(mb::Yes).answerMessage(mb::Cancel);
    EXPECT_FALSE(s.frame->close());
    ASSERT_EQ(s.dialogs->messages().size(), 2);
    EXPECT_EQ(s.dialogs->messages()[0], "The file " + shownPath(first) + ChangedQuestion);
    EXPECT_EQ(s.dialogs->messages()[1], "The file " + shownPath(second) + ChangedQuestion);
    EXPECT_EQ(readAll(first), crlf({"{{1", "{{new 1", ""}));
    EXPECT_EQ(readAll(second), crlf({"{{2", ""}));
    EXPECT_TRUE(s.frame->isVisible());
    EXPECT_EQ(s.titles(), QStringList{shownPath(second)});

    // Exit from the document's menu: No closes without saving, and the frame goes.
    s.dialogs->answerMessage(mb::No);
    s.trigger("file_exit");
    EXPECT_FALSE(s.frame->isVisible());
    EXPECT_EQ(readAll(second), crlf({"{{2", ""}));
}

TEST(DocumentWindow, CancelOnTheFirstOfTwoKeepsBothAndTheFrame)
{
    Stencilry s;
    s.newDocument();
    s.touch();
    s.newDocument();
    s.touch();
    s.dialogs->answerMessage(mb::Cancel);
    EXPECT_FALSE(s.frame->close());
    EXPECT_EQ(s.frame->documents().size(), 2);
    EXPECT_EQ(s.dialogs->messages().size(), 1);
    EXPECT_TRUE(s.frame->isVisible());
}

TEST(DocumentWindow, EverySaveDialogAsksBeforeReplacingAFileAndOpenDialogsDoNot)
{
    const QString existing = testHome() + "/existing.htp";
    const QByteArray before = crlf({"{{one", "{{two", "{{three", "{{four", "{{five", ""});
    writeAll(existing, before);
    Stencilry s;
    const auto lastFlags = [&s] { return s.dialogs->shown().back().options.flags; };
    const unsigned saveFlags = ofn::HideReadOnly | ofn::OverwritePrompt;

    editDlg *d = s.newDocument();
    s.touch();
    EXPECT_EQ(lastFlags(), ofn::HideReadOnly); // Insert File's open dialog
    s.dialogs->answerSave(std::nullopt);
    s.trigger("file_saveas");
    EXPECT_EQ(lastFlags(), saveFlags);
    s.dialogs->answerSave(std::nullopt);
    QTest::keyClick(s.frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(lastFlags(), saveFlags);
    // Yes at the close prompt of an untitled document.
    s.dialogs->answerMessage(mb::Yes).answerSave(std::nullopt);
    EXPECT_FALSE(d->parentWidget()->close());
    EXPECT_EQ(s.dialogs->shown().back().kind, DialogKind::Save);
    EXPECT_EQ(lastFlags(), saveFlags);
    EXPECT_EQ(readAll(existing), before);

    editDlg *opened = s.open(existing);
    EXPECT_EQ(lastFlags(), ofn::HideReadOnly);
    // A file open in a window of its own is not saved over from another.
    EXPECT_TRUE(opened->parentWidget()->close());

    // Once the user has agreed to replace it, the file holds the document's rows alone.
    s.dialogs->answerSave(existing);
    s.frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(d->parentWidget()));
    s.trigger("file_saveas");
    EXPECT_EQ(s.dialogs->shown().back().options.fileName, existing);
    EXPECT_EQ(readAll(existing), QByteArray("\r\n"));
    EXPECT_EQ(d->windowTitle(), shownPath(existing));
}

// Open, Insert File, Find and Save run beside the event loop on the document as it was read:
// each must give what the same call on a document read directly gives, for files as they come
// from Windows and Linux editors.
TEST(DocumentWindow, CommandsBesideTheEventLoopDoWhatDirectCallsDo)
{
    const QByteArray euro1252 = "\x80";
    const struct
    {
        const char *name;
        QByteArray file;
        int row; // a row whose text is known
        QString text;
    } files[] = {
        {"UTF-8 with a byte-order mark, CR LF",
         "\xEF\xBB\xBF" + crlf({"{{Caf\xC3\xA9 \xE2\x82\xAC", "{[", "N\xC3\xA4me?", "<b>", "</b>",
                                "{{caf\xC3\xA9 \xE2\x82\xAC", ""}),
         1, QString::fromUtf8("N\xC3\xA4me?")},
        {"Windows-1252, LF alone",
         "{{Caf\xE9 " + euro1252 + "\n{|\nPick\nAll|*.*|\n<img src=\"\n\">\n{{caf\xE9\n", 0,
         QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC")},
        {"CR alone", "{!\r{{caf\xC3\xA9 long\r{{Caf\xC3\xA9\r", 1,
         QString::fromUtf8("caf\xC3\xA9 long")},
    };
    for (const auto &[name, file, row, text] : files) {
        SCOPED_TRACE(name);
        const QString path = testHome() + "/beside.htp";
        writeAll(path, file);
        TemplateDocument direct;
        ASSERT_EQ(direct.OpenDocument(path).status, FileResult::Done);
        const std::vector<TemplateItem> opened = direct.rows();
        EXPECT_EQ(opened[size_t(row)].text, text);
        direct.InsertTemplateFile(path);

        Stencilry s;
        int turns = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++turns; });
        ticker.start(0);
        editDlg *d = s.open(path);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->document().rows(), opened);
        s.dialogs->answerOpen(path);
        s.trigger("insert_file");
        EXPECT_EQ(d->document().rows(), direct.rows());

        // Find from the first row: the first text starting with "caf", and every row with it.
        d->listView()->setCurrentIndex(d->model()->index(0, 0));
        s.dialogs->answerInput("CAF");
        s.trigger("find_item");
        const int found = direct.findItem("CAF", 0);
        ASSERT_GE(found, 0);
        EXPECT_EQ(d->listView()->currentIndex().row(), found);
        QList<int> selected;
        for (const QModelIndex &index : d->listView()->selectionModel()->selectedRows())
            selected << index.row();
        std::sort(selected.begin(), selected.end());
        const std::vector<int> same = direct.rowsWithText(direct.item(found).text);
        EXPECT_EQ(selected, QList<int>(same.begin(), same.end()));

        // What Save writes reads back as the rows, in UTF-8 with CR LF whatever was read.
        s.trigger("file_save");
        EXPECT_FALSE(d->document().boolDirty());
        EXPECT_EQ(readAll(path), templateText(direct.rows()));
        TemplateDocument reread;
        reread.OpenDocument(path);
        EXPECT_EQ(reread.rows(), direct.rows());
        EXPECT_GT(turns, 0) << "the event loop never turned";
    }
}
