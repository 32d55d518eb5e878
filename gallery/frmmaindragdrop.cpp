#include "categorytreemodel.h"
#include "commandspecs.h"
#include "galleryclipboard.h"
#include "itemlistmodel.h"
#include "mainwindow.h"
#include "translation.h"

#include <QDropEvent>
#include <QTreeView>

#include <climits>

namespace qs::gallery {

void frmMain::enableDragAndDrop()
{
    for (QTreeView *view : {m_treeView, m_listView}) {
        view->setDragEnabled(true);
        view->setAcceptDrops(true);
        view->setDragDropMode(QAbstractItemView::DragDrop);
        view->viewport()->installEventFilter(this);
    }
    // A gallery file dropped anywhere opens.
    setAcceptDrops(true);
    installEventFilter(this);
}

bool frmMain::acceptsDrop(const ClipContent &content, QObject *target) const
{
    if (!content.galleryFile.isEmpty())
        return true;
    if (target == m_treeView->viewport())
        return !content.categories.isEmpty();
    return target == m_listView->viewport() && !content.items.isEmpty() && selectedNode() >= 1;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QMainWindow::eventFilter(watched, event);
    auto *dropEvent = static_cast<QDropEvent *>(event);
    const ClipContent content = readClipContent(dropEvent->mimeData(), *m_document);
    if (!acceptsDrop(content, watched)) {
        dropEvent->ignore();
        return watched != this;
    }
    // Reported as a copy, so that the view a drag began in never removes anything itself.
    dropEvent->setDropAction(Qt::CopyAction);
    dropEvent->accept();
    if (type == QEvent::Drop)
        runCommand(*m_dialogs, [&] { drop(content, watched, dropEvent->position().toPoint()); });
    return true;
}

void frmMain::drop(const ClipContent &content, QObject *target, const QPoint &position)
{
    if (!content.galleryFile.isEmpty()) {
        // Its questions wait until the drag is over.
        QMetaObject::invokeMethod(
            this,
            [this, path = content.galleryFile] {
                runCommand(*m_dialogs, [this, &path] { openDropped(path); });
            },
            Qt::QueuedConnection);
        return;
    }
    const bool onTree = target == m_treeView->viewport();
    QTreeView *view = onTree ? m_treeView : m_listView;
    const QModelIndex at = view->indexAt(position);
    const bool below = at.isValid() && position.y() > view->visualRect(at).center().y();
    // The position the dropped entries take, counted before any of them moves.
    int before = 0;
    if (onTree) {
        const int node = m_treeModel->categoryOf(at);
        before = node >= 1 ? node + (below ? 1 : 0)
                           : (node == CategoryTreeModel::RootNode ? 1 : INT_MAX);
        if (content.fromCategory >= 1 && content.fromPosition == 0 &&
            content.categories.size() == 1) {
            const int from = content.fromCategory;
            report(m_document->moveCategory(
                from, std::min(before > from ? before - 1 : before, m_document->categoryCount())));
            return;
        }
    } else {
        before = at.isValid() ? at.row() + (below ? 2 : 1) : INT_MAX;
        const int k = selectedNode();
        if (content.fromCategory == k && content.fromPosition >= 1 && content.items.size() == 1) {
            const int from = content.fromPosition;
            report(m_document->moveItem(
                k, from, std::min(before > from ? before - 1 : before, listRowCount())));
            return;
        }
    }
    insertContent(content, before, before, translate("artshelf", "Drop"));
}

void frmMain::openDropped(const QString &path)
{
    if (askSaveFirst(
            translate("artshelf", "Do you want to save this document before opening a new one?")))
        openGallery(path);
}

} // namespace qs::gallery
