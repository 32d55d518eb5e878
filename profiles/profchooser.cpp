#include "profchooser.h"
#include "translation.h"

#include "captionbitmaps.h"
#include "captionfit.h"
#include "helpviewer.h"
#include "hostinterface.h"
#include "paths.h"
#include "profilecommands.h"
#include "programicon.h"
#include "settingsstore.h"
#include "stripcontrols.h"
#include "titlestrip.h"
#include "twips.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSystemTrayIcon>
#include <QTimer>

#include <limits>

namespace qs::profiles {

namespace {

QPushButton *button(const char *name, const QString &text, const QRect &place, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(QString(text).remove(u'&'));
    b->setGeometry(place);
    // Enter on a focused button presses it; anywhere else it presses Apply.
    b->setAutoDefault(true);
    return b;
}

QLineEdit *field(const char *name, const QString &purpose, const QRect &place, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(purpose);
    edit->setGeometry(place);
    // A stored value of any length is shown and saved back whole.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

void label(const char *name, const QString &text, const QRect &place, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAccessibleName(text);
    l->setGeometry(place);
}

// The first row of that name, compared exactly; -1 for none.
int rowNamed(const ProfileList &list, const QString &name)
{
    for (qsizetype i = 0; i < list.rows.size(); ++i) {
        if (list.rows[i].name == name)
            return int(i);
    }
    return -1;
}

} // namespace

ProfChooser::ProfChooser(std::unique_ptr<Dialogs> dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(AppTitle, this))
{
    setObjectName(QStringLiteral("ProfChooser"));
    setWindowTitle(Caption);
    setAccessibleName(Caption);
    // The desktop's own sizes; the title strip draws the program's small icon itself.
    setWindowIcon(hicolorIcon(QStringLiteral("seatpick")));
    setFixedSize(twipsSize(4650, 3990));
    createTitleStrip();
    createControls();
    createFrame();
    layOutForFont(this);
    createTray();
    watchNotificationArea();
    watchStores();
    createHelp();
    connectHandlers();
    load();
}

ProfChooser::~ProfChooser() = default;

void ProfChooser::createTitleStrip()
{
    m_shape = new FrameLine(this);
    m_shape->setObjectName(QStringLiteral("Shape1"));
    m_shape->setAccessibleName(translate("seatpick", "Frame line"));
    m_strip = new TitleStrip(this);
    m_strip->setGeometry(twips(0, 0, 4650, TitleStrip::HeightTwips));
}

void ProfChooser::createControls()
{
    m_instructions = new DragLabel(translate("seatpick", Instructions), 0, this);
    m_instructions->setWordWrap(true);
    m_instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_instructions->setGeometry(twips(45, 360, 4515, 645));

    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("Combo1"));
    m_combo->setAccessibleName(translate("seatpick", "Profile"));
    m_combo->setEditable(false);
    m_combo->setGeometry(twips(45, 1125, 3480, 315));

    m_apply =
        button("cmdApply", translate("seatpick", "&Apply"), twips(3555, 1125, 1005, 285), this);
    m_apply->setDefault(true);

