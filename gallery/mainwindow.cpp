#include "mainwindow.h"
#include "translation.h"

#include "categorytreemodel.h"
#include "commandspecs.h"
#include "frmpreview.h"
#include "itemlistmodel.h"
#include "paths.h"
#include "programicon.h"
#include "twips.h"
#include "undoactions.h"
#include "windowplacement.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QSessionManager>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace qs::gallery {

namespace {
// The client area and the views' widths as designed, in twips.
constexpr int ClientWidth = 9045;
constexpr int ClientHeight = 6060;
constexpr int TreeWidth = 3975;
constexpr int ListWidth = 5010;
} // namespace

frmMain::frmMain(std::unique_ptr<Dialogs> dialogs, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(AppTitle, this))
    , m_document(new GalleryDocument(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Caption);
    setWindowIcon(hicolorIcon(QStringLiteral("artshelf")));
    createImages();
    createActions();
    createMenus();
    createControls();
    createToolbar();
    startUp();
    m_placementRead = restoreWindowPlacement(this, AppTitle, *m_dialogs);
    // The end of the desktop session asks as Exit does, and may be cancelled the same way.
    connect(
        qApp, &QGuiApplication::commitDataRequest, this,
        [this](QSessionManager &manager) {
            if (!sessionEnding([&manager] { return manager.allowsInteraction(); }))
                manager.cancel();
            manager.release();
        },
        Qt::DirectConnection);
    // Another program may cancel the end of the session: what is edited after that is asked
    // about again.
    connect(m_document, &GalleryDocument::edited, this, [this] { m_sessionAnswered = false; });
}

frmMain::~frmMain()
{
    // An editor still open commits while its view goes; the document must still be there.
    delete m_listView;
    delete m_treeView;
}

void frmMain::createImages()
{
    const QStyle *s = style();
    m_images.add(s->standardIcon(QStyle::SP_DriveHDIcon));   // gallery
    m_images.add(s->standardIcon(QStyle::SP_DirClosedIcon)); // category
    m_images.add(s->standardIcon(QStyle::SP_DirOpenIcon));   // selected category
    m_images.add(s->standardIcon(QStyle::SP_FileIcon));      // item
}

