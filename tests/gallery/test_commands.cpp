#include "gallerytestsupport.h"

#include "frmpreview.h"
#include "hostinterface.h"
#include "settingsstore.h"

#include <QAbstractItemDelegate>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

using namespace qs;
using namespace qs::test;

namespace {

// A window holding the Holiday gallery, opened from a file.
struct HolidayWindow : GalleryWindow
{
    HolidayWindow()
    {
        const QString path = testHome() + "/holiday.gal";
        writeAll(path, holidayGallery());
        open(path);
        dialogs->clear();
    }
    QString saved()
    {
        const QString path = testHome() + "/saved.gal";
        dialogs->answerSave(path);
        trigger("file_saveas");
        return QString::fromUtf8(readAll(path));
    }
    const gallery::Gallery &model() const { return window->gallery(); }
};

QString setHost()
{
    const QString host = testHome() + "/host";
    QDir().mkpath(host + "/images/animals");
    EXPECT_TRUE(
        SettingsStore::set(host::SettingsApp, host::GeneralSection, host::InstallFolderKey, host));
    return host;
}

} // namespace

TEST(CategoryCommands, NewCategoryPromptsAndPutsABackslashInFront)
{
    HolidayWindow w;
    w.dialogs->answerInput("Plants").answerInput("plants\\");
    w.trigger("new_cat");
    ASSERT_EQ(w.dialogs->shown().size(), 2u);
    EXPECT_EQ(w.dialogs->shown()[0].text, "Enter a name for this new category.");
    EXPECT_EQ(w.dialogs->shown()[0].caption, "New Category");
    EXPECT_EQ(w.dialogs->shown()[0].defaultText, "Untitled");
    EXPECT_EQ(w.dialogs->shown()[1].text, "Enter a folder name for this category.");
    EXPECT_EQ(w.dialogs->shown()[1].defaultText, "unnamedfolder");
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Animals", "Buildings", "Plants"}));
    EXPECT_EQ(w.model().Folders(3).FolderPath, "\\plants\\");
    EXPECT_EQ(w.tree()->currentIndex(), w.rootIndex()); // not selected

    // A second category of the same name with another path is fine; the same path is not.
    w.dialogs->answerInput("Plants").answerInput("\\other");
    w.trigger("new_cat");
    w.dialogs->answerInput("Trees").answerInput("\\animals").answerMessage(mb::Ok);
    w.trigger("new_cat");
    EXPECT_EQ(w.dialogs->messages(), QStringList{"Path already exists."});
    EXPECT_EQ(w.dialogs->shown().back().icon, 0);
    EXPECT_EQ(w.model().Folders.Count(), 4);
    w.dialogs->answerInput("").answerInput("Named").answerInput("");
    w.trigger("new_cat");
    w.trigger("new_cat");
    EXPECT_EQ(w.nodeTexts().size(), 5);
    EXPECT_TRUE(w.saved().contains("[Folder4]\r\nName=Plants\r\nFolder=\\other\r\nNumItems=0\r\n"));
}

TEST(CategoryCommands, EditChangesTheSelectedCategoryAndRefusesAUsedPath)
{
    HolidayWindow w;
    w.trigger("edit_cat"); // the root: nothing
    EXPECT_TRUE(w.dialogs->shown().empty());

    w.selectNode(1);
    w.dialogs->answerInput("Pets").answerInput("pets");
    w.trigger("edit_cat");
    EXPECT_EQ(w.dialogs->shown()[0].caption, "Edit Category");
    EXPECT_EQ(w.dialogs->shown()[0].defaultText, "Animals");
    EXPECT_EQ(w.dialogs->shown()[1].defaultText, "\\animals");
    EXPECT_EQ(w.nodeTexts()[1], "Pets");
    EXPECT_EQ(w.model().Folders(1).FolderPath, "\\pets");
    EXPECT_EQ(w.model().Folders(1).Items.Item.Count(), 2); // items stay
    EXPECT_EQ(w.window->statusText(), "Holiday\\Pets");

    w.dialogs->answerInput("Renamed").answerInput("\\buildings").answerMessage(mb::Ok);
    w.trigger("edit_cat");
    EXPECT_EQ(w.dialogs->messages().back(), "Path already exists.");
    EXPECT_EQ(w.nodeTexts()[1], "Pets");
    EXPECT_EQ(w.model().Folders(1).FolderName, "Pets");
    EXPECT_EQ(w.model().Folders(1).FolderPath, "\\pets");
}

