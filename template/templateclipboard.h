#pragma once

#include "templatedocument.h"

#include <optional>
#include <vector>

class QMimeData;

namespace qs::stencil {

// Items on the clipboard or in a drag: tagloom32's own type carries every field as written,
// and plain text shows them one item a line, as the list does.
inline const QString ItemsMimeType = QStringLiteral("application/x-tagloom32-items");

// The clipboard's data for items.
QMimeData *itemsMimeData(const std::vector<TemplateItem> &items);
// The items data holds: tagloom32's own, or else one text item per line of plain text that is
// not blank. nullopt when it holds neither.
std::optional<std::vector<TemplateItem>> itemsFromMimeData(const QMimeData *data);
// One item a line: the text, then the tags that are not empty, separated by tabs.
QString itemsText(const std::vector<TemplateItem> &items);

} // namespace qs::stencil
