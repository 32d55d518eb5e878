#include "templateundo.h"

namespace qs::stencil {

RowsStep::RowsStep(TemplateDocument &document, const QString &text, RowRuns runs, bool insertOnRedo)
    : QUndoCommand(text)
    , m_document(document)
    , m_runs(std::move(runs))
    , m_insertOnRedo(insertOnRedo)
{
}

RowsStep *RowsStep::inserting(TemplateDocument &document, const QString &text, RowRuns runs,
                              std::vector<StoredRow> items)
{
    auto *step = new RowsStep(document, text, std::move(runs), true);
    step->m_held = std::move(items);
    return step;
}

RowsStep *RowsStep::removing(TemplateDocument &document, const QString &text, RowRuns runs)
{
    return new RowsStep(document, text, std::move(runs), false);
}

void RowsStep::redo()
{
    if (m_insertOnRedo)
        put();
    else
        take();
}

void RowsStep::undo()
{
    if (m_insertOnRedo)
        take();
    else
        put();
}

void RowsStep::put()
{
    m_document.insertRuns(m_runs, m_held);
    // Assigning {} would keep the capacity: a million rows' worth for a large Insert File.
    std::vector<StoredRow>().swap(m_held);
}

void RowsStep::take()
{
    m_held = m_document.takeRuns(m_runs);
}

ReplaceStep::ReplaceStep(TemplateDocument &document, const QString &text, int row, StoredRow item)
    : QUndoCommand(text)
    , m_document(document)
    , m_row(row)
    , m_other(item)
{
}

void ReplaceStep::swap()
{
    m_document.swapRow(m_row, m_other);
}

MoveStep::MoveStep(TemplateDocument &document, const QString &text, int from, int to)
    : QUndoCommand(text)
    , m_document(document)
    , m_from(from)
    , m_to(to)
{
}

void MoveStep::redo()
{
    m_document.moveRaw(m_from, m_to > m_from ? m_to + 1 : m_to);
}

void MoveStep::undo()
{
    m_document.moveRaw(m_to, m_from > m_to ? m_from + 1 : m_from);
}

} // namespace qs::stencil
