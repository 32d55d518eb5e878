#include "besideeventloop.h"
#include "editdlg.h"
#include "frmmain.h"
#include "hostautomation.h"
#include "templateprinter.h"
#include "translation.h"

#include <QPrinter>

namespace qs::stencil {

namespace {
const QString Caption = QStringLiteral("Stencilry");
}

void editDlg::printDocument()
{
    QPrinter printer;
    if (!m_frame->dialogs().print(printer))
        return;
    // Asked after the print dialog, as the user has always met it.
    if (m_document.isUntitled()) {
        m_frame->dialogs().msgBox(
            translate("tagloom32", "You must save this document before you can print it."),
            mb::OkOnly | mb::Information, Caption);
        return;
    }
    const QString path = m_document.title();
    const QString title = m_document.shownTitle();
    QString reason;
    // Beside the event loop, telling the pages sent; Cancel ends the job after the last one.
    runBesideEventLoop(
        this, translate("tagloom32", "Printing %1...").arg(title),
        [&](WorkProgress &progress) {
            reason = printTemplateFile(printer, path, title, [&](int pages) {
                progress.setLabel(
                    translate("tagloom32", "Printing %1: page %2...").arg(title).arg(pages));
                return !progress.cancelled();
            });
        },
        true);
    if (!reason.isEmpty() && reason != printingStopped())
        m_frame->dialogs().msgBox(
            translate("tagloom32", "The template %1 could not be printed: %2.").arg(title, reason),
            mb::OkOnly | mb::Critical);
}

void editDlg::testDocument()
{
    if (m_document.isUntitled()) {
        m_frame->dialogs().msgBox(
            translate("tagloom32",
                      "You must save your document before you can test it in Quillsite."),
            mb::OkOnly | mb::Information, Caption);
        return;
    }
    // The host gets the file as last saved; nothing is saved first.
    const QString reason = hostTestTemplate(m_document.title());
    if (!reason.isEmpty())
        m_frame->dialogs().msgBox(
            translate("tagloom32",
                      "The template %1 could not be handed to Quillsite for a test run.\r\n\r\n%2")
                .arg(m_document.shownTitle(), reason),
            mb::OkOnly | mb::Critical);
}

} // namespace qs::stencil
