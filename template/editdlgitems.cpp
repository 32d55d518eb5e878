#include "besideeventloop.h"
#include "editdlg.h"
#include "frmmain.h"
#include "promptdialogs.h"
#include "templatemodel.h"
#include "translation.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeView>

namespace qs::stencil {

namespace {
const char *const TextPrompt = QT_TRANSLATE_NOOP(
    "tagloom32", "Please enter the text you want to insert into the user's document.");
const char *const TextTitle = QT_TRANSLATE_NOOP("tagloom32", "Insert Text");

} // namespace

int editDlg::selectedRow() const
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || !m_list->selectionModel()->isRowSelected(current.row()))
        return -1;
    return current.row();
}

void editDlg::updateItemMenu()
{
    const bool selected = selectedRow() >= 0;
    action(QStringLiteral("edit_item"))->setEnabled(selected);
    action(QStringLiteral("remove_item"))->setEnabled(selected);
    updateEditMenu();
}

void editDlg::showItemMenu(const QPoint &globalPos)
{
    // Bold only in the pop-up, not on the menu bar.
    m_itemMenu->setDefaultAction(action(QStringLiteral("edit_item")));
    m_itemMenu->exec(globalPos);
    m_itemMenu->setDefaultAction(nullptr);
}

bool editDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && templateDrag(event))
        return true;
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        editItem();
        return true;
    }
    // Enter on a row edits it, as the menu's "Enter" says and a double click does.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            updateItemMenu();
            action(QStringLiteral("edit_item"))->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void editDlg::insertText()
{
    const QString text = m_frame->dialogs().inputBox(translate("tagloom32", TextPrompt),
                                                     translate("tagloom32", TextTitle), {});
    if (text.isEmpty())
        return;
    m_document.append({kind::Text, text, {}});
}

void editDlg::insertCarriageReturn()
{
    m_document.append({kind::CarriageReturn, CarriageReturnText, {}});
}

std::optional<TemplateItem> editDlg::runPromptDialog(int itemKind, const TemplateItem *item)
{
    std::unique_ptr<PromptDialog> dialog;
    if (itemKind == kind::InputDialog)
        dialog = std::make_unique<InsertInput>(m_frame->dialogs(), m_frame);
    else
        dialog = std::make_unique<InsertOpen>(m_frame->dialogs(), m_frame);
    if (item)
        dialog->setItem(*item);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    // Marked changed when the editor closes, whichever button closed it.
    m_document.markChanged();
    if (!accepted)
        return std::nullopt;
    return dialog->item();
}

void editDlg::insertInput()
{
    if (std::optional<TemplateItem> item = runPromptDialog(kind::InputDialog, nullptr))
        m_document.append(std::move(*item));
}

void editDlg::insertOpen()
{
    if (std::optional<TemplateItem> item = runPromptDialog(kind::OpenDialog, nullptr))
        m_document.append(std::move(*item));
}

void editDlg::editItem()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const TemplateItem item = m_document.item(row);
    switch (item.ItemKind) {
    case kind::Text: {
        const QString text = m_frame->dialogs().inputBox(
            translate("tagloom32", TextPrompt), translate("tagloom32", TextTitle), item.text);
        if (text.isEmpty())
            return;
        // The edited values take the item's place rather than going to the end.
        m_document.replace(row, {kind::Text, text, {}});
        break;
    }
    case kind::InputDialog:
    case kind::OpenDialog:
        if (std::optional<TemplateItem> edited = runPromptDialog(item.ItemKind, &item)) {
            // The document may have changed while the editor was up.
            if (row < m_document.count())
                m_document.replace(row, std::move(*edited));
        }
        break;
    default:
        QApplication::beep();
        break;
    }
}

void editDlg::removeItem()
{
    if (m_frame->dialogs().msgBox(
            translate("tagloom32", "Are you sure you want to remove the selected item?"),
            mb::YesNo | mb::Critical, translate("tagloom32", "Remove Item")) != mb::Yes)
        return;
    const int row = selectedRow();
    if (row < 0)
        return;
    m_document.remove(row);
}

void editDlg::findItem()
{
    const QString name =
        m_frame->dialogs().inputBox(translate("tagloom32", "Enter the name of an item to find."),
                                    translate("tagloom32", "Find Item"), {});
    if (name.isEmpty())
        return;
    const int from = selectedRow();
    if (from < 0)
        return;
    // A million rows take a moment to search: the windows keep painting meanwhile.
    int found = -1;
    std::vector<int> rows;
    runBesideEventLoop(this, translate("tagloom32", "Finding %1...").arg(name), [&] {
        found = m_document.findItem(name, from);
        if (found >= 0)
            rows = m_document.rowsWithText(m_document.field(found, 0));
    });
    QItemSelectionModel *selected = m_list->selectionModel();
    if (found < 0) {
        selected->clearSelection();
        return;
    }

    // Every row with exactly the found text, as few ranges as the rows allow.
    QItemSelection selection;
    for (size_t k = 0; k < rows.size();) {
        size_t last = k;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        selection.select(m_model->index(rows[k], 0), m_model->index(rows[last], 3));
        k = last + 1;
    }
    selected->setCurrentIndex(m_model->index(found, 0), QItemSelectionModel::NoUpdate);
    // Cleared first, and the ranges already whole rows: the selection model compares and
    // merges ranges pairwise, which with thousands of matches would take seconds.
    selected->clearSelection();
    selected->select(selection, QItemSelectionModel::Select);
    m_list->scrollTo(m_model->index(found, 0));
    m_list->setFocus();
}

} // namespace qs::stencil
