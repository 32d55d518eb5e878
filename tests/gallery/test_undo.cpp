#include "gallerytestsupport.h"

#include <QApplication>
#include <QTest>
#include <QUndoStack>

#include <functional>

using namespace qs;
using namespace qs::test;

namespace {

// The whole gallery as text: its name, then each category and its items.
QStringList snapshot(const gallery::Gallery &g)
{
    QStringList out{g.Name};
    for (int k = 1; k <= g.Folders.Count(); ++k) {
        const gallery::Folder &f = g.Folders(k);
        out << f.FolderName + '|' + f.FolderPath;
        for (int j = 1; j <= f.Items.Item.Count(); ++j)
            out << "  " + f.Items.Item(j).Description + '|' + f.Items.Item(j).Filename;
    }
    return out;
}

// A Holiday gallery written by hand, as Windows writes it, opened in a window.
struct OpenedHoliday : GalleryWindow
{
    QString path = testHome() + "/holiday.gal";
    OpenedHoliday()
    {
        writeAll(path, holidayGallery());
        open(path);
        dialogs->clear();
    }
    bool canUndo() const { return window->action("edit_undo")->isEnabled(); }
    bool canRedo() const { return window->action("edit_redo")->isEnabled(); }
    QString undoTip() const { return window->action("edit_undo")->statusTip(); }
};

struct Command
{
    const char *step; // as Undo's status tip names it
    std::function<void(OpenedHoliday &)> run;
};

} // namespace

TEST(GalleryUndo, EveryCommandIsUndoneAndRedoneAsOneStep)
{
    const Command commands[] = {
        {"New Category",
         [](OpenedHoliday &w) {
             w.dialogs->answerInput("Plants").answerInput("plants");
             w.trigger("new_cat");
         }},
        {"Edit Category",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.dialogs->answerInput("Pets").answerInput("pets");
             w.trigger("edit_cat");
         }},
        {"Remove Category",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.dialogs->answerMessage(mb::Yes);
             w.trigger("rem_cat");
         }},
        {"New Item",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.dialogs->answerInput("Kitten").answerOpen("/pics/kitten.gif");
             w.trigger("item_new");
         }},
        {"Add Multiple",
         [](OpenedHoliday &w) {
             w.selectNode(2);
             w.dialogs->answerOpen(QString("/pics") + QChar(0) + "a.gif" + QChar(0) + "b.gif");
             w.trigger("add_multiple");
         }},
        {"Edit Item",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.selectRow(1);
             w.dialogs->answerInput("Rex").answerOpen("/pics/rex.gif");
             w.trigger("item_edit");
         }},
        {"Remove Item",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.selectRow(0);
             w.dialogs->answerMessage(mb::Yes);
             w.trigger("item_remove");
         }},
        {"Rename Item",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.listModel()->setData(w.listModel()->index(1, 0), "Rex");
         }},
        {"Rename Gallery",
         [](OpenedHoliday &w) { w.treeModel()->setData(w.rootIndex(), "Summer"); }},
        {"Move Item",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.list()->setFocus();
             w.selectRow(0);
             w.trigger("move_down");
         }},
        {"Move Category",
         [](OpenedHoliday &w) {
             w.tree()->setFocus();
             w.selectNode(2);
             w.trigger("move_up");
         }},
        {"Cut",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.list()->setFocus();
             w.selectRow(0);
             w.trigger("edit_cut");
         }},
        {"Paste",
         [](OpenedHoliday &w) {
             w.selectNode(1);
             w.list()->setFocus();
             w.selectRow(1);
             w.trigger("edit_copy");
             w.selectNode(2);
             w.trigger("edit_paste");
         }},
    };
    for (const Command &c : commands) {
        SCOPED_TRACE(c.step);
        OpenedHoliday w;
        EXPECT_FALSE(w.canUndo());
        const QStringList before = snapshot(w.window->gallery());
        c.run(w);
        const QStringList after = snapshot(w.window->gallery());
        ASSERT_NE(after, before);
        EXPECT_TRUE(w.window->document().isChanged());
        EXPECT_EQ(w.undoTip(), QString("Undo ") + c.step);

        w.trigger("edit_undo");
        EXPECT_EQ(snapshot(w.window->gallery()), before);
        EXPECT_FALSE(w.window->document().isChanged());
        EXPECT_FALSE(w.canUndo());
        EXPECT_EQ(w.window->action("edit_redo")->statusTip(), QString("Redo ") + c.step);
        // An undo never touches the file.
        EXPECT_EQ(readAll(w.path), holidayGallery());

        w.trigger("edit_redo");
        EXPECT_EQ(snapshot(w.window->gallery()), after);
        EXPECT_TRUE(w.window->document().isChanged());
        EXPECT_FALSE(w.canRedo());
        // The views show what the gallery holds after every step.
        QStringList nodes{w.window->gallery().Name};
        for (int k = 1; k <= w.window->gallery().Folders.Count(); ++k)
            nodes << w.window->gallery().Folders(k).FolderName;
        EXPECT_EQ(w.nodeTexts(), nodes);
    }
}

