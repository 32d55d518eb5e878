#include "categorytreemodel.h"
#include "gallerydocsupport.h"
#include "gallerydocument.h"
#include "itemlistmodel.h"

#include <QAbstractItemModelTester>

using namespace qs;
using namespace qs::gallery;
using namespace qs::test;

namespace {

// A document with the Holiday gallery opened, its tree and list models checked as they change.
struct Holiday
{
    GalleryDocument doc;
    ImageList images;
    CategoryTreeModel tree{&doc, &images, nullptr};
    ItemListModel list{&doc, &images, nullptr};
    QAbstractItemModelTester treeTester{&tree,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester listTester{&list,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal};

    Holiday()
    {
        const QString path = testHome() + "/holiday.gal";
        writeAll(path, holidayGallery());
        EXPECT_TRUE(doc.open(path).ok());
    }
    QStringList items(int k) const
    {
        QStringList out;
        const auto &all = doc.category(k)->Items.Item;
        for (int j = 1; j <= all.Count(); ++j)
            out << all(j).Description + '|' + all(j).Filename;
        return out;
    }
};

} // namespace

TEST(GalleryDocument, CategoryPathsStayUniqueThroughAddEditAndRemove)
{
    Holiday h;
    EXPECT_EQ(h.doc.addCategory("Plants", "\\animals").text(), "Path already exists.");
    EXPECT_TRUE(h.doc.addCategory("Plants", "plants").ok()); // a backslash goes in front
    EXPECT_EQ(h.doc.category(3)->FolderPath, "\\plants");
    EXPECT_EQ(h.tree.rowCount(h.tree.rootIndex()), 3);

    EXPECT_FALSE(h.doc.editCategory(3, "P", "\\buildings").ok());
    EXPECT_EQ(h.doc.category(3)->FolderName, "Plants");
    EXPECT_TRUE(h.doc.editCategory(3, "Plants", "\\plants").ok()); // its own path is free to keep
    EXPECT_TRUE(h.doc.editCategory(1, "Pets", "\\pets").ok());
    EXPECT_TRUE(h.doc.addCategory("Zoo", "\\animals").ok()); // freed by the edit
    EXPECT_EQ(h.tree.categoryIndex(1).data().toString(), "Pets");

    EXPECT_TRUE(h.doc.removeCategory(2).ok());
    EXPECT_EQ(h.doc.category(2)->FolderName, "Plants");
    EXPECT_TRUE(h.doc.addCategory("Buildings", "\\buildings").ok()); // a removed path is free
    EXPECT_EQ(h.doc.removeCategory(9).text(), "Error:  Could not find folder.");
    EXPECT_EQ(h.doc.categoryCount(), 4);
    EXPECT_EQ(h.doc.fullPath(1), "Holiday\\Pets");
    EXPECT_EQ(h.doc.fullPath(CategoryTreeModel::RootNode), "Holiday");
}

TEST(GalleryDocument, ItemFilesStayUniqueWithinACategoryAndTheListFollows)
{
    Holiday h;
    h.list.setCategory(1);
    EXPECT_TRUE(h.doc.addItem(1, "Bird", "bird.gif").ok());
    EXPECT_FALSE(h.doc.addItem(1, "Again", "bird.gif").ok());
    EXPECT_FALSE(h.doc.addItem(1, "Nameless", "").ok());
    EXPECT_TRUE(h.doc.addItem(2, "Bird", "bird.gif").ok()); // another category may have it
    EXPECT_EQ(h.list.rowCount(), 3);

    EXPECT_FALSE(h.doc.editItem(1, 3, "Cat too", "cat.gif").ok());
    EXPECT_TRUE(h.doc.editItem(1, 3, "Parrot", "bird.gif").ok()); // its own file is fine
    EXPECT_TRUE(h.doc.retitleItem(1, 1, "Tom").ok());
    EXPECT_EQ(h.list.index(0, 0).data().toString(), "Tom");
    EXPECT_EQ(h.list.index(2, 0).data().toString(), "Parrot");

    EXPECT_TRUE(h.doc.removeItem(1, 2).ok());
    EXPECT_FALSE(h.doc.removeItem(1, 3).ok());
    EXPECT_EQ(h.items(1), (QStringList{"Tom|cat.gif", "Parrot|bird.gif"}));
    EXPECT_EQ(h.list.rowCount(), 2);
    EXPECT_EQ(h.list.index(1, 1).data().toString(), "bird.gif");

    // Removing an earlier category keeps the list on the same category, now one position up.
    h.list.setCategory(2);
    EXPECT_TRUE(h.doc.removeCategory(1).ok());
    EXPECT_EQ(h.list.category(), 1);
    EXPECT_EQ(h.list.index(0, 0).data().toString(), "Bird");
    EXPECT_TRUE(h.doc.removeCategory(1).ok());
    EXPECT_EQ(h.list.rowCount(), 0);
}

TEST(GalleryDocument, AListStopsBeforeASecondUseOfAFileAndRelistsWhenThatChanges)
{
    GalleryDocument doc;
    ImageList images;
    ItemListModel list(&doc, &images, nullptr);
    const QString path = testHome() + "/dup.gal";
    writeAll(path, crlf({"[Clipart Gallery]", "NumFolders=1", "[Folder1]", "NumItems=4",
                         "ItemName1=One", "ItemSrc1=x.gif", "ItemName2=Two", "ItemSrc2=y.gif",
                         "ItemName3=Three", "ItemSrc3=x.gif", "ItemName4=Empty"}));
    ASSERT_TRUE(doc.open(path).ok());
    EXPECT_EQ(list.setCategory(1), "x.gif");
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_TRUE(doc.removeItem(1, 1).ok());
    EXPECT_EQ(list.rowCount(), 3); // no second x.gif any more: every item shows
    EXPECT_EQ(list.index(2, 0).data().toString(), "Empty");
}

TEST(GalleryDocument, OpenSaveAndRenameKeepTheFilePathAsTheCommandsNeedIt)
{
    GalleryDocument doc;
    EXPECT_EQ(doc.name(), "Untitled Gallery");
    EXPECT_FALSE(doc.save().ok()); // untitled: the caller asks for a name
    EXPECT_FALSE(doc.rename("").ok());
    EXPECT_TRUE(doc.rename("Summer").ok());

    const QString path = testHome() + "/summer.gal";
    EXPECT_TRUE(doc.saveAs(path).ok());
    EXPECT_EQ(doc.filePath(), path);
    EXPECT_TRUE(readAll(path).startsWith("[Clipart Gallery]\r\nName=Summer\r\n"));

    const QString unwritable = testHome() + "/missing/x.gal";
    const Result failed = doc.saveAs(unwritable);
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(failed.text().contains(shownPath(unwritable)));
    EXPECT_EQ(doc.filePath(), unwritable); // Save As keeps the chosen name

    writeAll(path, crlf({"[Clipart Gallery]", "NumFolders=2", "[Folder1]", "Folder=root"}));
    const Result partial = doc.open(path);
    EXPECT_FALSE(partial.ok());
    EXPECT_TRUE(partial.text().startsWith("The gallery could not be read completely."));
    EXPECT_EQ(doc.filePath(), "");
    EXPECT_EQ(doc.categoryCount(), 0);

    doc.reset();
    EXPECT_EQ(doc.name(), "Untitled Gallery");
}

TEST(GalleryDocument, PicturesAreFoundBelowTheHostsClipartFolder)
{
    Holiday h;
    EXPECT_EQ(h.doc.picturePath("/host", 1, 2),
              QDir::toNativeSeparators("/host/images/animals/dog.jpg"));
    EXPECT_FALSE(h.doc.picturePath("/host", 1, 3));
    EXPECT_FALSE(h.doc.picturePath("/host", 0, 1));
    EXPECT_FALSE(GalleryDocument::hostFolder()); // no install folder setting in a fresh home
}

TEST(GalleryDocument, InstallRefusesNamesThatLeaveTheClipartFolder)
{
    Holiday h;
    const QString clipart = testHome() + "/host/images/";
    QDir().mkpath(clipart);
    for (const char *name : {"..", ".", "a/b", "..\\up"}) {
        const Result r = h.doc.install(clipart, name);
        EXPECT_FALSE(r.ok()) << name;
        EXPECT_TRUE(r.text().startsWith("The following error occured:\r\n\r\n52:  ")) << name;
    }
    EXPECT_EQ(QDir(testHome() + "/host").entryList(QDir::Files), QStringList{});
    EXPECT_EQ(QDir(clipart).entryList(QDir::Files), QStringList{});
    EXPECT_TRUE(h.doc.install(clipart, "ok").ok());
    EXPECT_EQ(readAll(clipart + "gallery.lst"), "ok.gal\r\n");
}
