#include "editdlg.h"
#include "translation.h"

#include "commandspecs.h"
#include "frmmain.h"
#include "pictures.h"
#include "templatemodel.h"
#include "twips.h"
#include "undoactions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

namespace qs::stencil {

editDlg::editDlg(frmMain *frame)
    : m_frame(frame)
{
    setObjectName(QStringLiteral("editDlg"));
    createActions();
    createList();
    setWindowIcon(picture(Picture::OpenBook));
    showTitle();
    // Loading: the exit and edit captions carry their keys; the document starts unchanged.
    action(QStringLiteral("file_exit"))
        ->setText(translate("menu", "E&xit") + QStringLiteral("\tAlt+F4"));
    action(QStringLiteral("edit_item"))
        ->setText(translate("menu", "&Edit Item") + QStringLiteral("\tEnter"));
    m_document.markSaved();
    updateEditMenu();
}

editDlg::~editDlg() = default;

void editDlg::createActions()
{
    frmMain *f = m_frame;
    qs::createActions(
        this,
        {
            {"file_new", QT_TRANSLATE_NOOP("menu", "&New"), QKeySequence(Qt::CTRL | Qt::Key_N),
             [f] { f->NewDocument(); }},
            {"file_open", QT_TRANSLATE_NOOP("menu", "&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
             [f] { f->OpenDocument(); }},
            {"file_save", QT_TRANSLATE_NOOP("menu", "&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
             [this] { saveDocument(); }},
            {"file_saveas",
             QT_TRANSLATE_NOOP("menu", "Save &As..."),
             {},
             [this] { saveDocumentAs(); }},
            {"file_print", QT_TRANSLATE_NOOP("menu", "&Print..."),
             QKeySequence(Qt::CTRL | Qt::Key_P), [this] { printDocument(); }},
            {"file_test", QT_TRANSLATE_NOOP("menu", "&Test"), QKeySequence(Qt::CTRL | Qt::Key_W),
             [this] { testDocument(); }},
            {"file_exit", QT_TRANSLATE_NOOP("menu", "E&xit"), {}, [f] { f->close(); }},
            {"edit_undo",
             QT_TRANSLATE_NOOP("menu", "&Undo"),
             QKeySequence(Qt::CTRL | Qt::Key_Z),
             {}},
            {"edit_redo",
             QT_TRANSLATE_NOOP("menu", "&Redo"),
             QKeySequence(Qt::CTRL | Qt::Key_Y),
             {}},
            {"edit_cut", QT_TRANSLATE_NOOP("menu", "Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X),
             [this] { cutItem(); }},
            {"edit_copy", QT_TRANSLATE_NOOP("menu", "&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
             [this] { copyItem(); }},
            {"edit_paste", QT_TRANSLATE_NOOP("menu", "&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
             [this] { pasteItems(); }},
            {"edit_moveup", QT_TRANSLATE_NOOP("menu", "&Move Up"),
             QKeySequence(Qt::ALT | Qt::Key_Up), [this] { moveItemUp(); }},
            {"edit_movedown", QT_TRANSLATE_NOOP("menu", "Move &Down"),
             QKeySequence(Qt::ALT | Qt::Key_Down), [this] { moveItemDown(); }},
            {"insert_text", QT_TRANSLATE_NOOP("menu", "Insert &Text"),
             QKeySequence(Qt::CTRL | Qt::Key_T), [this] { insertText(); }},
            {"insert_crlf",
             QT_TRANSLATE_NOOP("menu", "Insert &Carriage Return"),
             {},
             [this] { insertCarriageReturn(); }},
            {"insert_input", QT_TRANSLATE_NOOP("menu", "Insert &Input Dialog"),
             QKeySequence(Qt::CTRL | Qt::Key_I), [this] { insertInput(); }},
            {"insert_open", QT_TRANSLATE_NOOP("menu", "Insert &Open Dialog"),
             QKeySequence(Qt::CTRL | Qt::Key_G), [this] { insertOpen(); }},
            {"insert_file",
             QT_TRANSLATE_NOOP("menu", "Insert &File..."),
             {},
             [this] { insertFile(); }},
            {"edit_item", QT_TRANSLATE_NOOP("menu", "&Edit Item"), {}, [this] { editItem(); }},
            {"remove_item", QT_TRANSLATE_NOOP("menu", "&Remove Item..."),
             QKeySequence(Qt::Key_Delete), [this] { removeItem(); }},
            {"find_item", QT_TRANSLATE_NOOP("menu", "&Find Item..."), QKeySequence(Qt::Key_F5),
             [this] { findItem(); }},
            {"window_tilehoriz", QT_TRANSLATE_NOOP("menu", "Tile &Horizontally"),
             QKeySequence(Qt::SHIFT | Qt::Key_F7), [f] { f->Arrange(arrange::TileHorizontal); }},
            {"window_tilevert",
             QT_TRANSLATE_NOOP("menu", "Tile &Vertical"),
             {},
             [f] { f->Arrange(arrange::TileVertical); }},
            {"window_cascade", QT_TRANSLATE_NOOP("menu", "&Cascade"),
             QKeySequence(Qt::SHIFT | Qt::Key_F8), [f] { f->Arrange(arrange::Cascade); }},
            {"window_arrange", QT_TRANSLATE_NOOP("menu", "&Arrange Icons"),
             QKeySequence(Qt::SHIFT | Qt::Key_F9), [f] { f->Arrange(arrange::Icons); }},
            {"help_topics", QT_TRANSLATE_NOOP("menu", "&Help Topics"), QKeySequence(Qt::Key_F1),
             [f] { f->ShowHelpTopics(); }},
            {"help_about", QT_TRANSLATE_NOOP("menu", "&About..."), {}, [f] { f->ShowAbout(); }},
        },
        [f](const std::function<void()> &command) { runCommand(f->dialogs(), command); });
    m_menus = qs::createMenus(
        this, {
                  {"file_menu",
                   QT_TRANSLATE_NOOP("menu", "&File"),
                   {"file_new", "file_open", "file_save", "file_saveas", "-dumb1", "file_print",
                    "file_test", "-dumb2", "file_exit"}},
                  {"edit_menu",
                   QT_TRANSLATE_NOOP("menu", "&Edit"),
                   {"edit_undo", "edit_redo", "-editsep1", "edit_cut", "edit_copy", "edit_paste",
                    "-editsep2", "edit_moveup", "edit_movedown"}},
                  {"insert_menu",
                   QT_TRANSLATE_NOOP("menu", "&Item"),
                   {"insert_text", "insert_crlf", "insert_input", "insert_open", "-dumb3",
                    "insert_file", "-dumb4", "edit_item", "remove_item", "-dumb5", "find_item"}},
                  {"window_menu",
                   QT_TRANSLATE_NOOP("menu", "&Window"),
                   {"window_tilehoriz", "window_tilevert", "window_cascade", "window_arrange"}},
                  {"help_menu",
                   QT_TRANSLATE_NOOP("menu", "&Help"),
                   {"help_topics", "-dumb6", "help_about"}},
              });
    QMenu *windowMenu = m_menus[3];
    connect(windowMenu, &QMenu::aboutToShow, this,
            [this, windowMenu] { m_frame->fillWindowList(windowMenu); });
    m_itemMenu = m_menus[2];
    connect(m_itemMenu, &QMenu::aboutToShow, this, &editDlg::updateItemMenu);
    connect(m_menus[1], &QMenu::aboutToShow, this, &editDlg::updateEditMenu);
    followUndoStack(action(QStringLiteral("edit_undo")), action(QStringLiteral("edit_redo")),
                    m_document.undoStack());
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &editDlg::updateEditMenu);
}

void editDlg::createList()
{
    m_model = std::make_unique<TemplateModel>(m_document, &m_frame->images());
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setAccessibleName(translate("tagloom32", "Template items"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setItemsExpandable(false);
    m_list->setAllColumnsShowFocus(true);
    // Edit and Remove act on one row, so one row is selected at a time.
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setIconSize(QSize(16, 16));
    m_list->setModel(m_model.get());
    // A right press on the list brings up the item menu; a double click anywhere edits.
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { showItemMenu(m_list->viewport()->mapToGlobal(pos)); });
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);
    // Edit and Remove follow the selection, so that Del works whenever a row is selected.
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &editDlg::updateItemMenu);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &editDlg::updateItemMenu);
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, &editDlg::updateItemMenu);
    connect(m_model.get(), &QAbstractItemModel::rowsRemoved, this, &editDlg::updateItemMenu);
    connect(m_model.get(), &QAbstractItemModel::rowsInserted, this, &editDlg::updateEditMenu);
    connect(m_model.get(), &QAbstractItemModel::rowsMoved, this, &editDlg::updateEditMenu);
    // Rows move by dragging within the list; items from elsewhere come in where they are dropped.
    m_list->setDragEnabled(true);
    m_list->setAcceptDrops(true);
    m_list->setDropIndicatorShown(true);
    m_list->setDragDropMode(QAbstractItemView::DragDrop);
    m_list->setDefaultDropAction(Qt::MoveAction);
    QHeaderView *header = m_list->header();
    header->setAccessibleName(translate("tagloom32", "Item columns"));
    header->setStretchLastSection(false);
    const int widths[] = {6174, 2540, 2540, 2540};
    for (int column = 0; column < 4; ++column)
        header->resizeSection(column, himetric(widths[column]));

    // The list covers the whole client area at every size, minimised and restored too.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

QAction *editDlg::action(const QString &name) const
{
    return findAction(this, name);
}

void editDlg::showTitle()
{
    setWindowTitle(m_document.shownTitle());
    setAccessibleName(m_document.shownTitle());
}

bool editDlg::showResult(const FileResult &result)
{
    if (result.status == FileResult::Done)
        return true;
    const QString text = result.message();
    if (!text.isEmpty())
        m_frame->dialogs().msgBox(text, mb::OkOnly | mb::Critical);
    return false;
}

} // namespace qs::stencil
