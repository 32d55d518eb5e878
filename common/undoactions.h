#pragma once

class QAction;
class QUndoStack;

namespace qs {

// Keeps a window's Undo and Redo actions in step with a document's undo stack: each is enabled
// only when there is a step to take, and its status tip names that step ("Undo Remove Item").
// Their captions and shortcuts stay as the window gave them; triggering them undoes or redoes.
void followUndoStack(QAction *undo, QAction *redo, QUndoStack *stack);

} // namespace qs
