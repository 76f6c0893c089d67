// The item model over the topic tree: one row per tree item, the node's text as caption.
// The tree (core) holds the items; this model only shows them and reports changes to views.
#pragma once

#include <QAbstractItemModel>
#include <functional>

#include "store/TNimbusNode.h" // complete for signals that carry a node
#include "tree/TopicTree.h"

namespace nimbus {

class TopicTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The node behind an index, as a pointer (qulonglong is not needed: Qt keeps void *).
    static constexpr int NodeRole = Qt::UserRole + 1;
    static constexpr const char *kMimeType = "application/x-nimbus-tree-position";

    explicit TopicTreeModel(tree::TopicTree &tree, QObject *parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

    tree::TreeItem *itemOf(const QModelIndex &index) const;
    TNimbusNode *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(const tree::TreeItem *item) const;

    // Changes of the tree, made through the model so that views follow.
    void rebuild(const std::function<void()> &change);
    tree::TreeItem *insertItem(tree::TreeItem *parent, int row, TNimbusNode *node);
    void removeItem(tree::TreeItem *item);
    void
    sortChildren(tree::TreeItem *parent,
                 const std::function<bool(const tree::TreeItem *, const tree::TreeItem *)> &less);
    // The item's caption, icon or colours may have changed.
    void itemChanged(const tree::TreeItem *item);
    // Adds what a topic dragged out of the program carries (a calendar file).
    void setDragExtras(std::function<void(const TNimbusNode *, QMimeData *)> extras)
    {
        dragExtras_ = std::move(extras);
    }

signals:
    // In-place editing is about to give the node a new caption.
    void aboutToEdit(TNimbusNode *node);
    // In-place editing changed a node's text (renamed true) or left it as it was.
    void edited(TNimbusNode *node, bool renamed);

private:
    tree::TopicTree &tree_;
    std::function<void(const TNimbusNode *, QMimeData *)> dragExtras_;
};

} // namespace nimbus
