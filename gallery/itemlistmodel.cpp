#include "itemlistmodel.h"
#include "translation.h"

#include "categorytreemodel.h"
#include "galleryclipboard.h"
#include "gallerydocument.h"

namespace qs::gallery {

ItemListModel::ItemListModel(GalleryDocument *document, const ImageList *images, QObject *parent)
    : QAbstractTableModel(parent)
    , m_document(document)
    , m_images(images)
{
    connectDocument();
}

void ItemListModel::connectDocument()
{
    GalleryDocument *d = m_document;
    connect(d, &GalleryDocument::aboutToReset, this, [this] { beginResetModel(); });
    connect(d, &GalleryDocument::wasReset, this, [this] {
        m_category = 0;
        m_rows = 0;
        endResetModel();
    });
    connect(d, &GalleryDocument::categoryAboutToBeRemoved, this, [this](int k) {
        if (k == m_category)
            setCategory(0);
        else if (k < m_category)
            --m_category;
    });
    connect(d, &GalleryDocument::categoryAboutToBeAdded, this, [this](int k) {
        if (m_category >= k)
            ++m_category;
    });
    connect(d, &GalleryDocument::categoryAboutToBeMoved, this, [this](int from, int to) {
        if (m_category >= 1)
            m_category = positionAfterMove(m_category, from, to);
    });
    connect(d, &GalleryDocument::itemAboutToBeMoved, this, [this](int k, int from, int to) {
        if (k != m_category)
            return;
        m_relist = !complete();
        if (!m_relist)
            beginMoveRows({}, from - 1, from - 1, {}, to > from ? to : to - 1);
    });
    connect(d, &GalleryDocument::itemMoved, this, [this](int k) {
        if (k != m_category)
            return;
        if (m_relist)
            return relist();
        endMoveRows();
    });
    connect(d, &GalleryDocument::itemAboutToBeAdded, this, [this](int k, int j) {
        aboutToChangeRows(k, [&] { beginInsertRows({}, j - 1, j - 1); });
    });
    connect(d, &GalleryDocument::itemAdded, this,
            [this](int k) { rowsChanged(k, +1, [this] { endInsertRows(); }); });
    connect(d, &GalleryDocument::itemAboutToBeRemoved, this, [this](int k, int j) {
        aboutToChangeRows(k, [&] { beginRemoveRows({}, j - 1, j - 1); });
    });
    connect(d, &GalleryDocument::itemRemoved, this,
            [this](int k) { rowsChanged(k, -1, [this] { endRemoveRows(); }); });
    connect(d, &GalleryDocument::itemChanged, this, [this](int k, int j) {
        if (k != m_category)
            return;
        if (!complete() || j > m_rows)
            return relist();
        emit dataChanged(index(j - 1, 0), index(j - 1, 1));
    });
}

void ItemListModel::aboutToChangeRows(int k, const std::function<void()> &begin)
{
    if (k != m_category)
        return;
    m_relist = !complete();
    if (!m_relist)
        begin();
}

void ItemListModel::rowsChanged(int k, int delta, const std::function<void()> &end)
{
    if (k != m_category)
        return;
    if (m_relist)
        return relist();
    m_rows += delta;
    end();
}

bool ItemListModel::complete() const
{
    const Folder *f = m_document->category(m_category);
    return !f || m_rows == f->Items.Item.Count();
}

void ItemListModel::relist()
{
    m_relist = false;
    setCategory(m_category);
}

QString ItemListModel::setCategory(int k)
{
    beginResetModel();
    QString duplicate;
    m_category = m_document->category(k) ? k : 0;
    m_rows = m_document->listableItemCount(m_category, &duplicate);
    endResetModel();
    return duplicate;
}

int ItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ItemListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ItemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    const Clipart &clip = m_document->category(m_category)->Items.Item(index.row() + 1);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return index.column() == 0 ? clip.Description : clip.Filename;
    case Qt::DecorationRole:
        return index.column() == 0 ? m_images->icon(ItemImageIndex) : QVariant();
    default:
        return {};
    }
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? translate("artshelf", "Description") : translate("artshelf", "Filename");
}

bool ItemListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    // Renaming in place changes the title only; the picture file stays.
    if (role != Qt::EditRole || !index.isValid() || index.column() != 0 || index.row() >= m_rows)
        return false;
    return m_document->retitleItem(m_category, index.row() + 1, value.toString()).ok();
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0)
        f |= Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
    return f;
}

QStringList ItemListModel::mimeTypes() const
{
    return {ClipartMimeType};
}

QMimeData *ItemListModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> positions;
    for (const QModelIndex &index : indexes)
        if (index.isValid() && index.column() == 0 && !positions.contains(index.row() + 1))
            positions << index.row() + 1;
    return itemsMimeData(*m_document, m_category, positions);
}

Qt::DropActions ItemListModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

} // namespace qs::gallery
