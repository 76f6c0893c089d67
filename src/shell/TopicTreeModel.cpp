// Rows, captions, in-place renaming and drag data of the topic tree.
#include "shell/TopicTreeModel.h"

#include <QMimeData>

#include "store/TNimbusNode.h"
#include "tree/TreeRules.h"
#include "widgets/ShownText.h"

namespace nimbus {

using tree::TreeItem;

TopicTreeModel::TopicTreeModel(tree::TopicTree &tree, QObject *parent)
    : QAbstractItemModel(parent), tree_(tree)
{
}

TreeItem *TopicTreeModel::itemOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<TreeItem *>(index.internalPointer()) : nullptr;
}

TNimbusNode *TopicTreeModel::nodeOf(const QModelIndex &index) const
{
    const TreeItem *item = itemOf(index);
    return item ? item->node : nullptr;
}

QModelIndex TopicTreeModel::indexOf(const TreeItem *item) const
{
    return item ? createIndex(item->row, 0, const_cast<TreeItem *>(item)) : QModelIndex();
}

QModelIndex TopicTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    const TreeItem *owner = parent.isValid() ? itemOf(parent) : &tree_.root();
    if (column != 0 || row < 0 || row >= owner->childCount())
        return {};
    return createIndex(row, 0, owner->child(row));
}

QModelIndex TopicTreeModel::parent(const QModelIndex &child) const
{
    const TreeItem *item = itemOf(child);
    return item ? indexOf(item->parent) : QModelIndex();
}

int TopicTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const TreeItem *owner = parent.isValid() ? itemOf(parent) : &tree_.root();
    return owner->childCount();
}

int TopicTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant TopicTreeModel::data(const QModelIndex &index, int role) const
{
    const TNimbusNode *node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::EditRole:
        return QString::fromLocal8Bit(node->text.c_str());
    case Qt::DisplayRole:
    // The whole caption when the pane cuts a deep one short.
    case Qt::ToolTipRole:
        return widgets::shownText(node->text);
    case NodeRole:
        return QVariant::fromValue(static_cast<void *>(const_cast<TNimbusNode *>(node)));
    default:
        return {};
    }
}

bool TopicTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    TNimbusNode *node = nodeOf(index);
    if (!node || role != Qt::EditRole)
        return false;
    const std::optional<std::string> text =
        tree::RenamedText(value.toString().toLocal8Bit().toStdString());
    // An empty caption keeps the old one: the node's text was never touched.
    if (text) {
        emit aboutToEdit(node);
        node->text = *text;
    }
    emit dataChanged(index, index);
    emit edited(node, text.has_value());
    return true;
}

Qt::ItemFlags TopicTreeModel::flags(const QModelIndex &index) const
{
    const TNimbusNode *node = nodeOf(index);
    if (!node)
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (node->lev > 0)
        flags |= Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
    return flags;
}

QStringList TopicTreeModel::mimeTypes() const
{
    return {QString::fromLatin1(kMimeType)};
}

QMimeData *TopicTreeModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(kMimeType),
                  QByteArray::number(tree_.position(itemOf(indexes.first()))));
    if (dragExtras_)
        dragExtras_(nodeOf(indexes.first()), data);
    return data;
}

Qt::DropActions TopicTreeModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions TopicTreeModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

void TopicTreeModel::rebuild(const std::function<void()> &change)
{
    beginResetModel();
    change();
    endResetModel();
}

TreeItem *TopicTreeModel::insertItem(TreeItem *parent, int row, TNimbusNode *node)
{
    const TreeItem &owner = parent ? *parent : tree_.root();
    row = std::clamp(row, 0, owner.childCount());
    beginInsertRows(indexOf(parent), row, row);
    TreeItem *item = tree_.insert(parent, row, node);
    endInsertRows();
    return item;
}

void TopicTreeModel::removeItem(TreeItem *item)
{
    beginRemoveRows(indexOf(item->parent), item->row, item->row);
    tree_.remove(item);
    endRemoveRows();
}

void TopicTreeModel::sortChildren(
    TreeItem *parent, const std::function<bool(const TreeItem *, const TreeItem *)> &less)
{
    const QModelIndex parentIndex = indexOf(parent);
    emit layoutAboutToBeChanged({QPersistentModelIndex(parentIndex)},
                                QAbstractItemModel::VerticalSortHint);
    // Only the direct children change rows; indexes below them keep theirs.
    const QModelIndexList before = persistentIndexList();
    tree_.sortChildren(parent, less);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(index.parent() == parentIndex ? indexOf(itemOf(index)) : index);
    changePersistentIndexList(before, after);
    emit layoutChanged({QPersistentModelIndex(parentIndex)}, QAbstractItemModel::VerticalSortHint);
}

void TopicTreeModel::itemChanged(const TreeItem *item)
{
    const QModelIndex index = indexOf(item);
    if (index.isValid())
        emit dataChanged(index, index);
}

} // namespace nimbus
