#include "aboutinfo.h"
#include "galleryfile.h"
#include "helpviewer.h"
#include "mainwindow.h"

#include "aboutbox.h"

#include <QLabel>
#include <QTreeWidget>

namespace qs::gallery {

namespace {
constexpr int GalleryImage = 1;
constexpr int CategoryImage = 2;
constexpr int SelectedCategoryImage = 3;

} // namespace

void frmMain::ResetGallery()
{
    TreeUpdate guard(m_updatingTree);
    m_tree->clear();
    m_list->clear();
    m_refreshedNode = nullptr;
    m_tree->select(
        m_tree->add(nullptr, RootKey, Gallery::UntitledName, GalleryImage, GalleryImage));
    setCurrentFilePath(QString());
    m_gallery.reset();
}

void frmMain::rebuildTree()
{
    TreeUpdate guard(m_updatingTree);
    QTreeWidgetItem *root = rootNode();
    root->setText(0, m_gallery.Name);
    for (int k = 1; k <= m_gallery.Folders.Count(); ++k) {
        const Folder &folder = m_gallery.Folders(k);
        m_tree->add(root, folder.FolderPath, folder.FolderName, CategoryImage,
                    SelectedCategoryImage);
    }
}

Folder *frmMain::folderOf(const QTreeWidgetItem *node)
{
    const int position = m_tree->indexOf(node) - 1;
    if (position < 1 || position > m_gallery.Folders.Count()) {
        m_dialogs->msgBox(QStringLiteral("Error:  Could not find folder."));
        return nullptr;
    }
    return &m_gallery.Folders(position);
}

void frmMain::RefreshItemList()
{
    QTreeWidgetItem *node = m_tree->selected();
    m_refreshedNode = node;
    m_statusText->setText(node ? KeyedTree::fullPath(node) : QString());
    const bool root = isRootOrNone(node);
    m_listView->setEnabled(!root);
    m_list->clear();
    if (root)
        return;

    Folder *folder = folderOf(node);
    if (!folder)
        return;
    const auto &items = folder->Items.Item;
    std::vector<KeyedList::Row> rows;
    rows.reserve(static_cast<size_t>(items.Count()));
    for (int j = 1; j <= items.Count(); ++j)
        rows.push_back({items(j).Filename, items(j).Description, {items(j).Filename}});
    m_list->addRows(rows);
}

void frmMain::refreshFromClick()
{
    if (!m_updatingTree && m_refreshedNode != m_tree->selected())
        refreshList();
}

void frmMain::refreshList()
{
    try {
        RefreshItemList();
    } catch (const DuplicateKeyError &e) {
        m_dialogs->msgBox(QStringLiteral("This category lists the picture file \"%1\" more than "
                                         "once; only the items before the second one are shown.")
                              .arg(e.key()),
                          mb::OkOnly | mb::Information);
    }
}

bool frmMain::askSaveFirst(const QString &question)
{
    const int answer = m_dialogs->msgBox(question, mb::YesNoCancel, QStringLiteral("New"));
    if (answer == mb::Cancel)
        return false;
    // A save the user asked for must succeed before the open gallery is dropped.
    return answer != mb::Yes || fileSaveAs();
}

void frmMain::fileNew()
{
    if (!askSaveFirst(
            QStringLiteral("Do you want to save this document before creating a new one?")))
        return;
    ResetGallery();
    RefreshItemList();
}

void frmMain::fileOpen()
{
    if (!askSaveFirst(
            QStringLiteral("Do you want to save this document before opening a new one?")))
        return;
    const auto chosen = m_dialogs->openFile(m_galleryDialog);
    if (!chosen)
        return;
    m_galleryDialog.fileName = *chosen;
    ResetGallery();
    setCurrentFilePath(*chosen);
    try {
        LoadGallery(*chosen, m_gallery);
        rebuildTree();
    } catch (const GalleryFileError &e) {
        rebuildTree();
        // A later Save must not overwrite the file with the part that was read.
        setCurrentFilePath(QString());
        m_dialogs->msgBox(QStringLiteral("The gallery could not be read completely.\r\n\r\n"
                                         "File: %1\r\nReason: %2\r\n\r\n"
                                         "What was read is shown; save it under a new name.")
                              .arg(e.file(), e.reason()),
                          mb::OkOnly | mb::Critical);
    }
}

bool frmMain::saveTo(const QString &path)
{
    try {
        SaveGallery(path, m_gallery);
        return true;
    } catch (const GalleryFileError &e) {
        showError(QStringLiteral("The gallery could not be saved to %1.\r\n\r\n%2")
                      .arg(e.file(), e.reason()));
        return false;
    }
}

void frmMain::fileSave()
{
    if (!currentFilePath().isEmpty())
        saveTo(currentFilePath());
    else
        fileSaveAs();
}

bool frmMain::fileSaveAs()
{
    const auto chosen = m_dialogs->saveFile(m_galleryDialog);
    if (!chosen)
        return false;
    const QString path = withDefaultExtension(*chosen, m_galleryDialog.defaultExt);
    m_galleryDialog.fileName = path;
    setCurrentFilePath(path);
    return saveTo(path);
}

void frmMain::helpTopics()
{
    const QString error = launchHelpViewer(m_helpFile);
    if (!error.isEmpty())
        showError(error);
}

void frmMain::helpAbout()
{
    AboutBox::open(aboutInfo(), this);
}

} // namespace qs::gallery
