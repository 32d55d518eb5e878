#pragma once

#include "templatedocument.h"

#include <QUndoCommand>

namespace qs::stencil {

// Rows that come in or go out. Whichever rows are not in the document are held here, so a step
// costs only what it takes out.
class RowsStep : public QUndoCommand
{
public:
    // Inserts items at runs (their places afterwards) on redo.
    static RowsStep *inserting(TemplateDocument &document, const QString &text, RowRuns runs,
                               std::vector<StoredRow> items);
    // Takes the rows of runs out on redo.
    static RowsStep *removing(TemplateDocument &document, const QString &text, RowRuns runs);

    void redo() override;
    void undo() override;

private:
    RowsStep(TemplateDocument &document, const QString &text, RowRuns runs, bool insertOnRedo);
    void put();
    void take();

    TemplateDocument &m_document;
    RowRuns m_runs;
    std::vector<StoredRow> m_held;
    bool m_insertOnRedo;
};

// One row takes another's values; the other values wait here.
class ReplaceStep : public QUndoCommand
{
public:
    ReplaceStep(TemplateDocument &document, const QString &text, int row, StoredRow item);
    void redo() override { swap(); }
    void undo() override { swap(); }

private:
    void swap();

    TemplateDocument &m_document;
    int m_row;
    StoredRow m_other;
};

// One row moves to another place.
class MoveStep : public QUndoCommand
{
public:
    MoveStep(TemplateDocument &document, const QString &text, int from, int to);
    void redo() override;
    void undo() override;

private:
    TemplateDocument &m_document;
    int m_from;
    int m_to; // the row's place after the move
};

} // namespace qs::stencil
