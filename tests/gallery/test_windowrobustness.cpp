#include "gallerytestsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QStatusBar>
#include <QTest>

#include <stdexcept>

using namespace qs;
using namespace qs::test;

namespace {

// Dialogs whose input box fails the way a broken platform dialog might.
class ThrowingDialogs : public Dialogs
{
public:
    ThrowingDialogs()
        : Dialogs(QStringLiteral("Pictorium"))
    {
    }
    QStringList messages;
    QString inputBox(const QString &, const QString &, const QString &) override
    {
        throw std::runtime_error("input box broke");
    }
    std::optional<QString> openFile(const FileDialogOptions &) override { throw 42; }
    std::optional<QString> saveFile(const FileDialogOptions &) override { return std::nullopt; }
    bool print(QPrinter &) override { return false; }

protected:
    int showMessage(const QString &text, int, const QString &) override
    {
        messages << text;
        return mb::No;
    }
};

QLineEdit *openEditor(QAbstractItemView *view)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // closed editors go
    return view->findChild<QLineEdit *>();
}

} // namespace

TEST(GalleryWindowRobustness, ACategoryUsingTheRootsKeyIsAPartialReadNotACrash)
{
    const QString path = testHome() + "/root.gal";
    writeAll(path, crlf({"[Clipart Gallery]", "Name=Trap", "NumFolders=2", "[Folder1]", "Name=Fine",
                         "Folder=\\fine", "[Folder2]", "Name=Root", "Folder=root"}));
    GalleryWindow w;
    w.dialogs->answerMessage(mb::No).answerOpen(path).answerMessage(mb::Ok);
    w.trigger("file_open");
    EXPECT_TRUE(
        w.dialogs->messages().back().startsWith("The gallery could not be read completely."));
    EXPECT_TRUE(w.dialogs->messages().back().contains("[Folder2]"));
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Trap", "Fine"}));
    EXPECT_EQ(w.window->currentFilePath(), "");
}

TEST(GalleryWindowRobustness, NothingThrownInACommandLeavesIt)
{
    auto throwing = std::make_unique<ThrowingDialogs>();
    ThrowingDialogs *dialogs = throwing.get();
    gallery::frmMain window(std::move(throwing));
    window.action("new_cat")->trigger();    // a standard exception
    window.action("file_open")->trigger();  // anything else thrown
    ASSERT_EQ(dialogs->messages.size(), 3); // a failure, the save question, a failure
    EXPECT_EQ(dialogs->messages[0], "The command could not be completed.\r\n\r\ninput box broke");
    EXPECT_EQ(dialogs->messages[2], "The command could not be completed.");
    EXPECT_EQ(window.document().categoryCount(), 0);
}

TEST(GalleryWindowRobustness, TheGalleryIsNamedByDoubleClickingTheRootOnly)
{
    GalleryWindow w;
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    w.dialogs->answerInput("Animals").answerInput("animals");
    w.trigger("new_cat");
    QWidget *viewport = w.tree()->viewport();
    const QPoint root = w.tree()->visualRect(w.rootIndex()).center();

    // A second click on the selected root is an ordinary click; F2 is Preview Item.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, root);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, root);
    EXPECT_EQ(openEditor(w.tree()), nullptr);
    w.dialogs->answerMessage(mb::Ok);
    QTest::keyClick(w.tree(), Qt::Key_F2);
    EXPECT_EQ(openEditor(w.tree()), nullptr);
    EXPECT_EQ(w.dialogs->messages().back(), "Quillsite not found.");
    w.window->previewWindow()->close();

    QTest::mouseDClick(viewport, Qt::LeftButton, {}, root);
    QLineEdit *editor = openEditor(w.tree());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "Untitled Gallery");
    editor->setText("Holiday");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.window->gallery().Name, "Holiday");
    EXPECT_EQ(w.window->statusText(), "Holiday");

    for (const char *typed : {"", "Cancelled"}) {
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, root);
        editor = openEditor(w.tree());
        ASSERT_NE(editor, nullptr);
        editor->setText(typed);
        QTest::keyClick(editor, *typed ? Qt::Key_Escape : Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(w.window->gallery().Name, "Holiday") << typed;
    }

    // A category's text must stay its name: its node is not editable.
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, w.tree()->visualRect(w.nodeIndex(1)).center());
    EXPECT_EQ(openEditor(w.tree()), nullptr);
    EXPECT_EQ(w.window->statusText(), "Holiday\\Animals");
    const QString saved = testHome() + "/named.gal";
    w.dialogs->answerSave(saved);
    w.trigger("file_saveas");
    EXPECT_TRUE(readAll(saved).startsWith("[Clipart Gallery]\r\nName=Holiday\r\n"));
}

TEST(GalleryWindowRobustness, TheSelectedCategoryShowsTheOpenFolderImage)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    GalleryWindow w;
    w.open(path);
    auto image = [&](int k) {
        return w.nodeIndex(k).data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    const qint64 closed = image(1);
    EXPECT_EQ(image(2), closed);
    EXPECT_NE(image(0), closed);
    w.selectNode(1);
    const qint64 open = image(1);
    EXPECT_NE(open, closed);
    EXPECT_EQ(image(2), closed);
    w.selectNode(2);
    EXPECT_EQ(image(1), closed);
    EXPECT_EQ(image(2), open);
}

TEST(GalleryWindowRobustness, AnInPlaceEditOpenWhileTheWindowIsDestroyedIsDropped)
{
    const QString path = testHome() + "/holiday.gal";
    writeAll(path, holidayGallery());
    auto w = std::make_unique<GalleryWindow>();
    w->open(path);
    w->selectNode(1);
    w->selectRow(0);
    w->window->show();
    w->list()->edit(w->listModel()->index(0, 0));
    QPointer<QLineEdit> editor = openEditor(w->list());
    ASSERT_NE(editor, nullptr);
    editor->setText("Late");
    w.reset(); // under the sanitizers a commit into a destroyed window would fail here
    EXPECT_TRUE(editor.isNull());
}
