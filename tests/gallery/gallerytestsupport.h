#pragma once

#include "categorytreemodel.h"
#include "gallerydocsupport.h"
#include "itemlistmodel.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QTreeView>

#include <memory>

namespace qs::test {

// A main window driven through its actions, with scripted dialogs; both views' models are
// checked for consistency after every change.
struct GalleryWindow
{
    ScriptedDialogs *dialogs;
    std::unique_ptr<gallery::frmMain> window;
    std::unique_ptr<QAbstractItemModelTester> treeTester;
    std::unique_ptr<QAbstractItemModelTester> listTester;

    GalleryWindow()
    {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        window = std::make_unique<gallery::frmMain>(std::move(scripted));
        treeTester = std::make_unique<QAbstractItemModelTester>(
            window->treeModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        listTester = std::make_unique<QAbstractItemModelTester>(
            window->listModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    ~GalleryWindow()
    {
        treeTester.reset();
        listTester.reset();
    }

    void trigger(const char *name) { window->action(QLatin1String(name))->trigger(); }
    QTreeView *tree() const { return window->findChild<QTreeView *>("TreeView1"); }
    QTreeView *list() const { return window->findChild<QTreeView *>("ListView1"); }
    QAbstractItemModel *treeModel() const { return tree()->model(); }
    QAbstractItemModel *listModel() const { return list()->model(); }
    QModelIndex rootIndex() const { return treeModel()->index(0, 0); }
    QModelIndex nodeIndex(int k) const
    {
        return k == 0 ? rootIndex() : treeModel()->index(k - 1, 0, rootIndex());
    }
    int rowCount() const { return listModel()->rowCount(); }

    QStringList nodeTexts() const
    {
        QStringList out;
        out << rootIndex().data().toString();
        for (int i = 0; i < treeModel()->rowCount(rootIndex()); ++i)
            out << treeModel()->index(i, 0, rootIndex()).data().toString();
        return out;
    }
    // Rows as "title|file name".
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < rowCount(); ++i)
            out << listModel()->index(i, 0).data().toString() + '|' +
                       listModel()->index(i, 1).data().toString();
        return out;
    }
    // Selects the tree node at display position: 0 the root, k the k-th category.
    void selectNode(int k) { tree()->setCurrentIndex(nodeIndex(k)); }
    void selectRow(int row) { list()->setCurrentIndex(listModel()->index(row, 0)); }

    void open(const QString &path)
    {
        dialogs->answerMessage(mb::No).answerOpen(path);
        trigger("file_open");
    }
    // Opens path and removes its second category: a gallery with unsaved changes.
    void openAndChange(const QString &path)
    {
        open(path);
        selectNode(2);
        dialogs->answerMessage(mb::Yes);
        trigger("rem_cat");
        dialogs->clear();
    }
};

// The question before unsaved changes are lost as the program or the session ends.
inline void expectExitQuestion(const DialogRecord &shown)
{
    EXPECT_EQ(shown.kind, DialogKind::Message);
    EXPECT_EQ(shown.text, "Do you want to save this document before exiting?");
    EXPECT_EQ(shown.caption, "Exit");
    EXPECT_EQ(shown.buttons, mb::YesNoCancel);
    EXPECT_EQ(shown.icon, 0);
}

} // namespace qs::test
