#include "besideeventloop.h"
#include "commandspecs.h"
#include "editdlg.h"
#include "frmmain.h"
#include "helpviewer.h"
#include "paths.h"
#include "templateabout.h"
#include "translation.h"
#include "twips.h"
#include "windowplacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>

#include <algorithm>

namespace qs::stencil {

namespace {
const char *const WindowListProperty = "windowListEntry";

// One key for every name of a file: links and ".." resolved, a file not yet made by its folder.
QString fileKey(const QString &path)
{
    const QFileInfo info(path);
    QString key = info.canonicalFilePath();
    if (key.isEmpty()) {
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        key = folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                               : folder + QLatin1Char('/') + info.fileName();
    }
#ifdef Q_OS_WIN
    key = key.toCaseFolded();
#endif
    return key;
}
} // namespace

editDlg *frmMain::NewDocument()
{
    auto *document = new editDlg(this);
    m_documents << document;
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(QStringLiteral("editDlgFrame"));
    // Each sub-window binds the platform's close key (Ctrl+W here) in its system menu; with two
    // windows the key is ambiguous and it would shadow the Test command. The frame's Ctrl+F4
    // closes the current document instead.
    for (QAction *a : sub->systemMenu()->actions()) {
        if (a->shortcuts().contains(QKeySequence(QKeySequence::Close)) ||
            a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_F4)) {
            a->setShortcuts({});
            a->setText(a->text().section(QLatin1Char('\t'), 0, 0) + QStringLiteral("\tCtrl+F4"));
        }
    }
    place(sub);
    sub->show();
    m_mdiArea->setActiveSubWindow(sub);
    updateFrameState();
    return document;
}

void frmMain::place(QMdiSubWindow *sub)
{
    // As multiple-document frames place their windows: each one a title bar's height below and
    // to the right of the last, wholly inside the client area, back at the top left when the
    // next one would not fit there. A window takes at least half the area each way, so that
    // its list shows its columns in a large frame, and leaves room to cascade.
    const QSize area = m_mdiArea->viewport()->size();
    const QSize size = twipsSize(8100, 3900).expandedTo(area / 2).boundedTo(area * 3 / 4);
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    QPoint at = m_lastPlace ? *m_lastPlace + QPoint(step, step) : QPoint(0, 0);
    if (at.x() + size.width() > area.width() || at.y() + size.height() > area.height())
        at = QPoint(0, 0);
    sub->setGeometry(QRect(at, size));
    m_lastPlace = at;
}

std::optional<QString> frmMain::chooseTemplate(bool forSaving)
{
    // Saving over an existing file asks first, as the platform's dialog does when told to.
    m_commonDialog.flags = ofn::HideReadOnly | (forSaving ? ofn::OverwritePrompt : 0u);
    std::optional<QString> chosen =
        forSaving ? m_dialogs->saveFile(m_commonDialog) : m_dialogs->openFile(m_commonDialog);
    if (!chosen)
        return std::nullopt;
    if (forSaving)
        chosen = withDefaultExtension(*chosen, m_commonDialog.defaultExt);
    m_commonDialog.fileName = *chosen;
    return chosen;
}

void frmMain::forgetChosenName()
{
    m_commonDialog.fileName.clear();
}

void frmMain::OpenDocument()
{
    if (const std::optional<QString> path = chooseTemplate(false))
        openTemplate(*path);
}

void frmMain::openFiles(const QStringList &files)
{
    for (const QString &file : files)
        runCommand(*m_dialogs, [this, &file] { openTemplate(file); });
}

editDlg *frmMain::documentHolding(const QString &path, const editDlg *except) const
{
    const QString key = fileKey(path);
    for (editDlg *document : m_documents)
        if (document != except && !document->document().isUntitled() &&
            fileKey(document->document().title()) == key)
            return document;
    return nullptr;
}

void frmMain::activate(editDlg *document)
{
    auto *sub = qobject_cast<QMdiSubWindow *>(document->parentWidget());
    if (!sub)
        return;
    if (sub->isMinimized())
        sub->showNormal();
    m_mdiArea->setActiveSubWindow(sub);
}

