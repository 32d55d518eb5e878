#include "templatetestsupport.h"

#include "hostinterface.h"
#include "playback.h"
#include "registry.h"

#include <QTreeView>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
// The every-kind template as an editor on Linux writes it: LF alone after every line.
QByteArray everyKindWithLf()
{
    QByteArray lf = everyKindFile();
    lf.replace("\r\n", "\n");
    return lf;
}

// What the list shows, row by row, its four columns joined by "|".
QStringList shownRows(const editDlg *d)
{
    const QAbstractItemModel *m = d->listView()->model();
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList columns;
        for (int c = 0; c < m->columnCount(); ++c)
            columns << m->index(r, c).data().toString();
        out << columns.join('|');
    }
    return out;
}

const QStringList EveryKindShown{"<h1>Welcome</h1>|||", "(Carriage Return)|||",
                                 "Your name?|<b>|</b>|",
                                 "Pick a picture|Pictures|*.gif||<img src=\"|\">"};
} // namespace

TEST(LfTemplates, OpenAndInsertFileReadThemLineByLineWithoutAWord)
{
    const QString path = testHome() + "/linux.htp";
    writeAll(path, everyKindWithLf());
    Stencilry s;
    editDlg *d = s.open(path);
    EXPECT_TRUE(s.dialogs->messages().isEmpty());
    EXPECT_EQ(d->windowTitle(), shownPath(path));
    EXPECT_EQ(d->document().rows(), everyKind());
    EXPECT_EQ(shownRows(d), EveryKindShown);
    EXPECT_FALSE(d->document().boolDirty());

    // Insert File puts the same four items on top of the rows already there.
    editDlg *other = s.newDocument();
    other->document().append({kind::Text, "mine", {}});
    s.dialogs->answerOpen(path);
    s.trigger("insert_file");
    EXPECT_TRUE(s.dialogs->messages().isEmpty());
    EXPECT_EQ(shownRows(other), EveryKindShown + QStringList{"mine|||"});

    // Old Macintosh line ends and a mix of all three read the same.
    QByteArray mixed = everyKindFile();
    mixed.replace("{!\r\n", "{!\r").replace("</b>\r\n", "</b>\n");
    const QString mixedPath = testHome() + "/mixed.htp";
    writeAll(mixedPath, mixed);
    EXPECT_EQ(shownRows(s.open(mixedPath)), EveryKindShown);
    EXPECT_TRUE(s.dialogs->messages().isEmpty());
}

TEST(LfTemplates, SavingAnOpenedLfTemplateWritesCrLf)
{
    const QString path = testHome() + "/linux.htp";
    writeAll(path, everyKindWithLf());
    Stencilry s;
    editDlg *d = s.open(path);
    s.touch();
    QTest::keyClick(s.frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(d->document().boolDirty());
    EXPECT_EQ(readAll(path), everyKindFile());

    const QString copy = testHome() + "/copy";
    s.dialogs->answerSave(copy);
    s.trigger("file_saveas");
    EXPECT_EQ(readAll(copy + ".htp"), everyKindFile());
}

TEST(LfTemplates, TestHandsTheFileOnAndTheHostPlaysItsItemsNotItsMarkers)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows reaches the host over COM, not by starting a registered command";
#endif
    const QString path = testHome() + "/linux.htp";
    writeAll(path, everyKindWithLf());
    QDir().mkpath(testHome() + "/fake host");
    const QString args = testHome() + "/received";
    auto key = RegistryKey::create(host::AutomationServerKey);
    ASSERT_TRUE(key &&
                key->setString({}, "\"" + makeRecorder(testHome() + "/fake host", "server", args) +
                                       "\" /Automation"));
    Stencilry s;
    s.open(path);
    QTest::keyClick(s.frame.get(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(waitForFile(args), ("/Automation\n" + path + "\n").toUtf8());
    EXPECT_TRUE(s.dialogs->messages().isEmpty());
    EXPECT_EQ(readAll(path), everyKindWithLf());

    ScriptedDialogs host("Quillsite 97");
    host.answerInput("Pat").answerMessage().answerOpen("/pics/cat.gif");
    EXPECT_EQ(demo::playTemplateFile(path, host),
              "<h1>Welcome</h1>\n<b>Pat</b><img src=\"/pics/cat.gif\">");
}
