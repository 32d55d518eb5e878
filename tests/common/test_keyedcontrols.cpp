#include "keyedcontrols.h"
#include "testsupport.h"

#include <QTreeWidget>

using namespace qs;

TEST(KeyedTree, KeysAreUniqueIndexesFollowAddingAndRemovalRenumbers)
{
    QTreeWidget widget;
    ImageList images;
    images.add(QIcon());
    KeyedTree tree(&widget, &images);
    QTreeWidgetItem *root = tree.add(nullptr, "root", "Gallery", 1, 1);
    QTreeWidgetItem *a = tree.add(root, "\\a", "A", 2, 3);
    tree.add(root, "", "no key", 2, 3);
    tree.add(root, "", "no key either", 2, 3); // the empty key is no key
    QTreeWidgetItem *b = tree.add(root, "\\b", "B", 2, 3);
    EXPECT_THROW(tree.add(root, "\\a", "again", 2, 3), DuplicateKeyError);
    EXPECT_EQ(root->childCount(), 4); // the refused node was not added
    EXPECT_EQ(tree.indexOf(b), 5);
    EXPECT_EQ(KeyedTree::fullPath(b), "Gallery\\B");

    EXPECT_THROW(tree.setKey(b, "\\a"), DuplicateKeyError);
    EXPECT_EQ(tree.key(b), "\\b");
    tree.setKey(a, "\\c");
    tree.setKey(b, "\\a"); // freed by the rename
    EXPECT_EQ(tree.key(b), "\\a");

    tree.remove(a);
    EXPECT_EQ(tree.indexOf(b), 4);
    EXPECT_EQ(tree.node(4), b);
    EXPECT_THROW(tree.node(5), std::out_of_range);
    tree.add(root, "\\c", "C", 2, 3); // a removed node's key is free again
}

TEST(KeyedList, BatchAddStopsAtADuplicateKeepingTheRowsBefore)
{
    QTreeWidget widget;
    widget.setColumnCount(2);
    ImageList images;
    KeyedList list(&widget, &images, 4);
    const std::vector<KeyedList::Row> rows{
        {"a.gif", "A", {"a.gif"}}, {"b.gif", "B", {"b.gif"}}, {"a.gif", "A2", {"a.gif"}}};
    EXPECT_THROW(list.addRows(rows), DuplicateKeyError);
    ASSERT_EQ(widget.topLevelItemCount(), 2);
    EXPECT_EQ(widget.topLevelItem(1)->text(1), "b.gif");
    EXPECT_EQ(list.indexOf(widget.topLevelItem(1)), 2);

    list.remove(list.row(1));
    EXPECT_EQ(list.row(1)->text(0), "B");
    list.add("a.gif", "A again");
    EXPECT_EQ(list.count(), 2);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    list.add("b.gif", "B"); // clear frees every key
}
