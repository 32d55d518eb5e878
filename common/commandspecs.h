#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace qs {

class Dialogs;

struct ActionSpec
{
    const char *name;
    const char *caption;
    QKeySequence shortcut;
    std::function<void()> handler; // empty: the command is not built yet
};

struct MenuSpec
{
    const char *name;
    const char *caption;
    std::vector<const char *> items; // "-name" rows are separators called name
};

// Runs a command's handler; windows pass runCommand, so that nothing thrown leaves a command.
using CommandRunner = std::function<void(const std::function<void()> &)>;

// Creates owner's commands as QActions named after their menu names. They are added to no
// widget: a command's key works only while its menu is on the menu bar.
void createActions(QWidget *owner, std::initializer_list<ActionSpec> specs,
                   const CommandRunner &run = {});
// The owner's menus, filled with its actions; the caller puts them on a menu bar.
QList<QMenu *> createMenus(QWidget *owner, std::initializer_list<MenuSpec> specs);
// owner's command called name, or null.
QAction *findAction(const QWidget *owner, const QString &name);
// A toolbar button's tip: its command, and the keys that run it too, as "Open (Ctrl+O)".
QString toolTipWithKeys(const QString &command, const QKeySequence &keys);

// Runs command at an event handler's boundary: whatever it throws ends there, and the user is
// told the command could not be completed.
void runCommand(Dialogs &dialogs, const std::function<void()> &command);

} // namespace qs
