#pragma once

#include "dialogs.h"
#include "templatedocument.h"

#include <QWidget>

#include <vector>

class QPlainTextEdit;

namespace qs::demo {

inline const QString HostTitle = QStringLiteral("Quillsite 97");
inline const QString WindowTitle = QStringLiteral("Quillsite 97 \u2013 test run");

// Plays a template back the way the host does: text as it stands, a carriage return as a line
// break, an input prompt asked in an input box and its answer wrapped in its tags, an open
// prompt shown and then a file dialog with the item's filter, the chosen path wrapped in its
// tags. Returns the page's text.
QString playTemplate(const std::vector<stencil::TemplateItem> &items, Dialogs &dialogs);

// The demo host's window: the template it was handed and the page that came of it.
class TestRunWindow : public QWidget
{
public:
    TestRunWindow(const QString &templatePath, const QString &page, QWidget *parent = nullptr);
    QString page() const;

private:
    QPlainTextEdit *m_page = nullptr;
};

// Reads the template at path with the editor's reader and plays it back; a file read in part
// is told about and played as far as it was read. nullopt when nothing could be read.
std::optional<QString> playTemplateFile(const QString &path, Dialogs &dialogs);

} // namespace qs::demo
