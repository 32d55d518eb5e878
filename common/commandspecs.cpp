#include "commandspecs.h"

#include "dialogs.h"
#include "translation.h"

#include <QAction>
#include <QMenu>

#include <exception>

namespace qs {

void createActions(QWidget *owner, std::initializer_list<ActionSpec> specs,
                   const CommandRunner &run)
{
    for (const ActionSpec &spec : specs) {
        auto *a = new QAction(translate("menu", spec.caption), owner);
        a->setObjectName(QLatin1String(spec.name));
        a->setShortcut(spec.shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        if (spec.handler && run)
            QObject::connect(a, &QAction::triggered, owner, [run, h = spec.handler] { run(h); });
        else if (spec.handler)
            QObject::connect(a, &QAction::triggered, owner, spec.handler);
    }
}

QList<QMenu *> createMenus(QWidget *owner, std::initializer_list<MenuSpec> specs)
{
    QList<QMenu *> menus;
    for (const MenuSpec &spec : specs) {
        auto *menu = new QMenu(translate("menu", spec.caption), owner);
        menu->setObjectName(QLatin1String(spec.name));
        menu->menuAction()->setObjectName(QLatin1String(spec.name));
        for (const char *item : spec.items) {
            if (item[0] == '-')
                menu->addSeparator()->setObjectName(QLatin1String(item + 1));
            else
                menu->addAction(findAction(owner, QLatin1String(item)));
        }
        menus << menu;
    }
    return menus;
}

QAction *findAction(const QWidget *owner, const QString &name)
{
    return owner->findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void runCommand(Dialogs &dialogs, const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &e) {
        dialogs.msgBox(translate("common", "The command could not be completed.\r\n\r\n%1")
                           .arg(QString::fromLocal8Bit(e.what())),
                       mb::OkOnly | mb::Critical);
    } catch (...) {
        dialogs.msgBox(translate("common", "The command could not be completed."),
                       mb::OkOnly | mb::Critical);
    }
}

QString toolTipWithKeys(const QString &command, const QKeySequence &keys)
{
    if (keys.isEmpty())
        return command;
    return command + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + u')';
}

} // namespace qs
