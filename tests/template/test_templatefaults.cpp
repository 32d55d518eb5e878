#include "faultinjection.h"
#include "templatetestsupport.h"

#include "templatemodel.h"

#include <QDir>
#include <QDirIterator>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {

// A document saved once to its file, then grown so that the next save needs more room.
struct Saved
{
    QString path = testHome() + "/letter.htp";
    TemplateDocument doc;
    QByteArray before;

    Saved()
    {
        for (const TemplateItem &item : everyKind())
            doc.append(item);
        EXPECT_EQ(doc.SaveDocumentAs(path).status, FileResult::Done);
        before = readAll(path);
        for (int i = 0; i < 500; ++i)
            doc.append({kind::Text, QStringLiteral("<p>line %1</p>").arg(i), {}});
        doc.markChanged();
    }
};

// The save's message in a child made ready by prepare: "done", or what the user is told.
QByteArray saveInChild(TemplateDocument &doc, const std::function<bool()> &prepare)
{
    return inChild([&]() -> QByteArray {
               if (!prepare())
                   return "unprepared";
               const FileResult r = doc.SaveDocument();
               return r.status == FileResult::Done ? QByteArray("done") : r.message().toUtf8();
           })
        .value_or("child died");
}

} // namespace

TEST(TemplateFaults, SaveOnAFullDiskKeepsEveryByteOfThePreviousFile)
{
    QS_SKIP_WITHOUT_CHILD_FAULTS();
    Saved s;
    const QByteArray answer =
        saveInChild(s.doc, [&] { return limitFileSize(rlim_t(s.before.size() + 100)); });
    EXPECT_TRUE(
        answer.startsWith("The template could not be saved to " + s.path.toUtf8() + ".\r\n\r\n"))
        << answer.toStdString();
    EXPECT_GT(answer.size(), s.path.size() + 40);
    EXPECT_EQ(readAll(s.path), s.before);
    EXPECT_EQ(QDir(testHome()).entryList(QDir::Files), QStringList{"letter.htp"});
    // With room again the same document saves whole.
    EXPECT_EQ(s.doc.SaveDocument().status, FileResult::Done);
    EXPECT_TRUE(readAll(s.path).endsWith("{{<p>line 499</p>\r\n\r\n"));
}

TEST(TemplateFaults, ReadOnlyFileOrFolderAndAFileForAFolderAreReported)
{
    Saved s;
    ASSERT_TRUE(writeAll(testHome() + "/plain", "a file"));
    TemplateDocument other;
    other.append({kind::Text, QStringLiteral("x"), {}});
    const FileResult blocked = other.SaveDocumentAs(testHome() + "/plain/t.htp");
    EXPECT_EQ(blocked.status, FileResult::SaveFailed);
    EXPECT_TRUE(blocked.message().startsWith("The template could not be saved to " +
                                             shownPath(testHome() + "/plain/t.htp") + ".\r\n\r\n"));
    EXPECT_EQ(readAll(testHome() + "/plain"), "a file");

    QS_SKIP_WITHOUT_CHILD_FAULTS();
    if (!readOnlyMountsAllowed(testHome()))
        GTEST_SKIP() << "no mount namespace here: read-only files cannot be made for root";
    for (const QString &readOnly : {s.path, testHome()}) {
        SCOPED_TRACE(readOnly.toStdString());
        const QByteArray answer = saveInChild(s.doc, [&] { return makeReadOnly(readOnly); });
        EXPECT_TRUE(answer.startsWith("The template could not be saved to " + s.path.toUtf8()))
            << answer.toStdString();
        EXPECT_EQ(readAll(s.path), s.before);
    }
}

// Opening a hostile file gives the rows it could read, or a message with the reason, and
// writes nothing anywhere.
TEST(TemplateFaults, HostileFilesOpenAsPartsOrSayWhy)
{
    Stencilry frame;
    static const char nul[] = "{{before\0after\r\n{[\r\n\0prompt\r\n\0\r\n\r\n";
    const QByteArray nulls(nul, sizeof nul - 1);
    QByteArray huge = "{{";
    huge += QByteArray(100 * 1024 * 1024, 'h');
    huge += "\r\n{!\r\n";
    QByteArray deep = "{|\r\nPick\r\nPictures|*.gif|\r\n";
    for (int i = 0; i < 100000; ++i)
        deep += "\\d";
    deep += "\r\n\">\r\n";
    struct Case
    {
        const char *name;
        QByteArray bytes;
        int rows;
        const char *told; // how the message begins after the file's name; null: no message
    };
    const char *const partial = " was not read completely.";
    const Case cases[] = {
        {"nul bytes", nulls, 0, " holds lines that are no part of a template."},
        {"100 MB line", huge, 2, nullptr},
        {"invalid encodings", "{{Caf\xE9 \xC3\x28 \xFF\r\n{{\xF0\x9F\x98\r\n", 2, nullptr},
        {"deep backslashes", deep, 1, nullptr},
        {"a block cut off before its last line", deep.left(deep.size() - 4), 0, partial},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = testHome() + "/hostile.htp";
        ASSERT_TRUE(writeAll(path, c.bytes));
        const auto files = everyFile();
        frame.dialogs->answerOpen(path);
        if (c.told)
            frame.dialogs->answerMessage(mb::Ok);
        frame.trigger("file_open");
        editDlg *d = frame.active();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->document().count(), c.rows);
        EXPECT_EQ(d->model()->rowCount(), c.rows);
        if (c.told) {
            EXPECT_TRUE(frame.dialogs->messages().last().contains(shownPath(path) + c.told));
        }
        EXPECT_EQ(everyFile(), files);
        frame.frame->findChild<QMdiArea *>()->closeActiveSubWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
