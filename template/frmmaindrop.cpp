#include "frmmain.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace qs::stencil {

QStringList frmMain::droppedTemplates(const QList<QUrl> &urls)
{
    QStringList files;
    for (const QUrl &url : urls)
        if (url.isLocalFile() && QFileInfo(url.toLocalFile())
                                         .suffix()
                                         .compare(QLatin1String("htp"), Qt::CaseInsensitive) == 0)
            files << url.toLocalFile();
    return files;
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && !droppedTemplates(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls() && !droppedTemplates(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QStringList files =
        event->mimeData()->hasUrls() ? droppedTemplates(event->mimeData()->urls()) : QStringList();
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // Each as Open would, its messages included; a template open already comes to the front.
    // After the drop has ended, so that no message box is shown while the source still waits.
    QMetaObject::invokeMethod(
        this, [this, files] { openFiles(files); }, Qt::QueuedConnection);
}

} // namespace qs::stencil