void frmMain::createActions()
{
    qs::createActions(
        this,
        {
            {"file_new", QT_TRANSLATE_NOOP("menu", "&New"), {}, [this] { fileNew(); }},
            {"file_open", QT_TRANSLATE_NOOP("menu", "&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
             [this] { fileOpen(); }},
            {"file_save", QT_TRANSLATE_NOOP("menu", "&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
             [this] { fileSave(); }},
            {"file_saveas", QT_TRANSLATE_NOOP("menu", "Save &As..."), {}, [this] { fileSaveAs(); }},
            {"install_gallery", QT_TRANSLATE_NOOP("menu", "&Install Gallery..."),
             QKeySequence(Qt::CTRL | Qt::Key_I), [this] { installGallery(); }},
            {"file_exit", QT_TRANSLATE_NOOP("menu", "E&xit"), {}, [this] { close(); }},
            // Undo and Redo follow the document's undo stack.
            {"edit_undo", QT_TRANSLATE_NOOP("menu", "&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
             nullptr},
            {"edit_redo", QT_TRANSLATE_NOOP("menu", "&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y),
             nullptr},
            {"edit_cut", QT_TRANSLATE_NOOP("menu", "Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X),
             [this] { cutSelection(); }},
            {"edit_copy", QT_TRANSLATE_NOOP("menu", "&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
             [this] { copySelection(); }},
            {"edit_paste", QT_TRANSLATE_NOOP("menu", "&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
             [this] { paste(); }},
            {"edit_clear", QT_TRANSLATE_NOOP("menu", "C&lear"), QKeySequence(Qt::Key_Delete),
             [this] { clearSelection(); }},
            {"file_find", QT_TRANSLATE_NOOP("menu", "&Find..."), QKeySequence(Qt::Key_F3),
             [this] { findItem(); }},
            {"move_up", QT_TRANSLATE_NOOP("menu", "&Move Up"), QKeySequence(Qt::ALT | Qt::Key_Up),
             [this] { moveSelection(-1); }},
            {"move_down", QT_TRANSLATE_NOOP("menu", "Move &Down"),
             QKeySequence(Qt::ALT | Qt::Key_Down), [this] { moveSelection(+1); }},
            {"item_new", QT_TRANSLATE_NOOP("menu", "&New..."), QKeySequence(Qt::CTRL | Qt::Key_N),
             [this] { newItem(); }},
            {"add_multiple", QT_TRANSLATE_NOOP("menu", "&Add Multiple..."),
             QKeySequence(Qt::CTRL | Qt::Key_A), [this] { addMultiple(); }},
            {"item_edit", QT_TRANSLATE_NOOP("menu", "&Edit..."), QKeySequence(Qt::CTRL | Qt::Key_E),
             [this] { editItem(); }},
            {"item_remove", QT_TRANSLATE_NOOP("menu", "&Remove"), {}, [this] { removeItem(); }},
            {"item_preview", QT_TRANSLATE_NOOP("menu", "&Preview Item"), QKeySequence(Qt::Key_F2),
             [this] { previewItem(); }},
            {"new_cat", QT_TRANSLATE_NOOP("menu", "Ne&w Category..."),
             QKeySequence(Qt::CTRL | Qt::Key_W), [this] { newCategory(); }},
            {"edit_cat", QT_TRANSLATE_NOOP("menu", "E&dit Category..."),
             QKeySequence(Qt::CTRL | Qt::Key_D), [this] { editCategory(); }},
            {"rem_cat",
             QT_TRANSLATE_NOOP("menu", "Re&move Category"),
             {},
             [this] { removeCategory(); }},
            {"help_topics", QT_TRANSLATE_NOOP("menu", "&Help Topics"), QKeySequence(Qt::Key_F1),
             [this] { helpTopics(); }},
            {"help_about", QT_TRANSLATE_NOOP("menu", "&About..."), {}, [this] { helpAbout(); }},
        },
        [this](const std::function<void()> &command) { runCommand(*m_dialogs, command); });
    action(QStringLiteral("edit_redo"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    followUndoStack(action(QStringLiteral("edit_undo")), action(QStringLiteral("edit_redo")),
                    m_document->undoStack());
    // Shortcuts stay live whatever the menus show.
    addActions(findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly));
}

void frmMain::createMenus()
{
    const QList<QMenu *> menus = qs::createMenus(
        this, {
                  {"file_menu",
                   QT_TRANSLATE_NOOP("menu", "&File"),
                   {"file_new", "file_open", "file_save", "file_saveas", "-dumb10",
                    "install_gallery", "-dumb1", "file_exit"}},
                  {"edit_menu",
                   QT_TRANSLATE_NOOP("menu", "&Edit"),
                   {"edit_undo", "edit_redo", "-dumb4", "edit_cut", "edit_copy", "edit_paste",
                    "edit_clear", "-dumb3", "file_find", "-dumb12", "move_up", "move_down"}},
                  {"item_menu",
                   QT_TRANSLATE_NOOP("menu", "&Item"),
                   {"item_new", "add_multiple", "item_edit", "item_remove", "-dumb11",
                    "item_preview", "-dumb5", "new_cat", "edit_cat", "rem_cat"}},
                  {"help_menu",
                   QT_TRANSLATE_NOOP("menu", "&Help"),
                   {"help_topics", "-dumb7", "help_about"}},
              });
    for (QMenu *menu : menus) {
        menu->setParent(menuBar(), menu->windowFlags());
        menuBar()->addMenu(menu);
    }
}

void frmMain::createControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);
    // Toolbar strip on top (added by createToolbar), the views sharing the rest, status below.
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setObjectName(QStringLiteral("TreeListSplitter"));
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter, 1);

    m_treeModel = new CategoryTreeModel(m_document, &m_images, this);
    m_treeView = new QTreeView(splitter);
    m_treeView->setObjectName(QStringLiteral("TreeView1"));
    m_treeView->setAccessibleName(translate("artshelf", "Categories"));
    m_treeView->setHeaderHidden(true);
    m_treeView->header()->setAccessibleName(translate("artshelf", "Category header"));
    m_treeView->setModel(m_treeModel);
    m_treeView->setSelectionMode(QAbstractItemView::SingleSelection);
    // The root's text, the gallery's name, is edited on a double click only: F2 is Preview
    // Item, and a second click on the selected root is an ordinary click.
    m_treeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_treeView->setExpandsOnDoubleClick(false);
    connect(m_treeView, &QTreeView::doubleClicked, this, &frmMain::renameGallery);
    connect(m_treeModel, &QAbstractItemModel::modelReset, this, [this] {
        const QScopedValueRollback moving(m_movingSelection, true);
        m_treeView->expand(m_treeModel->rootIndex());
        m_treeView->setCurrentIndex(m_treeModel->rootIndex());
        m_refreshedNode = NotRefreshed;
        // The status bar names the new gallery at once, not only after the next click.
        m_statusText->setText(m_document->fullPath(selectedNode()));
    });
    connect(m_treeView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &frmMain::selectionChanged);
    connect(m_treeView, &QTreeView::clicked, this, &frmMain::selectionChanged);
    // An edit, or its undo, may rename the selected node or the gallery.
    connect(m_document, &GalleryDocument::edited, this, [this] {
        if (selectedNode() != CategoryTreeModel::NoNode)
            m_statusText->setText(m_document->fullPath(selectedNode()));
    });
    connect(m_document, &GalleryDocument::categoryMoved, this, [this](int from, int to) {
        if (m_refreshedNode >= 1)
            m_refreshedNode = positionAfterMove(m_refreshedNode, from, to);
    });

    m_listModel = new ItemListModel(m_document, &m_images, this);
    m_listView = new QTreeView(splitter);
    m_listView->setObjectName(QStringLiteral("ListView1"));
    m_listView->setAccessibleName(translate("artshelf", "Items"));
    m_listView->setModel(m_listModel);
    m_listView->header()->setAccessibleName(translate("artshelf", "Item columns"));
    m_listView->header()->setStretchLastSection(false);
    m_listView->header()->resizeSection(0, twips(3528));
    m_listView->header()->resizeSection(1, twips(3528));
    m_listView->setRootIsDecorated(false);
    m_listView->setUniformRowHeights(true);
    m_listView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listView->setEditTriggers(QAbstractItemView::SelectedClicked);

    m_statusBar = new QStatusBar(central);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setAccessibleName(translate("artshelf", "Status"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusText = new QLabel(m_statusBar);
    m_statusText->setObjectName(QStringLiteral("StatusBar1Text"));
    m_statusBar->addWidget(m_statusText, 1);
    layout->addWidget(m_statusBar);

    // The split starts as the views were laid out, and extra width goes to both in that ratio.
    splitter->addWidget(m_treeView);
    splitter->addWidget(m_listView);
    splitter->setSizes({twips(TreeWidth), twips(ListWidth)});
    splitter->setStretchFactor(0, TreeWidth / 45);
    splitter->setStretchFactor(1, ListWidth / 45);

    enableDragAndDrop();
}

void frmMain::createToolbar()
{
    struct ButtonSpec
    {
        const char *name;
        const char *tip;
        const char *action;
        QStyle::StandardPixmap icon;
        int group;
    };
    const ButtonSpec buttons[] = {
        {"sbnNew", QT_TRANSLATE_NOOP("artshelf", "Create New Gallery"), "file_new",
         QStyle::SP_FileIcon, 1},
        {"sbnOpen", QT_TRANSLATE_NOOP("artshelf", "Open Existing Gallery"), "file_open",
         QStyle::SP_DialogOpenButton, 1},
        {"sbnSave", QT_TRANSLATE_NOOP("artshelf", "Save Current Gallery"), "file_save",
         QStyle::SP_DialogSaveButton, 1},
        {"sbnSaveAs", QT_TRANSLATE_NOOP("artshelf", "Save Gallery under new name"), "file_saveas",
         QStyle::SP_DriveFDIcon, 1},
        {"sbnInstall", QT_TRANSLATE_NOOP("artshelf", "Install this Gallery"), "install_gallery",
         QStyle::SP_ArrowDown, 2},
        {"sbnNewCat", QT_TRANSLATE_NOOP("artshelf", "Add Category"), "new_cat",
         QStyle::SP_FileDialogNewFolder, 3},
        {"sbnEditCat", QT_TRANSLATE_NOOP("artshelf", "Edit Category"), "edit_cat",
         QStyle::SP_FileDialogDetailedView, 3},
        {"sbnRemCat", QT_TRANSLATE_NOOP("artshelf", "Remove Category"), "rem_cat",
         QStyle::SP_TrashIcon, 3},
        {"sbnAddItem", QT_TRANSLATE_NOOP("artshelf", "Add Gallery Item"), "item_new",
         QStyle::SP_FileDialogStart, 4},
        {"sbnEditItem", QT_TRANSLATE_NOOP("artshelf", "Edit Gallery Item"), "item_edit",
         QStyle::SP_FileDialogInfoView, 4},
        {"sbnRemItem", QT_TRANSLATE_NOOP("artshelf", "Remove Gallery Item"), "item_remove",
         QStyle::SP_DialogDiscardButton, 4},
        {"sbnPreview", QT_TRANSLATE_NOOP("artshelf", "Preview Selected Item"), "item_preview",
         QStyle::SP_FileDialogContentsView, 5},
        {"sbnHelp", QT_TRANSLATE_NOOP("artshelf", "Show Help Contents"), "help_topics",
         QStyle::SP_MessageBoxQuestion, 6},
    };

    auto *strip = new QFrame(centralWidget());
    strip->setObjectName(QStringLiteral("pnlToolbar"));
    strip->setAccessibleName(translate("artshelf", "Toolbar"));
    strip->setFrameStyle(QFrame::Panel | QFrame::Raised);
    strip->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(3, 2, 3, 2);
    row->setSpacing(0);

    // Icons and buttons as large as the style makes them, so they grow with the desktop.
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    int group = 1;
    int divider = 0;
    for (const ButtonSpec &b : buttons) {
        if (b.group != group) {
            auto *panel = new QFrame(strip);
            panel->setObjectName(QStringLiteral("pnlDivider%1").arg(++divider));
            panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
            panel->setFixedWidth(3);
            row->addSpacing(2);
            row->addWidget(panel);
            row->addSpacing(3);
            group = b.group;
        }
        auto *button = new QToolButton(strip);
        button->setObjectName(QLatin1String(b.name));
        button->setAutoRaise(true);
        button->setIcon(style()->standardIcon(b.icon));
        button->setIconSize(QSize(iconSize, iconSize));
        QAction *target = action(QLatin1String(b.action));
        button->setToolTip(toolTipWithKeys(translate("artshelf", b.tip), target->shortcut()));
        button->setAccessibleName(translate("artshelf", b.tip));
        const QSize hint = button->sizeHint();
        button->setFixedSize(QSize(1, 1) * std::max(hint.width(), hint.height()));
        row->addWidget(button);
        connect(button, &QToolButton::clicked, target, &QAction::trigger);
    }
    row->addStretch(1);
    qobject_cast<QBoxLayout *>(centralWidget()->layout())->insertWidget(0, strip);

    // As designed, or larger where the font or style need it.
    resize(QSize(twips(ClientWidth), twips(ClientHeight) + menuBar()->sizeHint().height())
               .expandedTo(sizeHint()));
}

void frmMain::startUp()
{
    constexpr unsigned singleFile =
        ofn::FileMustExist | ofn::PathMustExist | ofn::HideReadOnly | ofn::OverwritePrompt;
    const FileDialogOptions pictures{
        translate("artshelf",
                  "Images|*.gif;*.jpg|GIF Images|*.gif|JPEG Images|*.jpg|All Files|*.*|"),
        QStringLiteral(".gif"),
        singleFile,
        {},
        translate("artshelf", "Choose Clipart")};
    m_galleryDialog = {translate("artshelf", "Clipart Galleries|*.gal|All Files|*.*|"),
                       QStringLiteral(".gal"),
                       singleFile,
                       {},
                       {}};
    m_pictureDialog = pictures;
    m_multiDialog = pictures;
    m_multiDialog.flags = singleFile | ofn::AllowMultiSelect | ofn::Explorer;

    m_helpFile = programDirectory() + QStringLiteral("\\help\\artkeep.hlp");
    action(QStringLiteral("file_exit"))
        ->setText(translate("menu", "E&xit") + QStringLiteral("\tAlt+F4"));
    ResetGallery();
    RefreshItemList();
}

QAction *frmMain::action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

QString frmMain::statusText() const
{
    return m_statusText->text();
}

bool frmMain::report(const Result &result)
{
    if (result.hasMessage())
        m_dialogs->msgBox(result.text(), result.style(), result.caption());
    return result.ok();
}

int frmMain::selectedNode() const
{
    return m_treeModel->categoryOf(m_treeView->currentIndex());
}

int frmMain::selectedRow() const
{
    const QModelIndex current = m_listView->currentIndex();
    if (!current.isValid() || !m_listView->selectionModel()->isSelected(current))
        return 0;
    return current.row() + 1;
}

int frmMain::listRowCount() const
{
    return m_listModel->rowCount();
}

} // namespace qs::gallery
