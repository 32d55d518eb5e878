#include "templatedocument.h"
#include "translation.h"

#include "templatefile.h"
#include "textcodec.h"

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

void TemplateDocument::append(TemplateItem item)
{
    const int row = count();
    if (m_observer)
        m_observer->rowsAboutToBeInserted(row, row);
    m_rows.push_back(std::move(item));
    if (m_observer)
        m_observer->rowsInserted();
}

void TemplateDocument::replace(int row, TemplateItem item)
{
    m_rows[static_cast<size_t>(row)] = std::move(item);
    if (m_observer)
        m_observer->rowChanged(row);
}

void TemplateDocument::remove(int row)
{
    if (m_observer)
        m_observer->rowAboutToBeRemoved(row);
    m_rows.erase(m_rows.begin() + row);
    if (m_observer)
        m_observer->rowRemoved();
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
    // nothing leaves the next existing row in its place. Merging in one pass keeps this linear.
    std::vector<TemplateItem> merged;
    merged.reserve(m_rows.size() + parsed.steps.size());
    size_t existing = 0;
    size_t position = 0;
    int firstAdded = -1;
    int lastAdded = -1;
    int added = 0;
    for (ReadStep &step : parsed.steps) {
        ++position;
        if (!step.item) {
            if (existing < m_rows.size())
                merged.push_back(m_rows[existing++]);
            continue;
        }
        if (merged.size() != position - 1) {
            stop = ReadStop{step.line, translate("tagloom32",
                                                 "the item there would go to position %1, past the "
                                                 "end of the list, because a line before it holds "
                                                 "no item")
                                           .arg(position)};
            if (foreign)
                *foreign = false;
            break;
        }
        lastAdded = static_cast<int>(merged.size());
        if (firstAdded < 0)
            firstAdded = lastAdded;
        merged.push_back(std::move(*step.item));
        ++added;
    }
    if (added == 0)
        return stop;
    // Copies share their text with the old rows, which stay intact until the observer has
    // been told.
    for (size_t k = existing; k < m_rows.size(); ++k)
        merged.push_back(m_rows[k]);

    const bool oneBlock = lastAdded - firstAdded + 1 == added;
    if (m_observer) {
        if (oneBlock)
            m_observer->rowsAboutToBeInserted(firstAdded, firstAdded + added - 1);
        else
            m_observer->rowsAboutToBeReset();
    }
    m_rows = std::move(merged);
    if (m_observer) {
        if (oneBlock)
            m_observer->rowsInserted();
        else
            m_observer->rowsReset();
    }
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
    m_rows = std::move(other.m_rows);
    m_title = std::move(other.m_title);
    boolDirty = other.boolDirty;
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
    boolDirty = false;
    return {FileResult::Done, m_title, {}};
}

FileResult TemplateDocument::SaveDocumentAs(const QString &path)
{
    m_title = path;
    return SaveDocument();
}

} // namespace qs::stencil
