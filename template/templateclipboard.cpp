#include "templateclipboard.h"

#include "templatefile.h"

#include <QMimeData>
#include <QRegularExpression>

namespace qs::stencil {

namespace {
// The file's blocks, in UTF-8 whatever the system's code page, so that a paste keeps every
// character.
QByteArray itemBlocks(const std::vector<TemplateItem> &items)
{
    QString out;
    const auto line = [&out](const QString &text) {
        out += text;
        out += QLatin1String("\r\n");
    };
    for (const TemplateItem &item : items) {
        switch (item.ItemKind) {
        case kind::Text:
            line(QStringLiteral("{{") + item.text);
            break;
        case kind::CarriageReturn:
            line(QStringLiteral("{!"));
            break;
        case kind::InputDialog:
            line(QStringLiteral("{["));
            line(item.text);
            line(item.subItem[0]);
            line(item.subItem[1]);
            break;
        case kind::OpenDialog:
            line(QStringLiteral("{|"));
            line(item.text);
            for (const QString &field : item.subItem)
                line(field);
            break;
        default:
            break;
        }
    }
    return out.toUtf8();
}
} // namespace

QString itemsText(const std::vector<TemplateItem> &items)
{
    QString out;
    for (const TemplateItem &item : items) {
        out += item.text;
        int last = 2;
        while (last >= 0 && item.subItem[last].isEmpty())
            --last;
        for (int k = 0; k <= last; ++k)
            out += QLatin1Char('\t') + item.subItem[k];
        out += QLatin1Char('\n');
    }
    return out;
}

QMimeData *itemsMimeData(const std::vector<TemplateItem> &items)
{
    auto *data = new QMimeData;
    data->setData(ItemsMimeType, itemBlocks(items));
    data->setText(itemsText(items));
    return data;
}

std::optional<std::vector<TemplateItem>> itemsFromMimeData(const QMimeData *data)
{
    if (!data)
        return std::nullopt;
    std::vector<TemplateItem> items;
    if (data->hasFormat(ItemsMimeType)) {
        ParsedTemplate parsed = parseTemplate(QString::fromUtf8(data->data(ItemsMimeType)));
        for (ReadStep &step : parsed.steps)
            if (step.item)
                items.push_back(std::move(*step.item));
        return items;
    }
    if (!data->hasText())
        return std::nullopt;
    // Text from elsewhere: each line a text item, as Insert Text would add it.
    for (const QString &line : data->text().split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        if (!line.trimmed().isEmpty())
            items.push_back({kind::Text, line, {}});
    if (items.empty())
        return std::nullopt;
    return items;
}

} // namespace qs::stencil
