#include "templatemodel.h"
#include "translation.h"

#include "imagelist.h"

namespace qs::stencil {

namespace {
const char *const Headers[] = {
    QT_TRANSLATE_NOOP("tagloom32", "Item"), QT_TRANSLATE_NOOP("tagloom32", "Tag 1"),
    QT_TRANSLATE_NOOP("tagloom32", "Tag 2"), QT_TRANSLATE_NOOP("tagloom32", "Tag 3")};
constexpr int Columns = 4;
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
    const TemplateItem &item = m_document.rows()[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        const QString &field = index.column() == 0 ? item.text : item.subItem[index.column() - 1];
        // Laying out a line of millions of characters would freeze the window at every paint.
        return field.size() > DisplayLimit ? field.left(DisplayLimit) : field;
    }
    case Qt::DecorationRole:
        if (index.column() == 0 && m_images)
            return m_images->icon(item.ItemKind);
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
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
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