    // Remove Profile: on the list's context menu, and Del in the list or its drop-down.
    m_remove = new QAction(translate("seatpick", "Remove Profile"), this);
    m_remove->setObjectName(QStringLiteral("remove_profile"));
    m_remove->setShortcut(QKeySequence::Delete);
    m_remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_remove->setEnabled(false);
    m_combo->addAction(m_remove);
    m_combo->view()->addAction(m_remove);
    m_combo->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ProfChooser::createFrame()
{
    m_frame = new QGroupBox(translate("seatpick", "Profile Properties"), this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setAccessibleName(m_frame->title());
    m_frame->setGeometry(twips(45, 1530, 4515, 2310));

    label("Label2", translate("seatpick", "Name:"), twips(135, 315, 555, 240), m_frame);
    m_name = field("txtName", translate("seatpick", "Name"), twips(1350, 270, 2985, 330), m_frame);
    label("Label3", translate("seatpick", "User Name:"), twips(135, 720, 870, 240), m_frame);
    m_user = field("txtUserName", translate("seatpick", "User Name"), twips(1350, 675, 2985, 330),
                   m_frame);
    label("Label4", translate("seatpick", "Email Address:"), twips(135, 1125, 1140, 240), m_frame);
    m_email = field("txtEmail", translate("seatpick", "Email Address"),
                    twips(1350, 1080, 2985, 330), m_frame);
    label("Label5", translate("seatpick", "Server Path:"), twips(135, 1530, 1050, 240), m_frame);
    m_server = field("txtServer", translate("seatpick", "Server Path"),
                     twips(1350, 1485, 2985, 330), m_frame);
    m_new = button("cmdNew", translate("seatpick", "&New"), twips(1890, 1890, 1140, 330), m_frame);
    m_update = button("cmdUpdate", translate("seatpick", "&Update"), twips(3150, 1890, 1140, 330),
                      m_frame);
}

void ProfChooser::createTray()
{
    m_tray = new QSystemTrayIcon(programIcon(), this);
    m_tray->setObjectName(QStringLiteral("cSysTray1"));
    m_tray->setToolTip(TrayTip);
    m_tray->show();
}

void ProfChooser::watchStores()
{
    // Many changes in a row, as one save makes, are read once.
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(150);
    connect(m_refresh, &QTimer::timeout, this, &ProfChooser::refreshFromStores);
#ifdef Q_OS_WIN
    // The host's settings live in the registry there: a look each second is as current.
    auto *poll = new QTimer(this);
    poll->setInterval(1000);
    connect(poll, &QTimer::timeout, m_refresh, qOverload<>(&QTimer::start));
    poll->start();
#else
    // The folder, too: a store is replaced by a new file, and one made later is seen there.
    const QString store = SettingsStore::filePath(StoreApp);
    const QString folder = QFileInfo(store).absolutePath();
    const QStringList paths{store, SettingsStore::filePath(host::SettingsApp), folder};
    QDir().mkpath(folder);
    auto *watcher = new QFileSystemWatcher(this);
    const auto watchAll = [watcher, paths] {
        for (const QString &path : paths) {
            if (QFileInfo::exists(path) && !watcher->files().contains(path) &&
                !watcher->directories().contains(path))
                watcher->addPath(path);
        }
    };
    watchAll();
    const auto changed = [this, watchAll] {
        watchAll();
        m_refresh->start();
    };
    connect(watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, changed);
#endif
}

void ProfChooser::createHelp()
{
    m_helpFile = programDirectory() + QStringLiteral("\\help\\seatpick.hlp");
    auto *help = new QAction(this);
    help->setObjectName(QStringLiteral("help_contents"));
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, [this] {
        const QString error = launchHelpViewer(m_helpFile);
        if (!error.isEmpty())
            m_dialogs->msgBox(error, mb::OkOnly | mb::Critical);
    });
    addAction(help);
}

void ProfChooser::connectHandlers()
{
    // The handler runs for the program's selections and for every pick, even of the same entry.
    connect(m_combo, &QComboBox::currentIndexChanged, this, &ProfChooser::comboSelected);
    connect(m_combo, &QComboBox::activated, this, &ProfChooser::comboSelected);
    for (QLineEdit *edit : {m_name, m_user, m_email, m_server}) {
        connect(edit, &QLineEdit::textChanged, this, &ProfChooser::fieldChanged);
        connect(edit, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    }
    connect(m_remove, &QAction::triggered, this, &ProfChooser::removePickedProfile);
    connect(m_new, &QPushButton::clicked, this, &ProfChooser::newProfile);
    connect(m_update, &QPushButton::clicked, this, &ProfChooser::updateProfile);
    connect(m_apply, &QPushButton::clicked, this, &ProfChooser::applyProfile);

    connect(m_strip, &TitleStrip::stripPressed, this, [this] { MoveTitle(Qt::LeftButton); });
    connect(m_strip, &TitleStrip::wordPressed, this, &ProfChooser::MoveTitle);
    connect(m_instructions, &DragLabel::pressed, this, &ProfChooser::MoveTitle);
    connect(m_strip, &TitleStrip::iconDoubleClicked, this, &ProfChooser::unload);
    connect(m_strip->minimizeButton(), &QAbstractButton::clicked, this,
            &ProfChooser::minimizeWindow);
    connect(m_strip->closeButton(), &QAbstractButton::clicked, this, [this] {
        activateWindow();
        unload();
    });
    connect(m_tray, &QSystemTrayIcon::activated, this, &ProfChooser::trayPressed);

    // A change of the display configuration repaints the title.
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &ProfChooser::paintTitle);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &ProfChooser::paintTitle);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &ProfChooser::paintTitle);
}

bool ProfChooser::hasNotificationArea() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void ProfChooser::load()
{
    m_inactive = false;
    LoadSettings();
    // Without a notification area nothing could ever bring a hidden window back.
    if (!hasNotificationArea())
        show();
    else
        m_trayWatch->start();
}

void ProfChooser::LoadSettings()
{
    try {
        m_rows = readProfileList(programDirectory());
    } catch (const StoreReadError &error) {
        // The list stays as it was: an empty one would look as if every profile were gone.
        m_dialogs->msgBox(storeReadMessage(error), mb::OkOnly | mb::Critical);
        return;
    }
    m_typed = false;
    fillList();
    if (m_rows.selectFirst)
        m_combo->setCurrentIndex(0);
}

