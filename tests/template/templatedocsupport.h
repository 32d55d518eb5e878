#pragma once

#include "paths.h"
#include "templatedocument.h"
#include "testsupport.h"

#include <QStringList>

#include <vector>

namespace qs::test {

// A text item, a carriage return, an input dialog and an open dialog, with the file they make.
inline std::vector<stencil::TemplateItem> everyKind()
{
    using namespace stencil;
    return {{kind::Text, "<h1>Welcome</h1>", {}},
            {kind::CarriageReturn, CarriageReturnText, {}},
            {kind::InputDialog, "Your name?", {"<b>", "</b>"}},
            {kind::OpenDialog, "Pick a picture", {"Pictures|*.gif|", "<img src=\"", "\">"}}};
}
inline QByteArray everyKindFile()
{
    return crlf({"{{<h1>Welcome</h1>", "{!", "{[", "Your name?", "<b>", "</b>", "{|",
                 "Pick a picture", "Pictures|*.gif|", "<img src=\"", "\">", ""});
}

// A text item, and the texts of a document's items in order.
inline stencil::TemplateItem text(const char *t)
{
    return {stencil::kind::Text, QString::fromUtf8(t), {}};
}
inline QStringList texts(const stencil::TemplateDocument &doc)
{
    QStringList out;
    for (const stencil::TemplateItem &item : doc.rows())
        out << item.text;
    return out;
}

} // namespace qs::test
