#pragma once

#include "mainwindow.h"
#include "scripteddialogs.h"
#include "testsupport.h"

#include <QAction>
#include <QTreeWidget>

#include <memory>

namespace qs::test {

// The Holiday gallery: Animals (\animals) with Cat and Dog, and an empty Buildings (\buildings).
inline QByteArray holidayGallery()
{
    return crlf({"[Clipart Gallery]", "Name=Holiday", "NumFolders=2", "", "[Folder1]",
                 "Name=Animals", "Folder=\\animals", "NumItems=2", "ItemName1=Cat",
                 "ItemSrc1=cat.gif", "ItemName2=Dog", "ItemSrc2=dog.jpg", "", "[Folder2]",
                 "Name=Buildings", "Folder=\\buildings", "NumItems=0", ""});
}

// A main window driven through its actions, with scripted dialogs.
struct GalleryWindow
{
    ScriptedDialogs *dialogs;
    std::unique_ptr<gallery::frmMain> window;

    GalleryWindow()
    {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        window = std::make_unique<gallery::frmMain>(std::move(scripted));
    }

    void trigger(const char *name) { window->action(QLatin1String(name))->trigger(); }
    QTreeWidget *tree() const { return window->findChild<QTreeWidget *>("TreeView1"); }
    QTreeWidget *list() const { return window->findChild<QTreeWidget *>("ListView1"); }

    QStringList nodeTexts() const
    {
        QStringList out;
        QTreeWidgetItem *root = tree()->topLevelItem(0);
        out << root->text(0);
        for (int i = 0; i < root->childCount(); ++i)
            out << root->child(i)->text(0);
        return out;
    }
    // Rows as "title|file name".
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            out << list()->topLevelItem(i)->text(0) + '|' + list()->topLevelItem(i)->text(1);
        return out;
    }
    // Selects the tree node at display position: 0 the root, k the k-th category.
    void selectNode(int k)
    {
        QTreeWidgetItem *root = tree()->topLevelItem(0);
        tree()->setCurrentItem(k == 0 ? root : root->child(k - 1));
    }
    void selectRow(int row) { list()->setCurrentItem(list()->topLevelItem(row)); }

    void open(const QString &path)
    {
        dialogs->answerMessage(mb::No).answerOpen(path);
        trigger("file_open");
    }
};

} // namespace qs::test
