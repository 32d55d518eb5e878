#pragma once

#include "dialogs.h"
#include "imagelist.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

class QFrame;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolButton;
class QUrl;

namespace qs::stencil {

class editDlg;

// Arrangement codes of the frame's Arrange.
namespace arrange {
inline constexpr int Cascade = 0;
inline constexpr int TileHorizontal = 1;
inline constexpr int TileVertical = 2;
inline constexpr int Icons = 3;
} // namespace arrange

// The template editor's frame: toolbar, the document windows in a multiple-document area, the
// menu while no document is open, and the file dialog every file command shares.
class frmMain : public QMainWindow
{
public:
    static inline const QString AppTitle = QStringLiteral("tagloom32");
    static inline const QString Caption = QStringLiteral("Vantrell Quillsite 97 Stencilry");

    // dialogs: null for the real ones; tests pass a scripted double.
    explicit frmMain(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget *parent = nullptr);
    ~frmMain() override;

    // False when the host is not installed: the user has been told and the program must end
    // without showing the frame.
    bool loaded() const { return m_loaded; }

    editDlg *NewDocument();
    void OpenDocument();
    // Opens path in a new document window, as Open does once a name is chosen; a template
    // already open has its window activated instead.
    editDlg *openTemplate(const QString &path);
    // The document window other than except whose file is path, under whatever name; or null.
    editDlg *documentHolding(const QString &path, const editDlg *except = nullptr) const;
    // The templates named on the command line, each in a window of its own.
    void openFiles(const QStringList &files);
    void ShowHelpTopics();
    void ShowAbout();
    void Arrange(int code);

    // The document the file and item commands work on, or null.
    editDlg *activeDocument() const;
    QList<editDlg *> documents() const;
    // Runs the active document's command called name, as its menu would.
    void activeDocumentCommand(const QString &name);
    // The frame's own command called name.
    QAction *action(const QString &name) const;
    Dialogs &dialogs() const { return *m_dialogs; }
    const ImageList &images() const { return m_images; }
    QMdiArea *mdiArea() const { return m_mdiArea; }
    QString helpFile() const { return m_helpFile; }

    // Shows CommonDialog1 and remembers the name chosen; nullopt on cancel.
    std::optional<QString> chooseTemplate(bool forSaving);
    // A file read only in part is never offered as the name to save under.
    void forgetChosenName();

    // Rebuilds the open-documents part of a "&Window" menu.
    void fillWindowList(QMenu *windowMenu);
    // A document window accepted its close.
    void documentClosed(editDlg *document);

    // The .htp files among urls, local and in their order.
    static QStringList droppedTemplates(const QList<QUrl> &urls);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createImages();
    void createActions();
    void createToolbar();
    void createClient();
    void startUp();
    // Menus and toolbar buttons follow the documents.
    void updateFrameState();
    void showMenus(QWidget *owner, const QList<QMenu *> &menus);
    void tile(bool horizontally);
    // Sizes and places a new document window.
    void place(QMdiSubWindow *sub);
    void activate(editDlg *document);
    void arrangeIcons();

    std::unique_ptr<Dialogs> m_dialogs;
    ImageList m_images;
    QList<QMenu *> m_menus;
    QPointer<QWidget> m_menuOwner; // whose menus are on the menu bar
    QFrame *m_panel = nullptr;
    QToolButton *m_buttons[5] = {};
    QMdiArea *m_mdiArea = nullptr;
    QList<editDlg *> m_documents;
    FileDialogOptions m_commonDialog; // CommonDialog1
    QString m_helpFile;
    bool m_loaded = false;
    // The frame's last placement was read, so this one may be stored over it.
    bool m_placementRead = false;
    std::optional<QPoint> m_lastPlace; // where the last new document window went
};

} // namespace qs::stencil