TEST(CategoryCommands, EditOfSameNamedCategoriesChangesTheSelectedOne)
{
    const QString path = testHome() + "/same.gal";
    writeAll(path, crlf({"[Clipart Gallery]", "NumFolders=2", "[Folder1]", "Name=Animals",
                         "Folder=\\a", "[Folder2]", "Name=animals", "Folder=\\b"}));
    GalleryWindow w;
    w.open(path);
    w.selectNode(2);
    w.dialogs->answerInput("Second").answerInput("\\second");
    w.trigger("edit_cat");
    EXPECT_EQ(w.window->gallery().Folders(1).FolderName, "Animals");
    EXPECT_EQ(w.window->gallery().Folders(2).FolderName, "Second");
    EXPECT_EQ(w.window->gallery().Folders(2).FolderPath, "\\second");
}

TEST(CategoryCommands, RemoveAsksProtectsTheRootAndRenumbers)
{
    HolidayWindow w;
    w.dialogs->answerMessage(mb::Ok);
    w.trigger("rem_cat");
    EXPECT_EQ(w.dialogs->messages(), QStringList{"You cannot remove the root folder."});

    w.dialogs->answerInput("Plants").answerInput("plants");
    w.trigger("new_cat");
    w.selectNode(2);
    w.dialogs->answerMessage(mb::No);
    w.trigger("rem_cat");
    EXPECT_EQ(w.model().Folders.Count(), 3);
    EXPECT_EQ(w.dialogs->shown().back().caption, "Remove Category");
    EXPECT_EQ(w.dialogs->shown().back().buttons, mb::YesNo);

    w.dialogs->answerMessage(mb::Yes);
    w.trigger("rem_cat"); // Buildings, at tree index 3
    EXPECT_EQ(w.nodeTexts(), (QStringList{"Holiday", "Animals", "Plants"}));
    ASSERT_EQ(w.model().Folders.Count(), 2);
    EXPECT_EQ(w.model().Folders(2).FolderName, "Plants");
    w.selectNode(2);
    EXPECT_EQ(w.window->statusText(), "Holiday\\Plants");
}

TEST(ItemCommands, NewItemStoresTheBareFileNameAndRefusesADuplicate)
{
    HolidayWindow w;
    w.trigger("item_new"); // the root: nothing
    w.selectNode(2);
    w.dialogs->answerInput("House").answerOpen("/some/where/house.gif");
    w.trigger("item_new");
    EXPECT_EQ(w.dialogs->shown()[0].text, "Please enter a title for this item.");
    EXPECT_EQ(w.dialogs->shown()[0].caption, "New Item");
    EXPECT_EQ(w.dialogs->shown()[0].defaultText, "Untitled");
    const FileDialogOptions &o = w.dialogs->shown()[1].options;
    EXPECT_EQ(o.title, "Choose Clipart");
    EXPECT_EQ(o.filter, "Images|*.gif;*.jpg|GIF Images|*.gif|JPEG Images|*.jpg|All Files|*.*|");
    EXPECT_EQ(o.defaultExt, ".gif");
    EXPECT_EQ(o.flags, 0x1806u);
    EXPECT_EQ(w.rows(), QStringList{"House|house.gif"});

    w.dialogs->answerInput("Again").answerOpen("C:\\pics\\house.gif");
    w.trigger("item_new");
    w.dialogs->answerInput("");
    w.trigger("item_new"); // an empty title ends before the dialog
    w.dialogs->answerInput("Tower").answerOpen(std::nullopt);
    w.trigger("item_new");
    EXPECT_EQ(w.rows(), QStringList{"House|house.gif"});
    EXPECT_EQ(w.model().Folders(2).Items.Item.Count(), 1);
    EXPECT_TRUE(w.saved().contains("NumItems=1\r\nItemName1=House\r\nItemSrc1=house.gif\r\n"));
}