editDlg *frmMain::openTemplate(const QString &path)
{
    // A second window on the same file would let one save undo the other's.
    if (editDlg *open = documentHolding(path)) {
        activate(open);
        return open;
    }
    // A template of many megabytes takes seconds to read: the windows keep painting meanwhile.
    TemplateDocument loaded;
    FileResult result;
    runBesideEventLoop(this, translate("tagloom32", "Opening %1...").arg(shownPath(path)),
                       [&] { result = loaded.OpenDocument(path); });
    editDlg *document = NewDocument();
    document->document().replaceWith(std::move(loaded));
    if (result.pathForgotten)
        forgetChosenName();
    document->showTitle();
    document->showResult(result);
    return document;
}

void frmMain::ShowHelpTopics()
{
    const QString error = launchHelpViewer(m_helpFile);
    if (!error.isEmpty())
        m_dialogs->msgBox(error, mb::OkOnly | mb::Critical);
}

void frmMain::ShowAbout()
{
    AboutBox::open(aboutInfo(), this);
}

void frmMain::Arrange(int code)
{
    switch (code) {
    case arrange::Cascade:
        m_mdiArea->cascadeSubWindows();
        break;
    case arrange::TileHorizontal:
        tile(true);
        break;
    case arrange::TileVertical:
        tile(false);
        break;
    case arrange::Icons:
        arrangeIcons();
        break;
    default:
        break;
    }
}

void frmMain::tile(bool horizontally)
{
    QList<QMdiSubWindow *> windows;
    bool icons = false;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isMinimized())
            icons = true;
        else if (!sub->isHidden())
            windows << sub;
    }
    if (windows.isEmpty())
        return;
    // Windows are laid side by side (vertically) or one above the other (horizontally),
    // leaving the row of icons free.
    QRect area = m_mdiArea->viewport()->rect();
    if (icons)
        area.setBottom(area.bottom() - windows.front()->minimumSizeHint().height());
    const int n = static_cast<int>(windows.size());
    for (int k = 0; k < n; ++k) {
        QMdiSubWindow *sub = windows[k];
        if (sub->isMaximized())
            sub->showNormal();
        QRect r;
        if (horizontally) {
            const int top = area.top() + area.height() * k / n;
            r = QRect(area.left(), top, area.width(),
                      area.top() + area.height() * (k + 1) / n - top);
        } else {
            const int left = area.left() + area.width() * k / n;
            r = QRect(left, area.top(), area.left() + area.width() * (k + 1) / n - left,
                      area.height());
        }
        sub->setGeometry(r);
    }
    if (icons)
        arrangeIcons();
}

void frmMain::arrangeIcons()
{
    const QRect area = m_mdiArea->viewport()->rect();
    int x = area.left();
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        sub->move(x, y - size.height());
        x += size.width();
    }
}

void frmMain::fillWindowList(QMenu *windowMenu)
{
    for (QAction *a : windowMenu->actions())
        if (a->property(WindowListProperty).toBool())
            delete a;
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    QMdiSubWindow *current = m_mdiArea->currentSubWindow();
    int number = 0;
    for (QMdiSubWindow *sub : windows) {
        auto *document = qobject_cast<editDlg *>(sub->widget());
        if (!m_documents.contains(document))
            continue;
        if (number == 0)
            windowMenu->addSeparator()->setProperty(WindowListProperty, true);
        QString title = document->document().shownTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // Access keys 1 to 9: a tenth "&1" would repeat the first one's.
        ++number;
        QAction *entry =
            windowMenu->addAction((number <= 9 ? QStringLiteral("&%1 %2") : QStringLiteral("%1 %2"))
                                      .arg(number)
                                      .arg(title));
        entry->setProperty(WindowListProperty, true);
        entry->setObjectName(QStringLiteral("window_list%1").arg(number));
        entry->setCheckable(true);
        entry->setChecked(sub == current);
        connect(entry, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (!sub)
                return;
            if (sub->isMinimized())
                sub->showNormal();
            m_mdiArea->setActiveSubWindow(sub);
        });
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Each document runs its close check; a Cancel keeps it, and the frame with it.
    for (editDlg *document : documents()) {
        QWidget *sub = document->parentWidget();
        if (!(sub ? sub->close() : document->close())) {
            event->ignore();
            return;
        }
    }
    if (m_placementRead)
        saveWindowPlacement(this, AppTitle, *m_dialogs);
    event->accept();
}

} // namespace qs::stencil
