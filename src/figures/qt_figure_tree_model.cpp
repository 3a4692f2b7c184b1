#include "figures/qt_figure_tree_model.h"

namespace vexa::figures {

void FigureTreeModel::setTree(const FigureTree* tree) {
  beginResetModel();
  tree_ = tree;
  endResetModel();
}

int FigureTreeModel::nodeOf(const QModelIndex& index) const {
  if (!index.isValid() || tree_ == nullptr) return -1;
  return static_cast<int>(index.internalId());
}

QModelIndex FigureTreeModel::indexOfNode(int node) const {
  if (tree_ == nullptr || node < 0 || node >= tree_->size()) return {};
  return createIndex(tree_->node(node).row, 0, static_cast<quintptr>(node));
}

QModelIndex FigureTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (tree_ == nullptr || column != 0 || row < 0) return {};
  if (!parent.isValid()) return row == 0 && !tree_->empty() ? indexOfNode(0) : QModelIndex();
  const int node = nodeOf(parent);
  if (row >= tree_->childCount(node)) return {};
  return indexOfNode(tree_->child(node, row));
}

QModelIndex FigureTreeModel::parent(const QModelIndex& child) const {
  const int node = nodeOf(child);
  if (node < 0) return {};
  return indexOfNode(tree_->node(node).parent);
}

int FigureTreeModel::rowCount(const QModelIndex& parent) const {
  if (tree_ == nullptr) return 0;
  if (!parent.isValid()) return tree_->empty() ? 0 : 1;
  if (parent.column() != 0) return 0;
  return tree_->childCount(nodeOf(parent));
}

int FigureTreeModel::columnCount(const QModelIndex&) const {
  return 1;
}

bool FigureTreeModel::hasChildren(const QModelIndex& parent) const {
  return rowCount(parent) > 0;
}

Qt::ItemFlags FigureTreeModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractItemModel::flags(index);
  const int node = nodeOf(index);
  if (node >= 0 && tree_->childCount(node) == 0) flags |= Qt::ItemNeverHasChildren;
  return flags;
}

QVariant FigureTreeModel::data(const QModelIndex& index, int role) const {
  const int node = nodeOf(index);
  if (node < 0) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(tree_->node(node).text());
  if (role == kKeyRole) return QString::fromStdString(tree_->node(node).key());
  return {};
}

}  // namespace vexa::figures
