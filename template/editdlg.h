#pragma once

#include "templatedocument.h"

#include <QWidget>

#include <memory>
#include <optional>

class QMenu;
class QTreeView;

namespace qs::stencil {

class frmMain;
class TemplateModel;

// One template's window inside the frame: the rows in ListView1, the menu in force while it is
// active, and the question before unsaved changes are lost.
class editDlg : public QWidget
{
    Q_OBJECT

public:
    explicit editDlg(frmMain *frame);
    ~editDlg() override;

    TemplateDocument &document() { return m_document; }
    const TemplateDocument &document() const { return m_document; }
    TemplateModel *model() const { return m_model.get(); }
    QTreeView *listView() const { return m_list; }
    QAction *action(const QString &name) const;
    const QList<QMenu *> &menus() const { return m_menus; }

    // Shows the document's title as the window's.
    void showTitle();
    // Tells the user what a file routine left to tell; true when it was done.
    bool showResult(const FileResult &result);

    // Saves; an untitled document goes through save as. True when the file was written.
    bool saveDocument();
    bool saveDocumentAs();
    void insertFile();

    // The item commands.
    void insertText();
    void insertCarriageReturn();
    void insertInput();
    void insertOpen();
    void editItem();
    void removeItem();
    void findItem();
    // The "&Edit" menu's commands: the clipboard and the moves work on the selected row.
    void cutItem();
    void copyItem();
    void pasteItems();
    void moveItemUp();
    void moveItemDown();
    // The "&Item" menu as a pop-up at globalPos, "&Edit Item" its default entry.
    void showItemMenu(const QPoint &globalPos);
    // The 0-based row Edit and Remove act on: the current row while it is selected; -1 if none.
    int selectedRow() const;

    // Printing and the test run work on the file as last saved.
    void printDocument();
    void testDocument();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Writes the document beside the event loop; a Done marks it saved.
    FileResult writeBesideEventLoop();
    void createActions();
    void createList();
    // Edit and Remove are enabled while a row is selected: set when the selection changes and
    // each time the menu opens.
    void updateItemMenu();
    // Cut, Copy and the moves need a selected row (and a row to pass), Paste items on the
    // clipboard; Undo and Redo follow the undo stack by themselves.
    void updateEditMenu();
    // Templates dragged from a file manager onto the list open as they do on the frame; true
    // when event was such a drag.
    bool templateDrag(QEvent *event);
    // Selects the 0-based row alone and makes it current.
    void selectRow(int row);
    // Shows a prompt-item editor, filled from item when editing; its item after OK.
    std::optional<TemplateItem> runPromptDialog(int itemKind, const TemplateItem *item);
    // The close check: true when the window may close.
    bool mayClose();

    frmMain *m_frame;
    TemplateDocument m_document;
    std::unique_ptr<TemplateModel> m_model;
    QTreeView *m_list = nullptr;
    QList<QMenu *> m_menus;
    QMenu *m_itemMenu = nullptr;
};

} // namespace qs::stencil
