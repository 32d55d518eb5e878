#include "editdlg.h"
#include "frmmain.h"
#include "templateclipboard.h"
#include "templatemodel.h"
#include "translation.h"

#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTreeView>

namespace qs::stencil {

void editDlg::updateEditMenu()
{
    const int row = selectedRow();
    action(QStringLiteral("edit_cut"))->setEnabled(row >= 0);
    action(QStringLiteral("edit_copy"))->setEnabled(row >= 0);
    action(QStringLiteral("edit_moveup"))->setEnabled(row > 0);
    action(QStringLiteral("edit_movedown"))->setEnabled(row >= 0 && row + 1 < m_document.count());
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    action(QStringLiteral("edit_paste"))
        ->setEnabled(data && (data->hasFormat(ItemsMimeType) || data->hasText()));
}

void editDlg::selectRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_list->scrollTo(index);
}

bool editDlg::templateDrag(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drag = static_cast<QDropEvent *>(event);
    if (!drag->mimeData()->hasUrls())
        return false;
    const QStringList files = frmMain::droppedTemplates(drag->mimeData()->urls());
    if (files.isEmpty())
        return false;
    drag->acceptProposedAction();
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            m_frame, [frame = m_frame, files] { frame->openFiles(files); }, Qt::QueuedConnection);
    return true;
}

void editDlg::copyItem()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    QGuiApplication::clipboard()->setMimeData(itemsMimeData({m_document.item(row)}));
}

void editDlg::cutItem()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    copyItem();
    // Undo brings it back, so Cut does not ask as Remove Item does.
    m_document.remove(row, translate("tagloom32", "Cut"));
}

void editDlg::pasteItems()
{
    std::optional<std::vector<TemplateItem>> items =
        itemsFromMimeData(QGuiApplication::clipboard()->mimeData());
    if (!items || items->empty())
        return;
    // After the selected row, where the user is working; at the end when none is selected.
    const int selected = selectedRow();
    const int at = selected >= 0 ? selected + 1 : m_document.count();
    const int n = static_cast<int>(items->size());
    m_document.insertItems(at, std::move(*items), translate("tagloom32", "Paste"));
    selectRow(at + n - 1);
}

void editDlg::moveItemUp()
{
    const int row = selectedRow();
    if (row > 0)
        selectRow(m_document.moveUp(row));
}

void editDlg::moveItemDown()
{
    const int row = selectedRow();
    if (row >= 0)
        selectRow(m_document.moveDown(row));
}

} // namespace qs::stencil
