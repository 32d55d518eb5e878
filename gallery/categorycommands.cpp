#include "mainwindow.h"

#include <QTreeWidget>

namespace qs::gallery {

namespace {
QString withLeadingBackslash(const QString &path)
{
    return path.startsWith(QLatin1Char('\\')) ? path : QLatin1Char('\\') + path;
}
const QString PathExists = QStringLiteral("Path already exists.");
} // namespace

void frmMain::newCategory()
{
    const QString caption = QStringLiteral("New Category");
    const QString name = m_dialogs->inputBox(QStringLiteral("Enter a name for this new category."),
                                             caption, QStringLiteral("Untitled"));
    if (name.isEmpty())
        return;
    const QString typed =
        m_dialogs->inputBox(QStringLiteral("Enter a folder name for this category."), caption,
                            QStringLiteral("unnamedfolder"));
    if (typed.isEmpty())
        return;
    const QString path = withLeadingBackslash(typed);
    try {
        m_tree->add(rootNode(), path, name, 2, 3);
    } catch (const DuplicateKeyError &) {
        m_dialogs->msgBox(PathExists);
        return;
    }
    m_gallery.AddFolder(name, path);
    refreshList();
}

void frmMain::editCategory()
{
    QTreeWidgetItem *node = m_tree->selected();
    if (isRootOrNone(node))
        return;
    const QString caption = QStringLiteral("Edit Category");
    const QString name = m_dialogs->inputBox(QStringLiteral("Enter a name for this category."),
                                             caption, node->text(0));
    if (name.isEmpty())
        return;
    const QString typed = m_dialogs->inputBox(
        QStringLiteral("Enter a folder name for this category."), caption, m_tree->key(node));
    if (typed.isEmpty())
        return;
    const QString path = withLeadingBackslash(typed);
    try {
        m_tree->setKey(node, path);
    } catch (const DuplicateKeyError &) {
        // Another category has that folder: change neither the node nor the category.
        m_dialogs->msgBox(PathExists);
        return;
    }
    node->setText(0, name);
    if (Folder *folder = folderOf(node)) {
        folder->FolderName = name;
        folder->FolderPath = path;
    }
    refreshList();
}

void frmMain::removeCategory()
{
    QTreeWidgetItem *node = m_tree->selected();
    if (!node)
        return;
    if (isRootOrNone(node)) {
        m_dialogs->msgBox(QStringLiteral("You cannot remove the root folder."));
        return;
    }
    if (m_dialogs->msgBox(QStringLiteral("Are you sure you want to remove this category?"),
                          mb::YesNo, QStringLiteral("Remove Category")) != mb::Yes)
        return;
    const int position = m_tree->indexOf(node) - 1;
    if (position >= 1 && position <= m_gallery.Folders.Count())
        m_gallery.Folders.Remove(position);
    {
        TreeUpdate guard(m_updatingTree);
        m_tree->remove(node);
    }
    refreshList();
}

} // namespace qs::gallery
