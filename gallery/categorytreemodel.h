#pragma once

#include "imagelist.h"

#include <QAbstractItemModel>

namespace qs::gallery {

class GalleryDocument;

// Where position p ends up when the entry at from moves to to.
inline int positionAfterMove(int p, int from, int to)
{
    if (p == from)
        return to;
    if (from < p && p <= to)
        return p - 1;
    if (to <= p && p < from)
        return p + 1;
    return p;
}

// Image list positions shared by the category tree and the item list.
enum GalleryImage : int {
    GalleryImageIndex = 1,
    CategoryImageIndex = 2,
    SelectedCategoryImageIndex = 3,
    ItemImageIndex = 4,
};

// The category tree: one root node standing for the gallery (its text is the gallery's name,
// the only text that can be edited here), with one child per category in document order.
class CategoryTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    // No node; the root node.
    static constexpr int NoNode = -1;
    static constexpr int RootNode = 0;

    CategoryTreeModel(GalleryDocument *document, const ImageList *images, QObject *parent);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A drag carries the categories as Copy does.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    QModelIndex rootIndex() const { return index(0, 0); }
    QModelIndex categoryIndex(int k) const;
    // The category a node shows (1..count), RootNode for the root, NoNode for no node.
    int categoryOf(const QModelIndex &index) const;
    // The category shown with the selected-category image.
    void setCurrentCategory(int k);

private:
    void connectDocument();

    GalleryDocument *m_document;
    const ImageList *m_images;
    int m_current = NoNode;
};

} // namespace qs::gallery
