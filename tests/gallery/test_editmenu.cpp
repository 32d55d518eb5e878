#include "galleryclipboard.h"
#include "gallerytestsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

using namespace qs;
using namespace qs::test;

namespace {

// Animals: Cat, Dog; Buildings: Tower, Doghouse (kennel.gif); written as Windows writes it.
QByteArray twoCategoryGallery()
{
    return crlf({"[Clipart Gallery]",
                 "Name=Holiday",
                 "NumFolders=2",
                 "",
                 "[Folder1]",
                 "Name=Animals",
                 "Folder=\\animals",
                 "NumItems=2",
                 "ItemName1=Cat",
                 "ItemSrc1=cat.gif",
                 "ItemName2=Dog",
                 "ItemSrc2=dog.jpg",
                 "",
                 "[Folder2]",
                 "Name=Buildings",
                 "Folder=\\buildings",
                 "NumItems=2",
                 "ItemName1=Tower",
                 "ItemSrc1=tower.gif",
                 "ItemName2=Doghouse",
                 "ItemSrc2=kennel.gif",
                 ""});
}

// A shown, active window with that gallery open, so that keys reach its shortcuts.
struct ActiveGallery : GalleryWindow
{
    QString path = testHome() + "/holiday.gal";
    ActiveGallery()
    {
        writeAll(path, twoCategoryGallery());
        open(path);
        dialogs->clear();
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QString undoTip() const { return window->action("edit_undo")->statusTip(); }
    // Drags data over widget and drops it at position, as a file manager or a view would.
    bool drop(QWidget *widget, QMimeData *data, QPoint position)
    {
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(position, actions, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(widget, &enter);
        QDropEvent dropped(position, actions, data, Qt::LeftButton, {});
        if (enter.isAccepted())
            QCoreApplication::sendEvent(widget, &dropped);
        delete data;
        return enter.isAccepted() && dropped.isAccepted();
    }
    QPoint lowerHalf(QTreeView *view, const QModelIndex &index) const
    {
        return view->visualRect(index).center() + QPoint(0, 2);
    }
};

QMimeData *files(const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

} // namespace

TEST(GalleryEditMenu, CutCopyAndPasteCarryItemsAndCategoriesAndLeaveDuplicatesOut)
{
    ActiveGallery w;
    QClipboard *clipboard = QGuiApplication::clipboard();
    w.selectNode(1);
    w.list()->setFocus();
    w.selectRow(1);
    QTest::keyClick(w.list(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "Dog\tdog.jpg\n");
    EXPECT_TRUE(clipboard->mimeData()->hasFormat(gallery::ClipartMimeType));

    w.selectNode(2);
    w.selectRow(0);
    QTest::keyClick(w.list(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.rows(), (QStringList{"Tower|tower.gif", "Dog|dog.jpg", "Doghouse|kennel.gif"}));
    // A second paste finds the file there already and says so.
    w.dialogs->answerMessage(mb::Ok);
    QTest::keyClick(w.list(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(w.dialogs->shown().size(), 1u);
    EXPECT_EQ(w.dialogs->shown()[0].text,
              "Items left out, as the category has an item with their file name already: 1");
    EXPECT_EQ(w.dialogs->shown()[0].icon, mb::Information);
    EXPECT_EQ(w.rowCount(), 3);
    w.dialogs->clear();

    // A category goes with its items; pasted on the root it comes last.
    w.tree()->setFocus();
    w.selectNode(1);
    QTest::keyClick(w.tree(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "Animals\t\\animals\n\tCat\tcat.gif\n\tDog\tdog.jpg\n");
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Buildings"}));
    EXPECT_EQ(w.undoTip(), "Undo Cut");
    w.selectNode(0);
    QTest::keyClick(w.tree(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Buildings", "Animals"}));
    w.selectNode(2);
    EXPECT_EQ(w.rows(), (QStringList{"Cat|cat.gif", "Dog|dog.jpg"}));
    w.dialogs->answerMessage(mb::Ok);
    QTest::keyClick(w.tree(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.dialogs->messages(),
              QStringList{"Categories left out, as their folder path is in use already: 1"});
    w.dialogs->clear();

    // Files copied in a file manager come as Add Multiple adds them: pictures, by bare name.
    clipboard->setMimeData(files({"/pics/sun.gif", "/pics/notes.txt", "/pics/cat.gif"}));
    w.list()->setFocus();
    w.dialogs->answerMessage(mb::Ok);
    QTest::keyClick(w.list(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.rows(), (QStringList{"Cat|cat.gif", "Dog|dog.jpg", "sun.gif|sun.gif"}));
    EXPECT_EQ(w.dialogs->messages().size(), 1);
    EXPECT_EQ(w.undoTip(), "Undo Paste");

    w.trigger("file_save");
    EXPECT_EQ(readAll(w.path), crlf({"[Clipart Gallery]",
                                     "Name=Holiday",
                                     "NumFolders=2",
                                     "",
                                     "[Folder1]",
                                     "Name=Buildings",
                                     "Folder=\\buildings",
                                     "NumItems=3",
                                     "ItemName1=Tower",
                                     "ItemSrc1=tower.gif",
                                     "ItemName2=Dog",
                                     "ItemSrc2=dog.jpg",
                                     "ItemName3=Doghouse",
                                     "ItemSrc3=kennel.gif",
                                     "",
                                     "[Folder2]",
                                     "Name=Animals",
                                     "Folder=\\animals",
                                     "NumItems=3",
                                     "ItemName1=Cat",
                                     "ItemSrc1=cat.gif",
                                     "ItemName2=Dog",
                                     "ItemSrc2=dog.jpg",
                                     "ItemName3=sun.gif",
                                     "ItemSrc3=sun.gif",
                                     ""}));
}

TEST(GalleryEditMenu, DelAsksAsTheRemoveCommandsDo)
{
    struct Case
    {
        bool tree;
        int node;
        int answer; // 0: no question, only the message
        const char *text;
        const char *caption;
        QStringList nodesAfter;
        int rowsAfter;
    };
    const Case cases[] = {
        {false,
         1,
         mb::No,
         "Are you sure you want to remove this item?",
         "Remove Item",
         {"Holiday", "Animals", "Buildings"},
         2},
        {false,
         1,
         mb::Yes,
         "Are you sure you want to remove this item?",
         "Remove Item",
         {"Holiday", "Animals", "Buildings"},
         1},
        {true,
         1,
         mb::No,
         "Are you sure you want to remove this category?",
         "Remove Category",
         {"Holiday", "Animals", "Buildings"},
         2},
        {true,
         1,
         mb::Yes,
         "Are you sure you want to remove this category?",
         "Remove Category",
         {"Holiday", "Buildings"},
         2},
        {true,
         0,
         mb::Ok,
         "You cannot remove the root folder.",
         "Pictorium",
         {"Holiday", "Animals", "Buildings"},
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        ActiveGallery w;
        w.selectNode(c.node);
        if (c.tree) {
            w.tree()->setFocus();
        } else {
            w.list()->setFocus();
            w.selectRow(0);
        }
        w.dialogs->answerMessage(c.answer);
        QTest::keyClick(c.tree ? static_cast<QWidget *>(w.tree()) : w.list(), Qt::Key_Delete);
        ASSERT_EQ(w.dialogs->shown().size(), 1u);
        EXPECT_EQ(w.dialogs->shown()[0].text, c.text);
        EXPECT_EQ(w.dialogs->shown()[0].caption, c.caption);
        EXPECT_EQ(w.nodeTexts(), c.nodesAfter);
        EXPECT_EQ(w.rowCount(), c.rowsAfter);
    }
}

TEST(GalleryEditMenu, FindSelectsTheNextItemAcrossCategoriesAndTheTreeFollows)
{
    ActiveGallery w;
    const struct
    {
        const char *typed;
        const char *selected; // "" when nothing is found
        const char *status;
    } steps[] = {
        {"dog", "Dog", "Holiday\\Animals"},
        {"dog", "Doghouse", "Holiday\\Buildings"},
        // Round through the other categories to an item before the selected one.
        {"tower", "Tower", "Holiday\\Buildings"},
        {"DOG", "Doghouse", "Holiday\\Buildings"},
        {"GIF", "Cat", "Holiday\\Animals"}, // file names count too
        {"zebra", "", "Holiday\\Animals"},
    };
    QString last;
    for (const auto &s : steps) {
        SCOPED_TRACE(s.typed);
        w.dialogs->clear();
        w.dialogs->answerInput(s.typed);
        if (*s.selected == 0)
            w.dialogs->answerMessage(mb::Ok);
        QTest::keyClick(w.window.get(), Qt::Key_F3);
        ASSERT_FALSE(w.dialogs->shown().empty());
        // The box offers the text looked for last.
        EXPECT_EQ(w.dialogs->shown()[0].defaultText, last);
        last = s.typed;
        EXPECT_EQ(w.window->statusText(), s.status);
        if (*s.selected == 0) {
            EXPECT_EQ(w.dialogs->messages(), QStringList{"No item contains \"zebra\"."});
            continue;
        }
        ASSERT_TRUE(w.list()->currentIndex().isValid());
        EXPECT_EQ(w.list()->currentIndex().data().toString(), s.selected);
        EXPECT_TRUE(w.list()->selectionModel()->isSelected(w.list()->currentIndex()));
    }
    EXPECT_FALSE(w.window->document().isChanged());
}

TEST(GalleryEditMenu, DragAndDropMovesWithinAViewAndCopiesFromElsewhere)
{
    ActiveGallery w;
    w.selectNode(1);
    // An item dragged below the last one moves there.
    QMimeData *cat = w.listModel()->mimeData({w.listModel()->index(0, 0)});
    EXPECT_TRUE(
        w.drop(w.list()->viewport(), cat, w.lowerHalf(w.list(), w.listModel()->index(1, 0))));
    EXPECT_EQ(w.rows(), (QStringList{"Dog|dog.jpg", "Cat|cat.gif"}));
    EXPECT_EQ(w.undoTip(), "Undo Move Item");
    // A category dropped on the gallery's node goes first.
    QMimeData *buildings = w.treeModel()->mimeData({w.nodeIndex(2)});
    EXPECT_TRUE(w.drop(w.tree()->viewport(), buildings, w.lowerHalf(w.tree(), w.rootIndex())));
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Buildings", "Animals"}));
    EXPECT_EQ(w.undoTip(), "Undo Move Category");
    EXPECT_EQ(w.window->document().undoStack()->count(), 2);

    // Pictures from a file manager are added where they fall; what the category has is left out.
    w.dialogs->answerMessage(mb::Ok);
    EXPECT_TRUE(w.drop(w.list()->viewport(), files({"/pics/sun.gif", "/pics/cat.gif"}), {2, 2}));
    EXPECT_EQ(w.rows(), (QStringList{"sun.gif|sun.gif", "Dog|dog.jpg", "Cat|cat.gif"}));
    EXPECT_EQ(w.dialogs->messages().size(), 1);
    // Files that are no pictures are refused.
    EXPECT_FALSE(w.drop(w.list()->viewport(), files({"/pics/notes.txt"}), {2, 2}));

    // Items dragged from another window are copied; that gallery keeps them.
    GalleryWindow other;
    other.open(w.path);
    other.selectNode(2);
    QMimeData *tower = other.listModel()->mimeData({other.listModel()->index(0, 0)});
    EXPECT_TRUE(w.drop(w.list()->viewport(), tower, {2, 2}));
    EXPECT_EQ(w.rows().first(), "Tower|tower.gif");
    EXPECT_EQ(other.rowCount(), 2);

    // A gallery dropped on the window opens as Open does, its question first.
    const QString second = testHome() + "/second.gal";
    writeAll(second, holidayGallery().replace("Name=Holiday", "Name=Second"));
    w.dialogs->clear();
    w.dialogs->answerMessage(mb::No);
    EXPECT_TRUE(w.drop(w.window.get(), files({second}), {5, 5}));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.dialogs->messages(),
              QStringList{"Do you want to save this document before opening a new one?"});
    EXPECT_EQ(w.window->currentFilePath(), second);
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Second", "Animals", "Buildings"}));
}
