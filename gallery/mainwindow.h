#pragma once

#include "dialogs.h"
#include "frmpreview.h"
#include "gallerymodel.h"
#include "keyedcontrols.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAbstractItemDelegate;
class QLabel;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace qs::gallery {

// The gallery editor's main window: category tree, item list, menus, toolbar, and the
// document commands. The editing commands live in their own files by group.
class frmMain : public QMainWindow
{
public:
    static inline const QString AppTitle = QStringLiteral("Pictorium");
    static inline const QString Caption = QStringLiteral("Quillsite Pictorium");
    static inline const QString RootKey = QStringLiteral("root");

    // dialogs: null for the real ones; tests pass a scripted double.
    explicit frmMain(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget *parent = nullptr);
    ~frmMain() override;

    void ResetGallery();
    // Rebuilds the item list and status bar for the selected node; throws when rows fail.
    void RefreshItemList();

    QString currentFilePath() const;
    QString statusText() const;
    QString helpFile() const { return m_helpFile; }
    const Gallery &gallery() const { return m_gallery; }
    QAction *action(const QString &name) const;
    frmPreview *previewWindow() const { return m_preview; }

private:
    void createImages();
    void createActions();
    void createMenus();
    void createControls();
    void createToolbar();
    void startUp();

    // Document commands.
    void fileNew();
    void fileOpen();
    void fileSave();
    bool fileSaveAs();
    bool askSaveFirst(const QString &question);
    bool saveTo(const QString &path);
    void helpTopics();
    void helpAbout();

    // Category commands.
    void newCategory();
    void editCategory();
    void removeCategory();

    // Item commands.
    void newItem();
    void addMultiple();
    void editItem();
    void removeItem();
    void renameItem(QTreeWidgetItem *row, const QString &text);
    void previewItem();
    // Shows the picture dialog; the chosen file's bare name, empty on cancel.
    QString choosePicture();
    // Adds a row and an item to node's category; false when the category refuses the file.
    // The item a row of node's category stands for (row k is item k), or null.
    Clipart *clipartOf(const QTreeWidgetItem *node, const QTreeWidgetItem *row);
    bool appendItem(const QTreeWidgetItem *node, const QString &title, const QString &file);
    void installGallery();

    // Programmatic changes of the tree's selection are not the user's clicks.
    class TreeUpdate
    {
    public:
        explicit TreeUpdate(bool &flag)
            : m_flag(flag)
            , m_old(flag)
        {
            m_flag = true;
        }
        ~TreeUpdate() { m_flag = m_old; }

    private:
        bool &m_flag;
        bool m_old;
    };

    void refreshFromClick();
    // RefreshItemList for a command: a category listing a file twice is reported, not fatal.
    void refreshList();
    void setCurrentFilePath(const QString &path);
    QTreeWidgetItem *rootNode() const;
    bool isRootOrNone(const QTreeWidgetItem *node) const;
    // The category shown by node (node index k shows category k - 1), or null after
    // showing "Error:  Could not find folder.".
    Folder *folderOf(const QTreeWidgetItem *node);
    void rebuildTree();
    void showError(const QString &text);

    std::unique_ptr<Dialogs> m_dialogs;
    Gallery m_gallery;
    ImageList m_images;
    QTreeWidget *m_treeView = nullptr;
    QTreeWidget *m_listView = nullptr;
    QAbstractItemDelegate *m_labelEdit = nullptr;
    KeyedTree *m_tree = nullptr;
    std::unique_ptr<KeyedList> m_list;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusText = nullptr;
    QLabel *m_lblFilename = nullptr;
    QPointer<frmPreview> m_preview;
    QString m_helpFile;
    FileDialogOptions m_galleryDialog; // CommonDialog1
    FileDialogOptions m_pictureDialog; // CommonDialog2
    FileDialogOptions m_multiDialog;   // CommonDialog3
    bool m_updatingTree = false;
    const QTreeWidgetItem *m_refreshedNode = nullptr;
};

} // namespace qs::gallery
