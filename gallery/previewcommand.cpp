#include "hostinterface.h"
#include "mainwindow.h"
#include "paths.h"

#include <QTreeWidget>

namespace qs::gallery {

void frmMain::previewItem()
{
    if (!m_preview)
        m_preview = new frmPreview(*m_dialogs, this);
    m_preview->show();
    m_preview->raise();

    const QString host = host::installFolder(host::GalleryHostDefault);
    if (!host::isPresent(host, host::GalleryHostDefault)) {
        m_dialogs->msgBox(QStringLiteral("Quillsite not found."));
        return;
    }
    QTreeWidgetItem *node = m_tree->selected();
    QTreeWidgetItem *row = m_list->selected();
    if (!node || !row)
        return;
    m_preview->LoadPic(toNativePath(host::clipartRoot(host) + m_tree->key(node) +
                                    QLatin1Char('\\') + m_list->key(row)));
}

} // namespace qs::gallery
