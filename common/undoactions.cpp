#include "undoactions.h"
#include "translation.h"

#include <QAction>
#include <QUndoStack>

namespace qs {

namespace {

void follow(QAction *action, QUndoStack *stack, bool undo)
{
    const auto update = [action, stack, undo] {
        const bool can = undo ? stack->canUndo() : stack->canRedo();
        const QString step = undo ? stack->undoText() : stack->redoText();
        action->setEnabled(can);
        action->setStatusTip(!can   ? QString()
                             : undo ? translate("common", "Undo %1").arg(step)
                                    : translate("common", "Redo %1").arg(step));
    };
    QObject::connect(stack, &QUndoStack::indexChanged, action, update);
    QObject::connect(stack, &QUndoStack::cleanChanged, action, update);
    QObject::connect(action, &QAction::triggered, stack,
                     undo ? &QUndoStack::undo : &QUndoStack::redo);
    update();
}

} // namespace

void followUndoStack(QAction *undo, QAction *redo, QUndoStack *stack)
{
    follow(undo, stack, true);
    follow(redo, stack, false);
}

} // namespace qs