TEST(ItemCommands, AddMultipleAddsEveryChosenFileOrTheOneChosen)
{
    HolidayWindow w;
    w.selectNode(2);
    w.dialogs->answerOpen(QString("/pics") + QChar(0) + "a.gif" + QChar(0) + "b.gif" + QChar(0) +
                          "c.gif");
    w.trigger("add_multiple");
    EXPECT_EQ(w.dialogs->shown()[0].options.flags, 0x81A06u);
    w.dialogs->answerOpen("/pics/d.jpg");
    w.trigger("add_multiple");
    EXPECT_EQ(w.rows(), (QStringList{"a.gif|a.gif", "b.gif|b.gif", "c.gif|c.gif", "d.jpg|d.jpg"}));
    // At a file the category has already, the command stops; what came before stays.
    w.dialogs->answerOpen(QString("/pics") + QChar(0) + "e.gif" + QChar(0) + "a.gif" + QChar(0) +
                          "f.gif");
    w.trigger("add_multiple");
    EXPECT_EQ(w.model().Folders(2).Items.Item.Count(), 5);
    EXPECT_EQ(w.model().Folders(2).Items.Item(5).Filename, "e.gif");
}

TEST(ItemCommands, EditChangesTitleAndFileOfTheSelectedRow)
{
    HolidayWindow w;
    w.selectNode(1);
    w.trigger("item_edit"); // rows but none selected: nothing
    w.selectRow(1);
    w.dialogs->answerInput("Puppy").answerOpen("/x/puppy.jpg");
    w.trigger("item_edit");
    EXPECT_EQ(w.dialogs->shown()[0].defaultText, "Dog");
    EXPECT_EQ(w.dialogs->shown()[1].defaultText, "dog.jpg"); // preset to the current file
    EXPECT_EQ(w.rows(), (QStringList{"Cat|cat.gif", "Puppy|puppy.jpg"}));
    EXPECT_EQ(w.model().Folders(1).Items.Item(2).Filename, "puppy.jpg");

    w.dialogs->answerInput("Kitten").answerOpen(std::nullopt);
    w.trigger("item_edit"); // a cancelled dialog changes not even the title
    w.dialogs->answerInput("Kitten").answerOpen("/x/cat.gif");
    w.trigger("item_edit"); // cat.gif belongs to another row
    EXPECT_EQ(w.rows(), (QStringList{"Cat|cat.gif", "Puppy|puppy.jpg"}));
    EXPECT_EQ(w.model().Folders(1).Items.Item(2).Description, "Puppy");
}

TEST(ItemCommands, RemoveTakesTheSelectedRowFromListAndCategory)
{
    HolidayWindow w;
    w.selectNode(1);
    w.dialogs->answerInput("Bird").answerOpen("/x/bird.gif");
    w.trigger("item_new");
    w.selectRow(1);
    w.dialogs->answerMessage(mb::No);
    w.trigger("item_remove");
    EXPECT_EQ(w.dialogs->shown().back().text, "Are you sure you want to remove this item?");
    EXPECT_EQ(w.dialogs->shown().back().caption, "Remove Item");
    w.dialogs->answerMessage(mb::Yes);
    w.trigger("item_remove");
    EXPECT_EQ(w.rows(), (QStringList{"Cat|cat.gif", "Bird|bird.gif"}));
    ASSERT_EQ(w.model().Folders(1).Items.Item.Count(), 2);
    EXPECT_EQ(w.model().Folders(1).Items.Item(2).Description, "Bird");
}

