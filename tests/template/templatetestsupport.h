#pragma once

#include "editdlg.h"
#include "frmmain.h"
#include "hostinterface.h"
#include "paths.h"
#include "scripteddialogs.h"
#include "settingsstore.h"
#include "templatedocsupport.h"
#include "templatedocument.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <functional>

#include <memory>
#include <optional>

namespace qs::test {

// The texts of a document window's items in order.
inline QStringList texts(const stencil::editDlg *d)
{
    return texts(d->document());
}

// Runs act on the next modal dialog once it is up; act must close it.
inline void whenModal(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// The same for the next pop-up menu.
inline void whenPopup(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            timer->stop();
            timer->deleteLater();
            act(popup);
        }
    });
    timer->start();
}

inline void setHost(const QString &folder)
{
    SettingsStore::set(host::SettingsApp, host::GeneralSection, host::InstallFolderKey, folder);
}

// The frame on a host install, shown and active, with scripted dialogs.
struct Stencilry
{
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<stencil::frmMain> frame;

    explicit Stencilry(bool show = true)
    {
        setHost(QStringLiteral("C:\\Quillsite97"));
        auto scripted = std::make_unique<ScriptedDialogs>(QStringLiteral("tagloom32"));
        dialogs = scripted.get();
        frame = std::make_unique<stencil::frmMain>(std::move(scripted));
        if (show) {
            frame->show();
            QApplication::setActiveWindow(frame.get());
            EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        }
    }

    // The command of that name on the menus now on the menu bar, as the user reaches it.
    QAction *command(const QString &name) const
    {
        for (QAction *top : frame->menuBar()->actions())
            if (QMenu *menu = top->menu())
                for (QAction *a : menu->actions())
                    if (a->objectName() == name)
                        return a;
        return nullptr;
    }
    void trigger(const QString &name) const
    {
        QAction *a = command(name);
        ASSERT_NE(a, nullptr) << name.toStdString() << " is not on the menu bar";
        a->trigger();
    }
    QStringList menuNames() const
    {
        QStringList names;
        for (QAction *top : frame->menuBar()->actions())
            names << top->objectName();
        return names;
    }
    stencil::editDlg *active() const { return frame->activeDocument(); }
    QStringList titles() const
    {
        QStringList out;
        for (stencil::editDlg *d : frame->documents())
            out << d->windowTitle();
        return out;
    }
    stencil::editDlg *newDocument()
    {
        trigger(QStringLiteral("file_new"));
        return active();
    }
    stencil::editDlg *open(const QString &path)
    {
        dialogs->answerOpen(path);
        trigger(QStringLiteral("file_open"));
        return active();
    }
    // Marks the active document changed the way Insert File does, even when cancelled.
    void touch()
    {
        dialogs->answerOpen(std::nullopt);
        trigger(QStringLiteral("insert_file"));
    }
};

} // namespace qs::test
