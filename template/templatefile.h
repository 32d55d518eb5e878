#pragma once

#include "templatedocument.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringView>

#include <functional>

#include <optional>
#include <vector>

namespace qs::stencil {

// One pass of the reading loop: a block that adds an item, or a line that adds nothing.
struct ReadStep
{
    int line = 0; // where the block starts, from 1
    std::optional<TemplateItem> item;
};

struct ParsedTemplate
{
    std::vector<ReadStep> steps;
    std::optional<ReadStop> stop; // the file ended inside a block
    // The first line no template holds: where an item must begin, one that begins none (blank
    // lines at the end excepted), or anywhere, control characters that no text holds.
    std::optional<ReadStop> foreign;
    size_t stepsBeforeForeign = 0;
};

// Splits decoded template text into its blocks. A line ends at CR LF or at a lone CR.
ParsedTemplate parseTemplate(QStringView text);
// The file's bytes for rows: one block per row, CR LF line ends and one more CR LF at the end.
QByteArray templateText(const std::vector<TemplateItem> &rows);

// Reads a whole file. nullopt with an empty reason when the file does not exist; otherwise a
// reason when it cannot be read.
std::optional<QByteArray> readWholeFile(const QString &path, QString &reason);
// Replaces path with bytes so that a failure leaves the previous file as it was; returns the
// reason of a failure, or the empty text.
QString writeWholeFile(const QString &path, const QByteArray &bytes);
// The same for a file written a part at a time: write returns false when a write falls short.
QString writeFileInParts(const QString &path, const std::function<bool(QIODevice &)> &write);

} // namespace qs::stencil
