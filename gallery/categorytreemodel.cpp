#include "categorytreemodel.h"

#include "galleryclipboard.h"
#include "gallerydocument.h"

namespace qs::gallery {

namespace {
// internalId of the root node; category nodes carry their parent's id, 1.
constexpr quintptr RootId = 0;
constexpr quintptr CategoryId = 1;
} // namespace

CategoryTreeModel::CategoryTreeModel(GalleryDocument *document, const ImageList *images,
                                     QObject *parent)
    : QAbstractItemModel(parent)
    , m_document(document)
    , m_images(images)
{
    connectDocument();
}

void CategoryTreeModel::connectDocument()
{
    GalleryDocument *d = m_document;
    connect(d, &GalleryDocument::aboutToReset, this, [this] { beginResetModel(); });
    connect(d, &GalleryDocument::wasReset, this, [this] {
        m_current = NoNode;
        endResetModel();
    });
    connect(d, &GalleryDocument::nameChanged, this,
            [this] { emit dataChanged(rootIndex(), rootIndex()); });
    connect(d, &GalleryDocument::categoryAboutToBeAdded, this, [this](int k) {
        beginInsertRows(rootIndex(), k - 1, k - 1);
        if (m_current >= k)
            ++m_current;
    });
    connect(d, &GalleryDocument::categoryAdded, this, [this] { endInsertRows(); });
    connect(d, &GalleryDocument::categoryChanged, this,
            [this](int k) { emit dataChanged(categoryIndex(k), categoryIndex(k)); });
    connect(d, &GalleryDocument::categoryAboutToBeRemoved, this, [this](int k) {
        beginRemoveRows(rootIndex(), k - 1, k - 1);
        if (m_current == k)
            m_current = NoNode;
        else if (m_current > k)
            --m_current;
    });
    connect(d, &GalleryDocument::categoryRemoved, this, [this] { endRemoveRows(); });
    connect(d, &GalleryDocument::categoryAboutToBeMoved, this, [this](int from, int to) {
        // Qt counts the destination before the move.
        beginMoveRows(rootIndex(), from - 1, from - 1, rootIndex(), to > from ? to : to - 1);
        if (m_current >= 1)
            m_current = positionAfterMove(m_current, from, to);
    });
    connect(d, &GalleryDocument::categoryMoved, this, [this] { endMoveRows(); });
}

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? createIndex(0, 0, RootId) : QModelIndex();
    if (parent.internalId() == RootId && row < m_document->categoryCount())
        return createIndex(row, 0, CategoryId);
    return {};
}

QModelIndex CategoryTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == RootId)
        return {};
    return rootIndex();
}

int CategoryTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return 1;
    if (parent.column() == 0 && parent.internalId() == RootId)
        return m_document->categoryCount();
    return 0;
}

int CategoryTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QModelIndex CategoryTreeModel::categoryIndex(int k) const
{
    return k == RootNode ? rootIndex() : index(k - 1, 0, rootIndex());
}

int CategoryTreeModel::categoryOf(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return NoNode;
    return index.internalId() == RootId ? RootNode : index.row() + 1;
}

QVariant CategoryTreeModel::data(const QModelIndex &index, int role) const
{
    const int k = categoryOf(index);
    if (k == NoNode)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return k == RootNode ? m_document->name() : m_document->category(k)->FolderName;
    case Qt::DecorationRole:
        if (k == RootNode)
            return m_images->icon(GalleryImageIndex);
        return m_images->icon(k == m_current ? SelectedCategoryImageIndex : CategoryImageIndex);
    default:
        return {};
    }
}

bool CategoryTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    // Only the root's text can change here: it is the gallery's name.
    if (role != Qt::EditRole || categoryOf(index) != RootNode)
        return false;
    return m_document->rename(value.toString()).ok();
}

Qt::ItemFlags CategoryTreeModel::flags(const QModelIndex &index) const
{
    const int k = categoryOf(index);
    if (k == NoNode)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (k == RootNode)
        f |= Qt::ItemIsEditable;
    else
        f |= Qt::ItemNeverHasChildren | Qt::ItemIsDragEnabled;
    return f;
}

QStringList CategoryTreeModel::mimeTypes() const
{
    return {ClipartMimeType};
}

QMimeData *CategoryTreeModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> positions;
    for (const QModelIndex &index : indexes)
        if (categoryOf(index) >= 1)
            positions << categoryOf(index);
    return categoriesMimeData(*m_document, positions);
}

Qt::DropActions CategoryTreeModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

void CategoryTreeModel::setCurrentCategory(int k)
{
    if (k == m_current)
        return;
    const int old = m_current;
    m_current = k;
    for (int changed : {old, k})
        if (changed >= 1 && changed <= m_document->categoryCount())
            emit dataChanged(categoryIndex(changed), categoryIndex(changed), {Qt::DecorationRole});
}

} // namespace qs::gallery
