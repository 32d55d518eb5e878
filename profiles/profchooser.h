#pragma once

#include "dialogs.h"
#include "profilestore.h"
#include "translation.h"

#include <QWidget>

#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSystemTrayIcon;
class QTimer;

namespace qs::profiles {

class DragLabel;
class FrameLine;
class TitleStrip;

// The profile chooser: a frameless window with its own painted title strip, the list of
// profiles, the four fields of the picked one and the New, Update and Apply buttons. It lives
// in the notification area; the store and the rules of the commands are elsewhere.
class ProfChooser : public QWidget
{
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Tandem!Pad for LANs Pickwell");
    static inline const QString TrayTip = QStringLiteral("Quillsite Tandem!Pad for LANs Pickwell");
    static constexpr const char *Instructions = QT_TRANSLATE_NOOP(
        "seatpick",
        "Please choose a profile from the list, and click Apply to make the necessary changes.  "
        "Note:  Close all connected windows and the chat window before changing profiles.");

    // dialogs: null for the real ones; tests pass a scripted double.
    explicit ProfChooser(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget *parent = nullptr);
    ~ProfChooser() override;

    // Rebuilds the rows and the list from the stores.
    void LoadSettings();
    // Follows what another program changed in the stores: the list, and the fields unless the
    // user has typed in them since the last pick, Update or Apply.
    void refreshFromStores();
    // Asks, then removes the picked profile; "Current" is not a profile and stays.
    void removePickedProfile();
    // Shows the window as a press on the notification-area icon does.
    void bringToFront();
    // Paints the title strip fading from (red, green, blue) to black.
    void DoTitle(int red, int green, int blue);
    // Starts moving the window as a drag on a caption would: by the window manager's move for
    // the left button (a label moves the window itself for the others).
    void MoveTitle(Qt::MouseButton button);

    bool isInactive() const { return m_inactive; }
    Profile fields() const;
    // The rows behind the list, as the stores held them at the last rebuild.
    const ProfileList &rows() const { return m_rows; }
    QString helpFile() const { return m_helpFile; }
    TitleStrip *titleStrip() const { return m_strip; }
    QSystemTrayIcon *trayIcon() const { return m_tray; }

signals:
    // The window asked the window manager to move it.
    void moveRequested();
    // The window was unloaded: the program ends.
    void unloaded();

protected:
    // Whether the desktop shows notification-area icons; the load handler asks this class's own.
    virtual bool hasNotificationArea() const;

    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createTitleStrip();
    void createControls();
    void createFrame();
    void createTray();
    void watchNotificationArea();
    // F1 opens the program's manual.
    void createHelp();
    void connectHandlers();
    void load();
    // Watches the store files, so that the list follows other programs' changes.
    void watchStores();
    // The list's entries from m_rows, the profile the host has now in bold.
    void fillList();
    // The row of m_rows the list shows picked; -1 for none, as for the blank entry of New.
    int pickedRow() const;

    void comboSelected();
    void fieldChanged();
    void newProfile();
    void updateProfile();
    void applyProfile();
    bool confirm();
    // Rebuilds the list after writes that all succeeded; otherwise says which file and why.
    void rebuildUnlessFailed(const QList<StoreFailure> &failures);
    // The paint handler: the strip's colours for the inactive flag.
    QColor titleColour() const;
    void paintTitle();
    void trayPressed();
    void minimizeWindow();
    void unload();

    std::unique_ptr<Dialogs> m_dialogs;
    ProfileList m_rows;
    QString m_helpFile;
    bool m_inactive = false;
    TitleStrip *m_strip = nullptr;
    FrameLine *m_shape = nullptr;
    DragLabel *m_instructions = nullptr;
    QComboBox *m_combo = nullptr;
    QPushButton *m_apply = nullptr;
    QGroupBox *m_frame = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_email = nullptr;
    QLineEdit *m_server = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_update = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QTimer *m_trayWatch = nullptr;
    QTimer *m_refresh = nullptr;
    QAction *m_remove = nullptr;
    // The user typed in a field since the last pick, Update or Apply.
    bool m_typed = false;
};

} // namespace qs::profiles
