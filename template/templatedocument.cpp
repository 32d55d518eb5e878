#include "templatedocument.h"
#include "paths.h"
#include "translation.h"

#include "templatefile.h"
#include "templateundo.h"
#include "textcodec.h"

#include <QUndoStack>

#include <algorithm>

namespace qs::stencil {

QString FileResult::message() const
{
    const QString file = shownPath(this->file);
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
    case Kept:
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
    const StoredRow stored = m_texts.store({oneLine(std::move(item))}).front();
    m_undo->push(new ReplaceStep(*this, translate("tagloom32", "Edit Item"), row, stored));
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
    m_undo->push(RowsStep::inserting(*this, step, {{row, n}}, m_texts.store(items)));
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

void TemplateDocument::insertRuns(const RowRuns &runs, std::vector<StoredRow> &items)
{
    if (runs.size() == 1) {
        const int first = runs.front().first;
        if (m_observer)
            m_observer->rowsAboutToBeInserted(first, first + runs.front().second - 1);
        if (m_rows.empty())
            m_rows.swap(items); // a file opened: no second copy of its rows
        else
            m_rows.insert(m_rows.begin() + first, std::make_move_iterator(items.begin()),
                          std::make_move_iterator(items.end()));
        if (m_observer)
            m_observer->rowsInserted();
        return;
    }
    // Rows in many places: one pass, so that a long file read into a long list stays linear.
    if (m_observer)
        m_observer->rowsAboutToBeReset();
    std::vector<StoredRow> merged;
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

std::vector<StoredRow> TemplateDocument::takeRuns(const RowRuns &runs)
{
    std::vector<StoredRow> out;
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
    std::vector<StoredRow> kept;
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

void TemplateDocument::swapRow(int row, StoredRow &item)
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
        // Only as much of each text is decoded as the prefix can match.
        if (field(row, 0, prefix.size()).startsWith(prefix, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

std::vector<int> TemplateDocument::rowsWithText(const QString &text) const
{
    std::vector<int> out;
    for (int row = 0; row < count(); ++row)
        if (field(row, 0) == text)
            out.push_back(row);
    return out;
}

std::vector<TemplateItem> TemplateDocument::rows() const
{
    std::vector<TemplateItem> out;
    out.reserve(m_rows.size());
    for (const StoredRow &row : m_rows)
        out.push_back(m_texts.item(row));
    return out;
}

std::optional<ReadStop> TemplateDocument::ReadTemplate(QByteArrayView bytes)
{
    FileResult result = take(read(bytes.toByteArray(), false), false);
    if (result.status == FileResult::Done)
        return std::nullopt;
    return std::move(result.stop);
}

FileRead TemplateDocument::read(QByteArray bytes, bool wholeTemplate) const
{
    FileRead out;
    const bool utf8 = isValidUtf8(bytes);
    // A byte-order mark from an editor is no part of the first line.
    const qsizetype start = utf8 && bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    out.text = {std::move(bytes), utf8 ? TextLayout::FileUtf8 : TextLayout::File1252};
    const QByteArrayView text = QByteArrayView(out.text.bytes).sliced(start);
    // No more rows than lines: one allocation instead of a growing copy.
    out.rows.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);

    // Block p goes in at position p: the rows already there move down, and a line that adds
    // nothing leaves the next existing row in its place.
    std::optional<ReadStop> pastTheEnd;
    size_t existing = 0;
    size_t placed = 0;
    size_t position = 0;
    const ScanStops stops = scanTemplate(text, wholeTemplate, [&](int line, int k, qint64 offset) {
        ++position;
        if (k == 0) {
            if (existing < m_rows.size()) {
                ++existing;
                ++placed;
            }
            return true;
        }
        if (placed != position - 1) {
            pastTheEnd = ReadStop{line, translate("tagloom32",
                                                  "the item there would go to position %1, past "
                                                  "the end of the list, because a line before it "
                                                  "holds no item")
                                            .arg(position)};
            return false;
        }
        const int at = static_cast<int>(placed++);
        if (!out.runs.empty() && out.runs.back().first + out.runs.back().second == at)
            ++out.runs.back().second;
        else
            out.runs.emplace_back(at, 1);
        out.rows.push_back({offset + start, 0, static_cast<quint8>(k)});
        return true;
    });
    // Another program's file keeps only what came before its first line that is not ours.
    if (pastTheEnd)
        out.result = {FileResult::ReadStopped, {}, std::move(*pastTheEnd)};
    else if (wholeTemplate && stops.foreign)
        out.result = {FileResult::NotATemplate, {}, *stops.foreign};
    else if (stops.stop)
        out.result = {FileResult::ReadStopped, {}, *stops.stop};
    return out;
}

FileRead TemplateDocument::readFile(const QString &path, bool wholeTemplate) const
{
    QString reason;
    std::optional<QByteArray> bytes = readWholeFile(path, reason);
    if (!bytes) {
        FileRead none;
        if (!reason.isEmpty())
            none.result = {FileResult::ReadStopped, path, ReadStop{0, reason}};
        return none;
    }
    FileRead out = read(std::move(*bytes), wholeTemplate);
    if (out.result.status != FileResult::Done)
        out.result.file = path;
    return out;
}

FileResult TemplateDocument::take(FileRead read, bool wholeTemplate)
{
    if (read.rows.empty())
        return std::move(read.result);
    const quint32 text = m_texts.add(std::move(read.text));
    for (StoredRow &row : read.rows)
        row.text = text;
    if (wholeTemplate)
        insertRuns(read.runs, read.rows);
    else
        m_undo->push(RowsStep::inserting(*this, translate("tagloom32", "Insert File"),
                                         std::move(read.runs), std::move(read.rows)));
    return std::move(read.result);
}

void TemplateDocument::replaceWith(TemplateDocument &&other)
{
    if (m_observer)
        m_observer->rowsAboutToBeReset();
    m_undo->clear();
    m_rows = std::move(other.m_rows);
    m_texts = std::move(other.m_texts);
    m_title = std::move(other.m_title);
    m_marked = other.boolDirty();
    if (m_observer)
        m_observer->rowsReset();
}

QString TemplateDocument::shownTitle() const
{
    return isUntitled() ? translate("tagloom32", "Untitled") : shownPath(m_title);
}

FileResult TemplateDocument::OpenDocument(const QString &path)
{
    m_title = path;
    FileResult result = take(readFile(path, true), true);
    if (result.status == FileResult::ReadStopped || result.status == FileResult::NotATemplate) {
        m_title = UntitledTitle;
        result.pathForgotten = true;
    }
    return result;
}

FileResult TemplateDocument::InsertTemplateFile(const QString &path)
{
    // Stray lines have their meaning here: each keeps an existing row between the inserted ones.
    return insertRead(readForInsert(path));
}

FileRead TemplateDocument::readForInsert(const QString &path) const
{
    return readFile(path, false);
}

FileResult TemplateDocument::insertRead(FileRead read)
{
    return take(std::move(read), false);
}

FileResult TemplateDocument::SaveDocument()
{
    FileResult result = writeDocument();
    if (result.status == FileResult::Done)
        markSaved();
    return result;
}

FileResult TemplateDocument::writeDocument() const
{
    if (isUntitled())
        return {FileResult::NeedsName, {}, {}};
    // A megabyte at a time, so that saving a large template does not hold a second copy of it.
    const QString reason = writeFileInParts(m_title, [this](QIODevice &file) {
        QByteArray part;
        for (size_t row = 0; row <= m_rows.size(); ++row) {
            if (row == m_rows.size())
                part += CrLf;
            else
                m_texts.appendBlock(part, m_rows[row]);
            if (part.size() >= (1 << 20) || row == m_rows.size()) {
                if (file.write(part) != part.size())
                    return false;
                part.clear();
            }
        }
        return true;
    });
    if (!reason.isEmpty())
        return {FileResult::SaveFailed, m_title, ReadStop{0, reason}};
    return {FileResult::Done, m_title, {}};
}

std::vector<char32_t> TemplateDocument::unstorableCharacters() const
{
    UnstorableFinder finder;
    for (const StoredRow &row : m_rows)
        m_texts.findUnstorable(row, finder);
    return finder.found();
}

FileResult TemplateDocument::SaveDocumentAs(const QString &path)
{
    m_title = path;
    return SaveDocument();
}

} // namespace qs::stencil