TEST(ItemCommands, InPlaceRenameChangesTheTitleOnlyAndCancelChangesNothing)
{
    HolidayWindow w;
    w.selectNode(1);
    w.selectRow(0);
    w.window->show();
    const QModelIndex row = w.listModel()->index(0, 0);
    w.list()->edit(row);
    auto *editor = w.list()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Tom");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the commit is queued
    EXPECT_EQ(w.rows(), (QStringList{"Tom|cat.gif", "Dog|dog.jpg"}));
    EXPECT_EQ(w.model().Folders(1).Items.Item(1).Description, "Tom");
    EXPECT_EQ(w.model().Folders(1).Items.Item(1).Filename, "cat.gif");

    w.list()->edit(row);
    editor = w.list()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Nope");
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.model().Folders(1).Items.Item(1).Description, "Tom");
    EXPECT_EQ(w.rows()[0], "Tom|cat.gif");
}

TEST(InstallGallery, WritesTheGalleryAndListsItsName)
{
    HolidayWindow w;
    const QString host = setHost();
    const QString clipart = host + "\\images\\";
    w.dialogs->answerMessage(mb::Yes).answerInput("summer").answerMessage(mb::Ok);
    w.trigger("install_gallery");
    EXPECT_EQ(w.dialogs->shown()[0].text,
              "The Pictorium will now save a copy of the opened file into the Quillsite Clipart "
              "Folder (" +
                  clipart + ").  Are you sure you want to do this?");
    EXPECT_EQ(w.dialogs->shown()[0].caption, "Install");
    EXPECT_EQ(w.dialogs->shown()[1].caption, "Name");
    EXPECT_EQ(w.dialogs->shown()[1].defaultText, "untitled");
    EXPECT_EQ(w.dialogs->messages().back(), "Clipart Gallery successfully installed.");
    EXPECT_EQ(readAll(host + "/images/summer.gal"), holidayGallery());
    EXPECT_EQ(readAll(host + "/images/gallery.lst"), "summer.gal\r\n");
    EXPECT_EQ(w.window->currentFilePath(), testHome() + "/holiday.gal"); // document unchanged

    w.dialogs->answerMessage(mb::Yes).answerInput("summer.gal").answerMessage(mb::Ok);
    w.trigger("install_gallery");
    EXPECT_TRUE(QFile::exists(host + "/images/summer.gal.gal"));
    EXPECT_TRUE(readAll(host + "/images/gallery.lst").endsWith("summer.gal.gal\r\n"));
}

TEST(InstallGallery, AHostSettingThatCannotBeReadIsToldNotTakenForNoHost)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    HolidayWindow w;
    const QString host = setHost();
    // The settings file exists but holds no text to read: a folder in its place.
    const QString store = SettingsStore::filePath(host::SettingsApp);
    ASSERT_TRUE(QFile::remove(store));
    ASSERT_TRUE(QDir().mkpath(store));
    w.selectNode(1);
    w.selectRow(0);
    for (const char *command : {"install_gallery", "item_preview"}) {
        SCOPED_TRACE(command);
        w.dialogs->clear();
        w.dialogs->answerMessage(mb::Ok);
        w.trigger(command);
        ASSERT_EQ(w.dialogs->shown().size(), 1u);
        EXPECT_TRUE(w.dialogs->shown()[0].text.startsWith("The settings could not be read."));
        EXPECT_TRUE(w.dialogs->shown()[0].text.contains("File: " + store));
        EXPECT_EQ(w.dialogs->shown()[0].icon, mb::Critical);
    }
    EXPECT_EQ(QDir(host + "/images").entryList(QDir::Files), QStringList{});
}

