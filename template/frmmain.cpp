#include "frmmain.h"
#include "translation.h"

#include "commandspecs.h"
#include "editdlg.h"
#include "hostinterface.h"
#include "paths.h"
#include "pictures.h"
#include "programicon.h"
#include "settingsstore.h"
#include "twips.h"
#include "windowplacement.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qs::stencil {

namespace {
constexpr int ClientWidth = 8445;
constexpr int ClientHeight = 5100;

const char *const HostMissing = QT_TRANSLATE_NOOP(
    "tagloom32",
    "You must have Quillsite 97 installed on this system before you can run Stencilry.  If you "
    "have just installed Quillsite and are receiving this message, please run Quillsite and "
    "then try to run this application again.");
} // namespace

frmMain::frmMain(std::unique_ptr<Dialogs> dialogs, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(AppTitle, this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Caption);
    setAccessibleName(Caption);
    setWindowIcon(hicolorIcon(QStringLiteral("tagloom32")));
    createImages();
    createActions();
    createToolbar();
    createClient();
    // Templates dropped from a file manager open as Open opens them.
    setAcceptDrops(true);
    startUp();
}

frmMain::~frmMain()
{
    // The documents go first: their lists still draw with the frame's pictures on the way out.
    menuBar()->clear();
    delete m_mdiArea;
}

void frmMain::createImages()
{
    // ImageList1 of the document windows, by item kind.
    m_images.add(picture(Picture::OpenBook));
    m_images.add(picture(Picture::ArrowLeft));
    m_images.add(picture(Picture::QuestionBalloon));
    m_images.add(picture(Picture::FloppyDisk));
}

void frmMain::createActions()
{
    qs::createActions(
        this,
        {
            {"file_new", QT_TRANSLATE_NOOP("menu", "&New"), QKeySequence(Qt::CTRL | Qt::Key_N),
             [this] { NewDocument(); }},
            {"file_open", QT_TRANSLATE_NOOP("menu", "&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
             [this] { OpenDocument(); }},
            {"file_exit", QT_TRANSLATE_NOOP("menu", "E&xit"), {}, [this] { close(); }},
            {"help_topics", QT_TRANSLATE_NOOP("menu", "&Help Topics"), QKeySequence(Qt::Key_F1),
             [this] { ShowHelpTopics(); }},
            {"help_about", QT_TRANSLATE_NOOP("menu", "&About..."), {}, [this] { ShowAbout(); }},
        },
        [this](const std::function<void()> &command) { runCommand(*m_dialogs, command); });
    m_menus = qs::createMenus(this, {
                                        {"file_menu",
                                         QT_TRANSLATE_NOOP("menu", "&File"),
                                         {"file_new", "file_open", "-dumb1", "file_exit"}},
                                        {"help_menu",
                                         QT_TRANSLATE_NOOP("menu", "&Help"),
                                         {"help_topics", "-dumb2", "help_about"}},
                                    });

    // The one close key of the documents, so that it never competes with a command's key.
    auto *closeDocument = new QAction(translate("tagloom32", "Close Document"), this);
    closeDocument->setObjectName(QStringLiteral("window_close"));
    closeDocument->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    connect(closeDocument, &QAction::triggered, this, [this] {
        if (QMdiSubWindow *sub = m_mdiArea->currentSubWindow())
            sub->close();
    });
    addAction(closeDocument);
}

void frmMain::createToolbar()
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("SSPanel1"));
    m_panel->setAccessibleName(translate("tagloom32", "Toolbar"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *row = new QHBoxLayout(m_panel);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);

    // Grips and the divider are as tall as the buttons beside them.
    const auto panel = [this, row](const char *name, const QString &what, int width) {
        auto *p = new QFrame(m_panel);
        p->setObjectName(QLatin1String(name));
        p->setAccessibleName(what);
        p->setFrameStyle(QFrame::Panel | QFrame::Raised);
        p->setFixedWidth(width);
        row->addWidget(p);
    };

    struct ButtonSpec
    {
        const char *name;
        const char *purpose;
        Picture picture;
        std::function<void()> handler;
        QKeySequence keys; // of the menu command it runs
    };
    const ButtonSpec buttons[] = {
        {"SoftBttn1", QT_TRANSLATE_NOOP("tagloom32", "New"), Picture::BlankPage,
         [this] { NewDocument(); }, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"SoftBttn2", QT_TRANSLATE_NOOP("tagloom32", "Open"), Picture::OpenFolder,
         [this] { OpenDocument(); }, QKeySequence(Qt::CTRL | Qt::Key_O)},
        // Save and Print of the document the file commands work on.
        {"SoftBttn3", QT_TRANSLATE_NOOP("tagloom32", "Save"), Picture::FloppyDisk,
         [this] { activeDocumentCommand(QStringLiteral("file_save")); },
         QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"SoftBttn4", QT_TRANSLATE_NOOP("tagloom32", "Print"), Picture::Printer,
         [this] { activeDocumentCommand(QStringLiteral("file_print")); },
         QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"SoftBttn5", QT_TRANSLATE_NOOP("tagloom32", "Help Topics"), Picture::QuestionMark,
         [this] { ShowHelpTopics(); }, QKeySequence(Qt::Key_F1)},
    };
    // Icons and buttons as large as the style makes them, so they grow with the desktop.
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const auto addButton = [&, this](int k) {
        const ButtonSpec &b = buttons[k];
        auto *button = new QToolButton(m_panel);
        button->setObjectName(QLatin1String(b.name));
        button->setAccessibleName(translate("tagloom32", b.purpose));
        button->setToolTip(toolTipWithKeys(translate("tagloom32", b.purpose), b.keys));
        button->setAutoRaise(true);
        button->setIcon(picture(b.picture));
        button->setIconSize(QSize(iconSize, iconSize));
        const QSize hint = button->sizeHint();
        button->setFixedSize(QSize(1, 1) * std::max(hint.width(), hint.height()));
        connect(button, &QToolButton::clicked, this, b.handler);
        row->addWidget(button);
        m_buttons[k] = button;
    };

    panel("SSPanel2", translate("tagloom32", "Toolbar grip"), 3);
    panel("SSPanel3", translate("tagloom32", "Toolbar grip"), 3);
    row->addSpacing(3);
    for (int k = 0; k < 4; ++k) {
        if (k > 0)
            row->addSpacing(1);
        addButton(k);
    }
    row->addSpacing(4);
    panel("SSPanel4", translate("tagloom32", "Divider"), 2);
    row->addSpacing(4);
    addButton(4);
    row->addStretch(1);
    m_buttons[2]->setEnabled(false);
    m_buttons[3]->setEnabled(false);
}

