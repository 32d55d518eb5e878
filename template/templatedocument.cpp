#include "templatedocument.h"
#include "translation.h"

#include "templatefile.h"
#include "templateundo.h"
#include "textcodec.h"

#include <QUndoStack>

#include <algorithm>

namespace qs::stencil {

QString FileResult::message() const
{
    const QString saveElsewhere =
        pathForgotten ? QStringLiteral("  ") + translate("tagloom32", "Save them under a new name.")
                      : QString();
    switch (status) {
    case ReadStopped:
        if (stop.line == 0)
            return translate("tagloom32", "The template %1 could not be read: %2.")
                .arg(file, stop.reason);
        return translate("tagloom32", "The template %1 was not read completely.\r\n\r\n"
                                      "Reading stopped at line %2: %3.\r\n\r\n"
                                      "The items read before that line are kept.")
                   .arg(file)
                   .arg(stop.line)
                   .arg(stop.reason) +
               saveElsewhere;
    case NotATemplate:
        return translate("tagloom32", "The file %1 holds lines that are no part of a "
                                      "template.\r\n\r\n"
                                      "Line %2 %3.\r\n\r\n"
                                      "The items read before that line are kept.")
                   .arg(file)
                   .arg(stop.line)
                   .arg(stop.reason) +
               saveElsewhere;
    case SaveFailed:
        return translate("tagloom32", "The template could not be saved to %1.\r\n\r\n%2")
            .arg(file, stop.reason);
    case Done:
    case NeedsName:
        break;
    }
    return {};
}

TemplateItem oneLine(TemplateItem item)
{
    const auto flatten = [](QString &field) {
        for (QChar &c : field)
            if (c == u'\r' || c == u'\n')
                c = u' ';
    };
    flatten(item.text);
    for (QString &field : item.subItem)
        flatten(field);
    return item;
}

TemplateDocument::TemplateDocument()
    : m_undo(std::make_unique<QUndoStack>())
{
    // A step, undo or redo leaves the flag to the stack.
    QObject::connect(m_undo.get(), &QUndoStack::indexChanged, m_undo.get(),
                     [this] { m_marked = false; });
}

TemplateDocument::~TemplateDocument()
{
    // The steps refer to the rows: they go first, untold.
    m_observer = nullptr;
    m_undo.reset();
}

bool TemplateDocument::boolDirty() const
{
    return m_marked || !m_undo->isClean();
}

void TemplateDocument::markChanged()
{
    m_marked = true;
}

void TemplateDocument::markSaved()
{
    m_undo->setClean();
    m_marked = false;
}

void TemplateDocument::append(TemplateItem item)
{
    static const char *const steps[] = {QT_TRANSLATE_NOOP("tagloom32", "Insert Text"),
                                        QT_TRANSLATE_NOOP("tagloom32", "Insert Carriage Return"),
                                        QT_TRANSLATE_NOOP("tagloom32", "Insert Input Dialog"),
                                        QT_TRANSLATE_NOOP("tagloom32", "Insert Open Dialog")};
    const int k = item.ItemKind;
    static const char *const other = QT_TRANSLATE_NOOP("tagloom32", "Insert Item");
    const QString step = translate("tagloom32", k >= 1 && k <= 4 ? steps[k - 1] : other);
    insertItems(count(), {std::move(item)}, step);
}

void TemplateDocument::replace(int row, TemplateItem item)
{
    m_undo->push(
        new ReplaceStep(*this, translate("tagloom32", "Edit Item"), row, oneLine(std::move(item))));
}

void TemplateDocument::remove(int row, const QString &step)
{
    m_undo->push(RowsStep::removing(
        *this, step.isEmpty() ? translate("tagloom32", "Remove Item") : step, {{row, 1}}));
}

void TemplateDocument::insertItems(int row, std::vector<TemplateItem> items, const QString &step)
{
    if (items.empty())
        return;
    for (TemplateItem &item : items)
        item = oneLine(std::move(item));
    const int n = static_cast<int>(items.size());
    m_undo->push(RowsStep::inserting(*this, step, {{row, n}}, std::move(items)));
}

int TemplateDocument::moveRow(int from, int before, const QString &step)
{
    const int to = before > from ? before - 1 : before;
    if (from < 0 || from >= count() || to < 0 || to >= count() || to == from)
        return from;
    m_undo->push(
        new MoveStep(*this, step.isEmpty() ? translate("tagloom32", "Move Item") : step, from, to));
    return to;
}

int TemplateDocument::moveUp(int row)
{
    return moveRow(row, row - 1, translate("tagloom32", "Move Up"));
}

int TemplateDocument::moveDown(int row)
{
    return moveRow(row, row + 2, translate("tagloom32", "Move Down"));
}

void TemplateDocument::insertRuns(const RowRuns &runs, std::vector<TemplateItem> &items)
{
    if (runs.size() == 1) {
        const int first = runs.front().first;
        if (m_observer)
            m_observer->rowsAboutToBeInserted(first, first + runs.front().second - 1);
        m_rows.insert(m_rows.begin() + first, std::make_move_iterator(items.begin()),
                      std::make_move_iterator(items.end()));
        if (m_observer)
            m_observer->rowsInserted();
        return;
    }
    // Rows in many places: one pass, so that a long file read into a long list stays linear.
    if (m_observer)
        m_observer->rowsAboutToBeReset();
    std::vector<TemplateItem> merged;
    merged.reserve(m_rows.size() + items.size());
    size_t old = 0;
    size_t next = 0;
    for (const auto &[first, n] : runs) {
        while (merged.size() < static_cast<size_t>(first))
            merged.push_back(std::move(m_rows[old++]));
        for (int k = 0; k < n; ++k)
            merged.push_back(std::move(items[next++]));
    }
    while (old < m_rows.size())
        merged.push_back(std::move(m_rows[old++]));
    m_rows = std::move(merged);
    if (m_observer)
        m_observer->rowsReset();
}

std::vector<TemplateItem> TemplateDocument::takeRuns(const RowRuns &runs)
{
    std::vector<TemplateItem> out;
    if (runs.size() == 1) {
        const auto [first, n] = runs.front();
        if (m_observer)
            m_observer->rowsAboutToBeRemoved(first, first + n - 1);
        const auto begin = m_rows.begin() + first;
        out.assign(std::make_move_iterator(begin), std::make_move_iterator(begin + n));
        m_rows.erase(begin, begin + n);
        if (m_observer)
            m_observer->rowsRemoved();
        return out;
    }
    if (m_observer)
        m_observer->rowsAboutToBeReset();
    std::vector<TemplateItem> kept;
    kept.reserve(m_rows.size());
    size_t row = 0;
    for (const auto &[first, n] : runs) {
        while (row < static_cast<size_t>(first))
            kept.push_back(std::move(m_rows[row++]));
        for (int k = 0; k < n; ++k)
            out.push_back(std::move(m_rows[row++]));
    }
    while (row < m_rows.size())
        kept.push_back(std::move(m_rows[row++]));
    m_rows = std::move(kept);
    if (m_observer)
        m_observer->rowsReset();
    return out;
}

void TemplateDocument::swapRow(int row, TemplateItem &item)
{
    std::swap(m_rows[static_cast<size_t>(row)], item);
    if (m_observer)
        m_observer->rowChanged(row);
}

void TemplateDocument::moveRaw(int from, int before)
{
    if (m_observer)
        m_observer->rowAboutToBeMoved(from, before);
    const auto at = m_rows.begin();
    if (before > from)
        std::rotate(at + from, at + from + 1, at + before);
    else
        std::rotate(at + before, at + from, at + from + 1);
    if (m_observer)
        m_observer->rowMoved();
}

int TemplateDocument::findItem(const QString &prefix, int from) const
{
    const int n = count();
    if (n == 0)
        return -1;
    from = std::clamp(from, 0, n - 1);
    for (int k = 0; k < n; ++k) {
        const int row = (from + k) % n;
        if (m_rows[static_cast<size_t>(row)].text.startsWith(prefix, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

std::vector<int> TemplateDocument::rowsWithText(const QString &text) const
{
    std::vector<int> out;
    for (int row = 0; row < count(); ++row)
        if (m_rows[static_cast<size_t>(row)].text == text)
            out.push_back(row);
    return out;
}

std::optional<ReadStop> TemplateDocument::ReadTemplate(QByteArrayView bytes)
{
    return read(bytes, false, nullptr);
}

std::optional<ReadStop> TemplateDocument::read(QByteArrayView bytes, bool wholeTemplate,
                                               bool *foreign)
{
    QString text = decodeText(bytes);
    // A byte-order mark from an editor is no part of the first line.
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    ParsedTemplate parsed = parseTemplate(text);
    text.clear();

    std::optional<ReadStop> stop = std::move(parsed.stop);
    // Another program's file keeps only what came before its first line that is not ours.
    if (wholeTemplate && parsed.foreign) {
        parsed.steps.resize(parsed.stepsBeforeForeign);
        stop = std::move(parsed.foreign);
        if (foreign)
            *foreign = true;
    }

    // Block p goes in at position p: the rows already there move down, and a line that adds
    // nothing leaves the next existing row in its place.
    RowRuns runs;
    std::vector<TemplateItem> items;
    size_t existing = 0;
    size_t placed = 0;
    size_t position = 0;
    for (ReadStep &step : parsed.steps) {
        ++position;
        if (!step.item) {
            if (existing < m_rows.size()) {
                ++existing;
                ++placed;
            }
            continue;
        }
        if (placed != position - 1) {
            stop = ReadStop{step.line, translate("tagloom32",
                                                 "the item there would go to position %1, past the "
                                                 "end of the list, because a line before it holds "
                                                 "no item")
                                           .arg(position)};
            if (foreign)
                *foreign = false;
            break;
        }
        const int at = static_cast<int>(placed++);
        if (!runs.empty() && runs.back().first + runs.back().second == at)
            ++runs.back().second;
        else
            runs.emplace_back(at, 1);
        items.push_back(std::move(*step.item));
    }
    if (items.empty())
        return stop;
    if (wholeTemplate)
        insertRuns(runs, items);
    else
        m_undo->push(RowsStep::inserting(*this, translate("tagloom32", "Insert File"),
                                         std::move(runs), std::move(items)));
    return stop;
}

FileResult TemplateDocument::readFile(const QString &path, bool wholeTemplate)
{
    QString reason;
    const std::optional<QByteArray> bytes = readWholeFile(path, reason);
    if (!bytes) {
        if (reason.isEmpty())
            return {};
        return {FileResult::ReadStopped, path, ReadStop{0, reason}};
    }
    bool foreign = false;
    if (auto stop = read(*bytes, wholeTemplate, &foreign))
        return {foreign ? FileResult::NotATemplate : FileResult::ReadStopped, path,
                std::move(*stop)};
    return {};
}

void TemplateDocument::replaceWith(TemplateDocument &&other)
{
    if (m_observer)
        m_observer->rowsAboutToBeReset();
    m_undo->clear();
    m_rows = std::move(other.m_rows);
    m_title = std::move(other.m_title);
    m_marked = other.boolDirty();
    if (m_observer)
        m_observer->rowsReset();
}

QString TemplateDocument::shownTitle() const
{
    return isUntitled() ? translate("tagloom32", "Untitled") : m_title;
}

FileResult TemplateDocument::OpenDocument(const QString &path)
{
    m_title = path;
    FileResult result = readFile(path, true);
    if (result.status == FileResult::ReadStopped || result.status == FileResult::NotATemplate) {
        m_title = UntitledTitle;
        result.pathForgotten = true;
    }
    return result;
}

FileResult TemplateDocument::InsertTemplateFile(const QString &path)
{
    // Stray lines have their meaning here: each keeps an existing row between the inserted ones.
    return readFile(path, false);
}

FileResult TemplateDocument::SaveDocument()
{
    if (isUntitled())
        return {FileResult::NeedsName, {}, {}};
    const QString reason = writeWholeFile(m_title, templateText(m_rows));
    if (!reason.isEmpty())
        return {FileResult::SaveFailed, m_title, ReadStop{0, reason}};
    markSaved();
    return {FileResult::Done, m_title, {}};
}

FileResult TemplateDocument::SaveDocumentAs(const QString &path)
{
    m_title = path;
    return SaveDocument();
}

} // namespace qs::stencil
