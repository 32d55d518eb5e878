#include "mainwindow.h"
#include "translation.h"

namespace qs::gallery {

void frmMain::previewItem()
{
    // A closed preview is gone; the next one starts as a fresh window.
    if (!m_preview) {
        m_preview = new frmPreview(*m_dialogs, this);
        m_preview->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_preview->show();
    m_preview->raise();

    const auto host = hostFolderOrTell(translate("artshelf", "Quillsite not found."));
    if (!host)
        return;
    if (const auto path = m_document->picturePath(*host, selectedNode(), selectedRow()))
        m_preview->LoadPic(*path);
}

} // namespace qs::gallery
