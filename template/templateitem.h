#pragma once

#include <QString>

namespace qs::stencil {

// Item kinds; each is also the row's picture in ImageList1.
namespace kind {
inline constexpr int Text = 1;
inline constexpr int CarriageReturn = 2;
inline constexpr int InputDialog = 3;
inline constexpr int OpenDialog = 4;
} // namespace kind

inline const QString UntitledTitle = QStringLiteral("Untitled");
inline const QString CarriageReturnText = QStringLiteral("(Carriage Return)");

// One row of a template: its kind, its text and the three tag columns. Every field is one line.
struct TemplateItem
{
    int ItemKind = kind::Text;
    QString text;
    QString subItem[3];

    bool operator==(const TemplateItem &) const = default;
};

// Where and why reading stopped before the end of a file.
struct ReadStop
{
    int line = 0; // 1-based; 0 when the file could not be read at all
    QString reason;
};

} // namespace qs::stencil
