#include "hostinterface.h"
#include "mainwindow.h"

namespace qs::gallery {

void frmMain::installGallery()
{
    const auto host = GalleryDocument::hostFolder();
    if (!host) {
        m_dialogs->msgBox(QStringLiteral(
            "Quillsite not found.  Cannot install gallery without Quillsite present."));
        return;
    }
    const QString clipart = host::clipartFolder(*host);
    if (m_dialogs->msgBox(QStringLiteral("The Pictorium will now save a copy of the opened file "
                                         "into the Quillsite Clipart Folder (") +
                              clipart + QStringLiteral(").  Are you sure you want to do this?"),
                          mb::YesNo, QStringLiteral("Install")) != mb::Yes)
        return;
    const QString name =
        m_dialogs->inputBox(QStringLiteral("Please enter a name for this file.  Do not include "
                                           "the three letter .GAL extension."),
                            QStringLiteral("Name"), QStringLiteral("untitled"));
    if (name.isEmpty())
        return;
    report(m_document->install(clipart, name));
}

} // namespace qs::gallery