void frmMain::createClient()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_panel);

    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    m_mdiArea->setAccessibleName(translate("tagloom32", "Documents"));
    m_mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    // A window lying partly outside the area can be scrolled to.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::updateFrameState);

    showMenus(this, m_menus);
    // As designed, or larger where the font or style need it. Not the area's size hint: that is
    // a share of the screen.
    const int frame = 2 * m_mdiArea->frameWidth();
    resize(QSize(twips(ClientWidth) + frame, menuBar()->sizeHint().height() +
                                                 m_panel->sizeHint().height() +
                                                 twips(ClientHeight) + frame)
               .expandedTo(minimumSizeHint()));
}

void frmMain::startUp()
{
    QString path;
    try {
        path = host::installFolder(host::TemplateHostDefault);
    } catch (const StoreReadError &error) {
        // Not "not installed": the host may well be there, its setting only unreadable now.
        m_dialogs->msgBox(storeReadMessage(error), mb::OkOnly | mb::Critical);
        return;
    }
    if (!host::isPresent(path, host::TemplateHostDefault)) {
        m_dialogs->msgBox(translate("tagloom32", HostMissing), mb::OkOnly | mb::Critical,
                          translate("tagloom32", "Quillsite Not Found"));
        return;
    }
    action(QStringLiteral("file_exit"))
        ->setText(translate("menu", "E&xit") + QStringLiteral("\tAlt+F4"));
    m_commonDialog = {translate("tagloom32", "Templates|*.htp|All Files|*.*|"),
                      QStringLiteral(".htp"),
                      ofn::HideReadOnly,
                      {},
                      {}};
    m_helpFile = programDirectory() + QStringLiteral("\\Help\\tagloom32.hlp");
    m_loaded = true;
    m_placementRead = restoreWindowPlacement(this, AppTitle, *m_dialogs);
}

QAction *frmMain::action(const QString &name) const
{
    return findAction(this, name);
}

editDlg *frmMain::activeDocument() const
{
    // The current sub-window stays current while another program has the focus.
    QMdiSubWindow *sub = m_mdiArea->currentSubWindow();
    auto *document = sub ? qobject_cast<editDlg *>(sub->widget()) : nullptr;
    return m_documents.contains(document) ? document : nullptr;
}

void frmMain::activeDocumentCommand(const QString &name)
{
    if (editDlg *document = activeDocument())
        document->action(name)->trigger();
}

QList<editDlg *> frmMain::documents() const
{
    return m_documents;
}

void frmMain::documentClosed(editDlg *document)
{
    m_documents.removeOne(document);
    updateFrameState();
}

void frmMain::updateFrameState()
{
    const bool open = !m_documents.isEmpty();
    m_buttons[2]->setEnabled(open);
    m_buttons[3]->setEnabled(open);
    if (!open)
        showMenus(this, m_menus);
    else if (editDlg *active = activeDocument())
        showMenus(active, active->menus());
}

void frmMain::showMenus(QWidget *owner, const QList<QMenu *> &menus)
{
    if (m_menuOwner == owner)
        return;
    menuBar()->clear();
    for (QMenu *menu : menus)
        menuBar()->addMenu(menu);
    m_menuOwner = owner;
}

} // namespace qs::stencil
