#include "galleryobjects.h"
#include "testsupport.h"

using namespace qs::gallery;

TEST(GalleryModel, AddItemReturnsPositionsAndKeepsOrder)
{
    Gallery g;
    const int k = g.AddFolder("Animals", "\\animals");
    ASSERT_EQ(k, 1);
    FolderItems &items = g.Folders(k).Items;
    EXPECT_EQ(items.Item.Count(), 0); // a fresh folder answers an empty collection
    EXPECT_EQ(items.AddItem("Cat", "cat.gif"), 1);
    EXPECT_EQ(items.AddItem("Dog", "dog.jpg"), 2);
    EXPECT_EQ(items.Item(2).Description, "Dog");
    EXPECT_EQ(items.Item(2).Filename, "dog.jpg");
    EXPECT_THROW(items.Item(3), CollectionIndexError);
}

TEST(GalleryModel, RemoveItemOutsideRangeReportsAndKeepsItems)
{
    FolderItems items;
    items.AddItem("Cat", "cat.gif");
    EXPECT_NE(items.RemoveItem(0), 0);
    EXPECT_NE(items.RemoveItem(2), 0);
    EXPECT_NE(items.RemoveItem(-1), 0);
    ASSERT_EQ(items.Item.Count(), 1);
    EXPECT_EQ(items.RemoveItem(1), 0);
    EXPECT_EQ(items.Item.Count(), 0);
    EXPECT_EQ(items.AddItem("Dog", "dog.jpg"), 1);
}

TEST(GalleryModel, ResetEmptiesFoldersAndRenumbers)
{
    Gallery g;
    g.Name = "Holiday";
    g.AddFolder("A", "\\a");
    g.AddFolder("", ""); // empty names and paths are stored as they are
    EXPECT_EQ(g.Folders(2).FolderName, "");
    g.reset();
    EXPECT_EQ(g.Folders.Count(), 0);
    EXPECT_EQ(g.Name, "Untitled Gallery");
    EXPECT_EQ(g.AddFolder("B", "\\b"), 1);
}
