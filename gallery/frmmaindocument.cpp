#include "aboutinfo.h"
#include "besideeventloop.h"
#include "categorytreemodel.h"
#include "commandspecs.h"
#include "helpviewer.h"
#include "itemlistmodel.h"
#include "mainwindow.h"
#include "paths.h"
#include "textcodec.h"
#include "translation.h"
#include "windowplacement.h"

#include "aboutbox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTreeView>

namespace qs::gallery {

void frmMain::ResetGallery()
{
    m_document->reset();
}

void frmMain::RefreshItemList()
{
    const int node = selectedNode();
    m_refreshedNode = node;
    m_statusText->setText(node == CategoryTreeModel::NoNode ? QString()
                                                            : m_document->fullPath(node));
    const bool category = node >= 1;
    m_listView->setEnabled(category);
    const QString duplicate = m_listModel->setCategory(category ? node : 0);
    if (!duplicate.isEmpty())
        m_dialogs->msgBox(translate("artshelf",
                                    "This category lists the picture file \"%1\" more than "
                                    "once; only the items before the second one are shown.")
                              .arg(duplicate),
                          mb::OkOnly | mb::Information);
}

void frmMain::selectionChanged()
{
    const int node = selectedNode();
    m_treeModel->setCurrentCategory(node);
    if (!m_movingSelection && node != m_refreshedNode)
        runCommand(*m_dialogs, [this] { RefreshItemList(); });
}

bool frmMain::askSaveFirst(const QString &question)
{
    const int answer = m_dialogs->msgBox(question, mb::YesNoCancel, translate("artshelf", "New"));
    if (answer == mb::Cancel)
        return false;
    // A save the user asked for must succeed before the open gallery is dropped.
    return answer != mb::Yes || fileSaveAs();
}

bool frmMain::mayExit(bool mayAsk)
{
    if (!m_document->isChanged() || !mayAsk)
        return true;
    switch (m_dialogs->msgBox(
        translate("artshelf", "Do you want to save this document before exiting?"), mb::YesNoCancel,
        translate("artshelf", "Exit"))) {
    case mb::Yes:
        // A cancelled or failed save keeps the program open.
        if (currentFilePath().isEmpty() ? !fileSaveAs() : !saveBesideEventLoop())
            return false;
        break;
    case mb::No:
        break;
    default:
        return false;
    }
    return true;
}

bool frmMain::sessionEnding(const std::function<bool()> &mayAsk)
{
    // Leave to ask is sought only when there is something to ask about.
    m_sessionAnswered = mayExit(m_document->isChanged() && mayAsk());
    return m_sessionAnswered;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // After the end of the session was answered, the close that follows does not ask again.
    if (!m_sessionAnswered && !mayExit()) {
        event->ignore();
        return;
    }
    if (m_placementRead)
        saveWindowPlacement(this, AppTitle, *m_dialogs);
    QMainWindow::closeEvent(event);
}

void frmMain::fileNew()
{
    if (!askSaveFirst(
            translate("artshelf", "Do you want to save this document before creating a new one?")))
        return;
    ResetGallery();
    RefreshItemList();
}

void frmMain::fileOpen()
{
    if (!askSaveFirst(
            translate("artshelf", "Do you want to save this document before opening a new one?")))
        return;
    const auto chosen = m_dialogs->openFile(m_galleryDialog);
    if (chosen)
        openGallery(*chosen);
}

void frmMain::openFiles(const QStringList &files)
{
    if (!files.isEmpty())
        runCommand(*m_dialogs, [this, &files] { openGallery(files.front()); });
}

void frmMain::openGallery(const QString &path)
{
    // A gallery of a million items takes a second to read: the window keeps painting.
    GalleryDocument::FileRead read;
    runBesideEventLoop(this, translate("artshelf", "Opening %1...").arg(shownPath(path)),
                       [&] { read = GalleryDocument::read(path); });
    const Result result = m_document->take(std::move(read));
    // A file read only in part is never offered as the name to save under.
    m_galleryDialog.fileName = m_document->filePath().isEmpty() ? QString() : path;
    report(result);
}

void frmMain::fileSave()
{
    if (currentFilePath().isEmpty())
        fileSaveAs();
    else
        saveBesideEventLoop();
}

bool frmMain::saveBesideEventLoop(bool *kept)
{
    const QString label = translate("artshelf", "Saving %1...").arg(shownPath(currentFilePath()));
    Result result = Result::refused();
    std::vector<char32_t> unstorable;
    runBesideEventLoop(this, label, [&] {
        unstorable = m_document->unstorableCharacters();
        if (unstorable.empty())
            result = m_document->write();
    });
    if (!unstorable.empty()) {
        if (m_dialogs->msgBox(unstorableQuestion(unstorable), mb::OkCancel | mb::Exclamation) !=
            mb::Ok) {
            if (kept)
                *kept = true;
            return false;
        }
        runBesideEventLoop(this, label, [&] { result = m_document->write(); });
    }
    if (result.ok())
        m_document->markSaved();
    return report(result);
}

bool frmMain::fileSaveAs()
{
    const auto chosen = m_dialogs->saveFile(m_galleryDialog);
    if (!chosen)
        return false;
    const QString path = withDefaultExtension(*chosen, m_galleryDialog.defaultExt);
    const QString before = m_document->filePath();
    m_galleryDialog.fileName = path;
    m_document->setFilePath(path);
    bool kept = false;
    const bool saved = saveBesideEventLoop(&kept);
    // Not saved by choice: the gallery goes on belonging to the file it came from.
    if (kept)
        m_document->setFilePath(before);
    return saved;
}

void frmMain::renameGallery(const QModelIndex &index)
{
    if (m_treeModel->categoryOf(index) == CategoryTreeModel::RootNode)
        m_treeView->edit(index);
}

void frmMain::helpTopics()
{
    const QString error = launchHelpViewer(m_helpFile);
    if (!error.isEmpty())
        m_dialogs->msgBox(error, mb::OkOnly | mb::Critical);
}

void frmMain::helpAbout()
{
    AboutBox::open(aboutInfo(), this);
}

} // namespace qs::gallery
