#include "besideeventloop.h"
#include "editdlg.h"
#include "frmmain.h"
#include "paths.h"
#include "textcodec.h"
#include "translation.h"

#include <QCloseEvent>

namespace qs::stencil {

bool editDlg::saveDocument()
{
    if (m_document.isUntitled())
        return saveDocumentAs();
    return showResult(writeBesideEventLoop());
}

FileResult editDlg::writeBesideEventLoop()
{
    // A template of many megabytes takes a while to write: the windows keep painting.
    const QString label = translate("tagloom32", "Saving %1...").arg(m_document.shownTitle());
    FileResult result;
    std::vector<char32_t> unstorable;
    runBesideEventLoop(this, label, [&] {
        unstorable = m_document.unstorableCharacters();
        if (unstorable.empty())
            result = m_document.writeDocument();
    });
    if (!unstorable.empty()) {
        if (m_frame->dialogs().msgBox(unstorableQuestion(unstorable),
                                      mb::OkCancel | mb::Exclamation) != mb::Ok)
            return {FileResult::Kept, {}, {}};
        runBesideEventLoop(this, label, [&] { result = m_document.writeDocument(); });
    }
    if (result.status == FileResult::Done)
        m_document.markSaved();
    return result;
}

bool editDlg::saveDocumentAs()
{
    const std::optional<QString> path = m_frame->chooseTemplate(true);
    if (!path)
        return false;
    // The other window would go on showing, and later saving, the items it read.
    if (m_frame->documentHolding(*path, this)) {
        m_frame->dialogs().msgBox(
            translate("tagloom32", "The template %1 is open in another window.\r\n\r\n"
                                   "Save this one under another name, or close that window "
                                   "first.")
                .arg(shownPath(*path)),
            mb::OkOnly | mb::Information);
        return false;
    }
    const QString before = m_document.title();
    m_document.setTitle(*path);
    const FileResult result = writeBesideEventLoop();
    // Not saved by choice: the window goes on naming the file it came from.
    if (result.status == FileResult::Kept)
        m_document.setTitle(before);
    showTitle();
    return showResult(result);
}

void editDlg::insertFile()
{
    if (const std::optional<QString> path = m_frame->chooseTemplate(false)) {
        FileRead read;
        runBesideEventLoop(this, translate("tagloom32", "Reading %1...").arg(shownPath(*path)),
                           [&] { read = m_document.readForInsert(*path); });
        const FileResult result = m_document.insertRead(std::move(read));
        if (result.status == FileResult::ReadStopped)
            m_frame->forgetChosenName();
        showResult(result);
    }
    // Marked changed even when nothing came in.
    m_document.markChanged();
}

bool editDlg::mayClose()
{
    if (!m_document.boolDirty())
        return true;
    const QString question = translate("tagloom32", "The file %1 has been changed.\r\n\r\n"
                                                    "Would you like to save the changes?")
                                 .arg(m_document.shownTitle());
    switch (m_frame->dialogs().msgBox(question, mb::YesNoCancel | mb::Critical,
                                      translate("tagloom32", "Changes Not Saved"))) {
    case mb::Yes:
        // A save that did not happen (save as cancelled, or the write failed) keeps the window.
        return saveDocument();
    case mb::No:
        return true;
    default:
        return false;
    }
}

void editDlg::closeEvent(QCloseEvent *event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    m_frame->documentClosed(this);
}

} // namespace qs::stencil