TEST(InstallGallery, WritesNothingWithoutHostAnswerOrUsableName)
{
    HolidayWindow w;
    w.dialogs->answerMessage(mb::Ok);
    w.trigger("install_gallery");
    EXPECT_EQ(
        w.dialogs->messages(),
        QStringList{"Quillsite not found.  Cannot install gallery without Quillsite present."});

    const QString host = setHost();
    w.dialogs->answerMessage(mb::No);
    w.trigger("install_gallery");
    w.dialogs->answerMessage(mb::Yes).answerInput("");
    w.trigger("install_gallery");
    w.dialogs->answerMessage(mb::Yes).answerInput("..\\escape").answerMessage(mb::Ok);
    w.trigger("install_gallery");
    EXPECT_TRUE(
        w.dialogs->messages().back().startsWith("The following error occured:\r\n\r\n52:  "));
    EXPECT_EQ(QDir(host + "/images").entryList(QDir::Files), QStringList{});
    EXPECT_FALSE(QFile::exists(host + "/escape.gal"));

    // A clipart folder that is missing is an error with its number, not a success.
    QDir(host + "/images").removeRecursively();
    w.dialogs->answerMessage(mb::Yes).answerInput("summer").answerMessage(mb::Ok);
    w.trigger("install_gallery");
    EXPECT_TRUE(
        w.dialogs->messages().back().startsWith("The following error occured:\r\n\r\n76:  "));
}

TEST(PreviewItem, ShowsPicturesFromTheHostAndReusesTheWindow)
{
    HolidayWindow w;
    w.dialogs->answerMessage(mb::Ok);
    w.trigger("item_preview");
    ASSERT_NE(w.window->previewWindow(), nullptr);
    EXPECT_TRUE(w.window->previewWindow()->isVisible());
    EXPECT_EQ(w.window->previewWindow()->windowTitle(), "Preview");
    EXPECT_EQ(w.dialogs->messages(), QStringList{"Quillsite not found."});

    const QString host = setHost();
    const QString demo = QStringLiteral(QS_DEMO_DIR) + "/images/animals/";
    ASSERT_TRUE(QFile::copy(demo + "cat.gif", host + "/images/animals/cat.gif"));
    QImage blue(20, 10, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(host + "/images/animals/dog.jpg"));

    w.selectNode(1);
    w.selectRow(0);
    w.trigger("item_preview");
    gallery::frmPreview *preview = w.window->previewWindow();
    EXPECT_EQ(preview->imgPic()->pixmap().size(), QSize(64, 64));
    w.selectRow(1);
    w.trigger("item_preview");
    EXPECT_EQ(w.window->previewWindow(), preview);
    EXPECT_EQ(preview->imgPic()->pixmap().size(), QSize(20, 10));

    // A broken picture and a missing one leave the last picture in place.
    writeAll(host + "/images/animals/cat.gif", "GIF89a broken");
    w.selectRow(0);
    w.dialogs->answerMessage(mb::Ok);
    w.trigger("item_preview");
    QFile::remove(host + "/images/animals/dog.jpg");
    w.selectRow(1);
    w.dialogs->answerMessage(mb::Ok);
    w.trigger("item_preview");
    EXPECT_EQ(w.dialogs->messages().mid(1),
              (QStringList{"Picture file not found.", "Picture file not found."}));
    EXPECT_EQ(preview->imgPic()->pixmap().size(), QSize(20, 10));
    EXPECT_EQ(preview->size(), QSize(312, 213));
}

TEST(PreviewItem, AClosedPreviewIsGoneAndLargePicturesAreScaledToTheWindow)
{
    HolidayWindow w;
    const QString host = setHost();
    QImage wide(1000, 500, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(host + "/images/animals/cat.gif", "PNG"));
    w.selectNode(1);
    w.selectRow(0);
    w.trigger("item_preview");
    QPointer<gallery::frmPreview> first = w.window->previewWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->imgPic()->pixmap().size(), QSize(312, 156)); // fitted, shape kept
    first->resize(500, 400);
    first->move(40, 30);

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    w.selectRow(1); // dog.jpg is not in the host folder
    w.dialogs->answerMessage(mb::Ok);
    w.trigger("item_preview");
    gallery::frmPreview *fresh = w.window->previewWindow();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_EQ(fresh->size(), QSize(312, 213));
    EXPECT_TRUE(fresh->imgPic()->pixmap().isNull());
    EXPECT_EQ(w.dialogs->messages(), QStringList{"Picture file not found."});
}