TEST(GalleryUndo, UndoingBackToTheSavedGalleryLeavesNothingToSave)
{
    OpenedHoliday w;
    w.dialogs->answerInput("Plants").answerInput("plants");
    w.trigger("new_cat");
    w.trigger("file_save");
    EXPECT_FALSE(w.window->document().isChanged());
    w.selectNode(3);
    w.dialogs->answerMessage(mb::Yes);
    w.trigger("rem_cat");
    EXPECT_TRUE(w.window->document().isChanged());
    w.trigger("edit_undo");
    EXPECT_FALSE(w.window->document().isChanged());
    // Undoing past the save changes the gallery again.
    w.trigger("edit_undo");
    EXPECT_TRUE(w.window->document().isChanged());
    w.trigger("edit_redo");
    // Nothing to save: Exit does not ask.
    w.dialogs->clear();
    EXPECT_TRUE(w.window->close());
    EXPECT_TRUE(w.dialogs->shown().empty());
}

TEST(GalleryUndo, ANewEditAfterAnUndoDropsWhatCouldBeRedone)
{
    OpenedHoliday w;
    EXPECT_FALSE(w.canUndo());
    EXPECT_FALSE(w.canRedo());
    w.selectNode(1);
    w.selectRow(0);
    w.dialogs->answerMessage(mb::Yes);
    w.trigger("item_remove");
    w.trigger("edit_undo");
    EXPECT_TRUE(w.canRedo());
    w.treeModel()->setData(w.rootIndex(), "Summer");
    EXPECT_FALSE(w.canRedo());
    w.trigger("edit_redo");
    EXPECT_EQ(w.rows(), (QStringList{"Cat|cat.gif", "Dog|dog.jpg"}));
    EXPECT_EQ(w.window->action("edit_redo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    // New and Open start without steps.
    w.open(w.path);
    EXPECT_FALSE(w.canUndo());
}

TEST(GalleryUndo, TheSavedFileHasTheOrderTheMovesLeft)
{
    OpenedHoliday w;
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    w.selectNode(1);
    w.list()->setFocus();
    w.selectRow(1);
    QTest::keyClick(w.list(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(w.rows(), (QStringList{"Dog|dog.jpg", "Cat|cat.gif"}));
    // The moved item stays selected; a move past the end is refused.
    QTest::keyClick(w.list(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(w.list()->currentIndex().row(), 0);
    w.tree()->setFocus();
    QTest::keyClick(w.tree(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Buildings", "Animals"}));
    EXPECT_EQ(w.window->statusText(), "Holiday\\Animals");
    EXPECT_EQ(w.window->document().undoStack()->count(), 2);
    w.trigger("file_save");
    EXPECT_EQ(readAll(w.path),
              crlf({"[Clipart Gallery]", "Name=Holiday", "NumFolders=2", "", "[Folder1]",
                    "Name=Buildings", "Folder=\\buildings", "NumItems=0", "", "[Folder2]",
                    "Name=Animals", "Folder=\\animals", "NumItems=2", "ItemName1=Dog",
                    "ItemSrc1=dog.jpg", "ItemName2=Cat", "ItemSrc2=cat.gif", ""}));
}
