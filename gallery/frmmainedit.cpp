#include "categorytreemodel.h"
#include "galleryclipboard.h"
#include "itemlistmodel.h"
#include "mainwindow.h"
#include "translation.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTreeView>

#include <climits>

namespace qs::gallery {

bool frmMain::editTarget(int &k, int &j) const
{
    k = selectedNode();
    j = focusWidget() == m_treeView ? 0 : selectedRow();
    return k >= 1 && (j >= 1 || focusWidget() == m_treeView);
}

bool frmMain::copySelection()
{
    int k = 0;
    int j = 0;
    if (!editTarget(k, j))
        return false;
    QGuiApplication::clipboard()->setMimeData(j == 0 ? categoriesMimeData(*m_document, {k})
                                                     : itemsMimeData(*m_document, k, {j}));
    return true;
}

void frmMain::cutSelection()
{
    int k = 0;
    int j = 0;
    if (!editTarget(k, j) || !copySelection())
        return;
    if (j >= 1) {
        report(m_document->cut(k, j));
        return;
    }
    // As Remove Category: the list follows the node the tree selects instead.
    {
        const QScopedValueRollback moving(m_movingSelection, true);
        report(m_document->cut(k, 0));
    }
    m_treeModel->setCurrentCategory(selectedNode());
    RefreshItemList();
}

void frmMain::paste()
{
    const ClipContent content =
        readClipContent(QGuiApplication::clipboard()->mimeData(), *m_document);
    const int k = selectedNode();
    // Categories go after the selected one, items after the selected item; else at the end.
    const int j = selectedRow();
    insertContent(content, k >= 1 ? k + 1 : INT_MAX, j >= 1 ? j + 1 : INT_MAX,
                  translate("artshelf", "Paste"));
}

void frmMain::insertContent(const ClipContent &content, int k, int j, const QString &step)
{
    if (!content.categories.isEmpty())
        report(m_document->insertCategories(k, content.categories, step));
    else if (!content.items.isEmpty() && selectedNode() >= 1)
        report(m_document->insertItems(selectedNode(), j, content.items, step));
}

void frmMain::clearSelection()
{
    // Asks as the Remove commands do.
    if (focusWidget() == m_treeView)
        removeCategory();
    else
        removeItem();
}

void frmMain::findItem()
{
    const QString text = m_dialogs->inputBox(
        translate("artshelf", "Find the next item whose title or file name contains:"),
        translate("artshelf", "Find"), m_findText);
    if (text.isEmpty())
        return;
    m_findText = text;
    int k = selectedNode();
    int j = k >= 1 ? selectedRow() : 0;
    if (!m_document->findNext(text, k, j)) {
        m_dialogs->msgBox(translate("artshelf", "No item contains \"%1\".").arg(text),
                          mb::OkOnly | mb::Information, translate("artshelf", "Find"));
        return;
    }
    // The tree follows, and selecting its node lists the category.
    if (k != selectedNode())
        m_treeView->setCurrentIndex(m_treeModel->categoryIndex(k));
    m_listView->setCurrentIndex(m_listModel->index(j - 1, 0));
    m_listView->scrollTo(m_listView->currentIndex());
}

void frmMain::moveSelection(int delta)
{
    int k = 0;
    int j = 0;
    if (!editTarget(k, j))
        return;
    if (j == 0)
        report(m_document->moveCategory(k, k + delta));
    else
        report(m_document->moveItem(k, j, j + delta));
}

} // namespace qs::gallery