void ProfChooser::fillList()
{
    const QSignalBlocker blocker(m_combo);
    m_combo->clear();
    QFont bold = m_combo->font();
    bold.setBold(true);
    const Profile &current = m_rows.rows.first();
    for (const Profile &row : m_rows.rows) {
        m_combo->addItem(row.name);
        const bool active = m_combo->count() > 1 && row.user == current.user &&
                            row.email == current.email && row.server == current.server;
        if (active)
            m_combo->setItemData(m_combo->count() - 1, bold, Qt::FontRole);
    }
    m_combo->setCurrentIndex(-1);
}

int ProfChooser::pickedRow() const
{
    return rowNamed(m_rows, m_combo->currentText());
}

void ProfChooser::refreshFromStores()
{
    ProfileList rows;
    try {
        rows = readProfileList(programDirectory());
    } catch (const StoreReadError &) {
        // Said at the user's next command; a watch that fires cannot interrupt with a message.
        return;
    }
    if (rows.rows == m_rows.rows && rows.sections == m_rows.sections)
        return;
    const QString picked = m_combo->currentText();
    const bool blankOfNew = m_combo->currentIndex() >= 0 && picked.isEmpty();
    m_rows = rows;
    fillList();
    const QSignalBlocker blocker(m_combo);
    if (blankOfNew) {
        m_combo->insertItem(0, QString());
        m_combo->setCurrentIndex(0);
        return;
    }
    int at = rowNamed(m_rows, picked);
    if (at < 0 && m_rows.selectFirst)
        at = 0;
    m_combo->setCurrentIndex(at);
    if (!m_typed && at >= 0)
        comboSelected();
}

void ProfChooser::removePickedProfile()
{
    const int row = pickedRow();
    if (row < 1)
        return;
    const QString question =
        translate("seatpick", "Remove the profile %1?").arg(m_rows.rows[row].name);
    if (m_dialogs->msgBox(question, mb::YesNo | mb::Question) != mb::Yes)
        return;
    StoreFailure failure;
    rebuildUnlessFailed(removeProfile(m_rows.sections[row], &failure)
                            ? QList<StoreFailure>{}
                            : QList<StoreFailure>{failure});
}

void ProfChooser::bringToFront()
{
    trayPressed();
}

Profile ProfChooser::fields() const
{
    return {m_name->text(), m_user->text(), m_email->text(), m_server->text()};
}

void ProfChooser::comboSelected()
{
    // The first row of that name; the blank entry of New finds none.
    m_remove->setEnabled(pickedRow() >= 1);
    const int picked = pickedRow();
    if (picked < 0)
        return;
    m_typed = false;
    const Profile &row = m_rows.rows[picked];
    m_name->setText(row.name);
    m_user->setText(row.user);
    m_email->setText(row.email);
    m_server->setText(row.server);
}

void ProfChooser::fieldChanged()
{
    m_update->setEnabled(allFieldsFilled(fields()));
}

void ProfChooser::newProfile()
{
    m_update->setEnabled(false);
    m_combo->insertItem(0, QString());
    m_combo->setCurrentIndex(0);
    for (QLineEdit *edit : {m_user, m_name, m_email, m_server})
        edit->clear();
    m_name->setFocus();
}

void ProfChooser::updateProfile()
{
    const Profile f = fields();
    switch (updateStep(f)) {
    case UpdateStep::RefuseUnderscore:
        m_dialogs->msgBox(translate("seatpick", UnderscoreMessage));
        return;
    case UpdateStep::RefuseMissing:
        m_dialogs->msgBox(translate("seatpick", MissingFieldMessage));
        return;
    case UpdateStep::ConfirmCurrent:
        if (!confirm())
            return;
        rebuildUnlessFailed(applyHostSettings(f));
        return;
    case UpdateStep::SaveProfile: {
        StoreFailure failure;
        rebuildUnlessFailed(saveProfile(f, &failure) ? QList<StoreFailure>{}
                                                     : QList<StoreFailure>{failure});
        return;
    }
    }
}

void ProfChooser::applyProfile()
{
    if (!confirm())
        return;
    rebuildUnlessFailed(applyHostSettings(fields()));
}

void ProfChooser::rebuildUnlessFailed(const QList<StoreFailure> &failures)
{
    // After a failed write the fields, the list and the pick stay as they were, so what the
    // user typed is still there to try again.
    if (failures.isEmpty()) {
        LoadSettings();
        return;
    }
    m_dialogs->msgBox(failureMessage(failures), mb::OkOnly | mb::Critical);
}

bool ProfChooser::confirm()
{
    return m_dialogs->msgBox(translate("seatpick", ConfirmMessage), mb::YesNo,
                             translate("seatpick", ConfirmCaption)) == mb::Yes;
}

void ProfChooser::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_apply->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProfChooser::closeEvent(QCloseEvent *event)
{
    m_tray->hide();
    m_trayWatch->stop();
    QWidget::closeEvent(event);
    emit unloaded();
}

} // namespace qs::profiles
