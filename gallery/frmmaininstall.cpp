#include "besideeventloop.h"
#include "hostinterface.h"
#include "mainwindow.h"
#include "settingsstore.h"
#include "translation.h"

namespace qs::gallery {

std::optional<QString> frmMain::hostFolderOrTell(const QString &notFound)
{
    try {
        if (std::optional<QString> host = GalleryDocument::hostFolder())
            return host;
        m_dialogs->msgBox(notFound);
    } catch (const StoreReadError &error) {
        m_dialogs->msgBox(storeReadMessage(error), mb::OkOnly | mb::Critical);
    }
    return std::nullopt;
}

void frmMain::installGallery()
{
    const auto host = hostFolderOrTell(translate(
        "artshelf", "Quillsite not found.  Cannot install gallery without Quillsite present."));
    if (!host)
        return;
    const QString clipart = host::clipartFolder(*host);
    if (m_dialogs->msgBox(translate("artshelf",
                                    "The Pictorium will now save a copy of the opened file "
                                    "into the Quillsite Clipart Folder (%1).  Are you "
                                    "sure you want to do this?")
                              .arg(clipart),
                          mb::YesNo, translate("artshelf", "Install")) != mb::Yes)
        return;
    const QString name = m_dialogs->inputBox(
        translate("artshelf", "Please enter a name for this file.  Do not include "
                              "the three letter .GAL extension."),
        translate("artshelf", "Name"), translate("artshelf", "untitled"));
    if (name.isEmpty())
        return;
    // Writing the copy of a large gallery takes a while: the window keeps painting.
    const auto install = [&](GalleryDocument::InstallMode mode) {
        Result result = Result::refused();
        runBesideEventLoop(this, translate("artshelf", "Installing %1...").arg(name),
                           [&] { result = m_document->install(clipart, name, mode); });
        return result;
    };
    Result result = install(GalleryDocument::InstallMode::AskBeforeReplacing);
    if (result.isQuestion()) {
        if (m_dialogs->msgBox(result.text(), result.style(), result.caption()) != mb::Yes)
            return;
        result = install(GalleryDocument::InstallMode::Replace);
    }
    report(result);
}

} // namespace qs::gallery
