#include "templatemodel.h"
#include "translation.h"

#include "imagelist.h"
#include "templateclipboard.h"

#include <QCoreApplication>
#include <QMimeData>

#include <algorithm>

namespace qs::stencil {

namespace {
const char *const Headers[] = {
    QT_TRANSLATE_NOOP("tagloom32", "Item"), QT_TRANSLATE_NOOP("tagloom32", "Tag 1"),
    QT_TRANSLATE_NOOP("tagloom32", "Tag 2"), QT_TRANSLATE_NOOP("tagloom32", "Tag 3")};
constexpr int Columns = 4;
// Which list and row a drag started from, so that a drop on the same list moves the row.
const QString DraggedRowType = QStringLiteral("application/x-tagloom32-dragged-row");
} // namespace

TemplateModel::TemplateModel(TemplateDocument &document, const ImageList *images, QObject *parent)
    : QAbstractItemModel(parent)
    , m_document(document)
    , m_images(images)
{
    m_document.setObserver(this);
}

TemplateModel::~TemplateModel()
{
    m_document.setObserver(nullptr);
}

QModelIndex TemplateModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= m_document.count() || column < 0 || column >= Columns)
        return {};
    return createIndex(row, column);
}

QModelIndex TemplateModel::parent(const QModelIndex &) const
{
    return {};
}

int TemplateModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_document.count();
}

int TemplateModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant TemplateModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_document.count())
        return {};
    const int itemKind = m_document.kindAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        // The row names a line break in the user's language; the item keeps the text it has.
        if (itemKind == kind::CarriageReturn && index.column() == 0)
            return translate("tagloom32", "(Carriage Return)");
        // Laying out a line of millions of characters would freeze the window at every paint,
        // and decoding it all at every paint would too.
        return m_document.field(index.row(), index.column(), DisplayLimit);
    case Qt::DecorationRole:
        if (index.column() == 0 && m_images)
            return m_images->icon(itemKind);
        break;
    default:
        break;
    }
    return {};
}

QVariant TemplateModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < Columns)
        return translate("tagloom32", Headers[section]);
    return QAbstractItemModel::headerData(section, orientation, role);
}

Qt::ItemFlags TemplateModel::flags(const QModelIndex &index) const
{
    // Drops go between rows, never onto one.
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren |
                                 Qt::ItemIsDragEnabled
                           : Qt::ItemIsDropEnabled;
}

Qt::DropActions TemplateModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions TemplateModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

QStringList TemplateModel::mimeTypes() const
{
    return {ItemsMimeType, QStringLiteral("text/plain")};
}

QMimeData *TemplateModel::mimeData(const QModelIndexList &indexes) const
{
    std::vector<int> rows;
    for (const QModelIndex &index : indexes)
        if (index.isValid() && index.row() < m_document.count())
            rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        return nullptr;
    std::vector<TemplateItem> items;
    for (int row : rows)
        items.push_back(m_document.item(row));
    QMimeData *data = itemsMimeData(items);
    if (rows.size() == 1)
        data->setData(DraggedRowType, QStringLiteral("%1 %2 %3")
                                          .arg(QCoreApplication::applicationPid())
                                          .arg(reinterpret_cast<quintptr>(this))
                                          .arg(rows.front())
                                          .toLatin1());
    return data;
}

bool TemplateModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int, int,
                                    const QModelIndex &parent) const
{
    return !parent.isValid() && (action == Qt::MoveAction || action == Qt::CopyAction) && data &&
           (data->hasFormat(ItemsMimeType) || data->hasText());
}

bool TemplateModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                 const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const int before = row < 0 || row > m_document.count() ? m_document.count() : row;
    const QList<QByteArray> from = data->data(DraggedRowType).split(' ');
    if (action == Qt::MoveAction && from.size() == 3 &&
        from[0].toLongLong() == QCoreApplication::applicationPid() &&
        from[1].toULongLong() == reinterpret_cast<quintptr>(this)) {
        m_document.moveRow(from[2].toInt(), before);
        return true;
    }
    std::optional<std::vector<TemplateItem>> items = itemsFromMimeData(data);
    if (!items)
        return false;
    m_document.insertItems(before, std::move(*items), translate("tagloom32", "Paste"));
    return true;
}

void TemplateModel::rowsAboutToBeInserted(int first, int last)
{
    beginInsertRows({}, first, last);
}

void TemplateModel::rowsInserted()
{
    endInsertRows();
}

void TemplateModel::rowsAboutToBeReset()
{
    beginResetModel();
}

void TemplateModel::rowsReset()
{
    endResetModel();
}

void TemplateModel::rowsAboutToBeRemoved(int first, int last)
{
    beginRemoveRows({}, first, last);
}

void TemplateModel::rowsRemoved()
{
    endRemoveRows();
}

void TemplateModel::rowAboutToBeMoved(int from, int before)
{
    beginMoveRows({}, from, from, {}, before);
}

void TemplateModel::rowMoved()
{
    endMoveRows();
}

void TemplateModel::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, Columns - 1));
}

} // namespace qs::stencil
