#pragma once

#include "dialogs.h"
#include "frmpreview.h"
#include "gallerydocument.h"
#include "imagelist.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QLabel;
class QStatusBar;
class QTreeView;

namespace qs::gallery {

class CategoryTreeModel;
class ItemListModel;
struct ClipContent;

// The gallery editor's main window: category tree, item list, menus, toolbar. It asks the
// questions, hands the answers to the document and shows what came of them; the commands
// live in their own files by group.
class frmMain : public QMainWindow
{
public:
    static inline const QString AppTitle = QStringLiteral("Pictorium");
    static inline const QString Caption = QStringLiteral("Quillsite Pictorium");
    // The node last listed before any refresh: none has run since the gallery was reset.
    static constexpr int NotRefreshed = -2;

    // dialogs: null for the real ones; tests pass a scripted double.
    explicit frmMain(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget *parent = nullptr);
    ~frmMain() override;

    void ResetGallery();
    // Opens path as Open does once its questions are answered, messages included.
    void openGallery(const QString &path);
    // The galleries named on the command line: the first one opens.
    void openFiles(const QStringList &files);
    // Rebuilds the item list and status bar for the selected node.
    void RefreshItemList();

    QString currentFilePath() const { return m_document->filePath(); }
    QString statusText() const;
    QString helpFile() const { return m_helpFile; }
    const Gallery &gallery() const { return m_document->gallery(); }
    const GalleryDocument &document() const { return *m_document; }
    QAction *action(const QString &name) const;
    frmPreview *previewWindow() const { return m_preview; }
    CategoryTreeModel *treeModel() const { return m_treeModel; }
    ItemListModel *listModel() const { return m_listModel; }

    // Asks before unsaved changes are lost as the program ends; false when it must not end.
    // Without the user's leave to ask (the session ends without interaction) it never blocks.
    bool mayExit(bool mayAsk = true);
    // The desktop session is ending: asks as Exit does, when mayAsk grants leave to. False when
    // the user chose to stay, which cancels the end of the session.
    bool sessionEnding(const std::function<bool()> &mayAsk);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Drops onto the views and the window.
    bool eventFilter(QObject *watched, QEvent *event) override;

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
    // Writes the gallery to its file beside the event loop; a success marks it saved.
    // kept, when given, is set when the user chose not to save.
    bool saveBesideEventLoop(bool *kept = nullptr);
    bool askSaveFirst(const QString &question);
    void helpTopics();
    void helpAbout();
    void renameGallery(const QModelIndex &index);

    // Category commands.
    void newCategory();
    void editCategory();
    void removeCategory();

    // Item commands.
    void newItem();
    void addMultiple();
    void editItem();
    void removeItem();
    void previewItem();
    // Shows the picture dialog; the chosen file's bare name, empty on cancel.
    QString choosePicture();
    void installGallery();
    // The host's install folder, or nullopt once the user has been told why there is none.
    std::optional<QString> hostFolderOrTell(const QString &notFound);

    // Edit commands.
    void cutSelection();
    bool copySelection();
    void paste();
    void clearSelection();
    void findItem();
    void moveSelection(int delta);
    // What Cut, Copy and the moves act on: the selected category (j 0) while the tree has the
    // focus, otherwise the selected item. False when there is none.
    bool editTarget(int &k, int &j) const;
    void insertContent(const ClipContent &content, int k, int j, const QString &step);

    // Drag and drop.
    void enableDragAndDrop();
    bool acceptsDrop(const ClipContent &content, QObject *target) const;
    void drop(const ClipContent &content, QObject *target, const QPoint &position);
    void openDropped(const QString &path);

    // Shows a result's message, if it has one; true when the operation was done.
    bool report(const Result &result);
    // The selected node: a category position, or the tree model's RootNode or NoNode.
    int selectedNode() const;
    // The selected row's item position within its category, or 0.
    int selectedRow() const;
    int listRowCount() const;
    void selectionChanged();

    std::unique_ptr<Dialogs> m_dialogs;
    GalleryDocument *m_document;
    ImageList m_images;
    CategoryTreeModel *m_treeModel = nullptr;
    ItemListModel *m_listModel = nullptr;
    QTreeView *m_treeView = nullptr;
    QTreeView *m_listView = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusText = nullptr;
    QPointer<frmPreview> m_preview;
    // The user let the desktop session end, and nothing was edited since.
    bool m_sessionAnswered = false;
    QString m_helpFile;
    FileDialogOptions m_galleryDialog; // CommonDialog1
    FileDialogOptions m_pictureDialog; // CommonDialog2
    FileDialogOptions m_multiDialog;   // CommonDialog3
    int m_refreshedNode = -1;
    QString m_findText;
    // Set while the program itself moves the tree's selection: that is not the user's click.
    bool m_movingSelection = false;
    // The window's last placement was read, so this one may be stored over it.
    bool m_placementRead = false;
};

} // namespace qs::gallery
