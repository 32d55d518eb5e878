#include "categorytreemodel.h"
#include "mainwindow.h"
#include "translation.h"

#include <QScopedValueRollback>

namespace qs::gallery {

namespace {
const char *const FolderPrompt =
    QT_TRANSLATE_NOOP("artshelf", "Enter a folder name for this category.");
} // namespace

void frmMain::newCategory()
{
    const QString caption = translate("artshelf", "New Category");
    // The offered answers are read and accepted by the user, so they come in the user's
    // language; whatever the user accepts is what the gallery keeps.
    const QString name =
        m_dialogs->inputBox(translate("artshelf", "Enter a name for this new category."), caption,
                            translate("artshelf", "Untitled"));
    if (name.isEmpty())
        return;
    const QString path = m_dialogs->inputBox(translate("artshelf", FolderPrompt), caption,
                                             translate("artshelf", "unnamedfolder"));
    if (path.isEmpty())
        return;
    if (report(m_document->addCategory(name, path)))
        RefreshItemList();
}

void frmMain::editCategory()
{
    const int k = selectedNode();
    if (k < 1)
        return;
    const Folder *folder = m_document->category(k);
    const QString caption = translate("artshelf", "Edit Category");
    const QString name = m_dialogs->inputBox(
        translate("artshelf", "Enter a name for this category."), caption, folder->FolderName);
    if (name.isEmpty())
        return;
    const QString path =
        m_dialogs->inputBox(translate("artshelf", FolderPrompt), caption, folder->FolderPath);
    if (path.isEmpty())
        return;
    if (report(m_document->editCategory(k, name, path)))
        RefreshItemList();
}

void frmMain::removeCategory()
{
    const int k = selectedNode();
    if (k == CategoryTreeModel::NoNode)
        return;
    if (k == CategoryTreeModel::RootNode) {
        m_dialogs->msgBox(translate("artshelf", "You cannot remove the root folder."));
        return;
    }
    if (m_dialogs->msgBox(translate("artshelf", "Are you sure you want to remove this category?"),
                          mb::YesNo, translate("artshelf", "Remove Category")) != mb::Yes)
        return;
    {
        const QScopedValueRollback moving(m_movingSelection, true);
        report(m_document->removeCategory(k));
    }
    m_treeModel->setCurrentCategory(selectedNode());
    RefreshItemList();
}

} // namespace qs::gallery
