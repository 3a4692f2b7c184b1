#pragma once
// The figure nesting tree (FigureTree) as a Qt item model, without copying the nodes: a tree of a
// noisy picture has hundreds of thousands of them.

#include <QAbstractItemModel>

#include "figures/figure_tree.h"

namespace vexa::figures {

class FigureTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  // The node's key ("P12").
  static constexpr int kKeyRole = Qt::UserRole;

  using QAbstractItemModel::QAbstractItemModel;

  // Shows `tree` (nullptr: nothing); the tree must stay unchanged until the next call.
  void setTree(const FigureTree* tree);
  const FigureTree* tree() const { return tree_; }

  // The node behind `index`, or -1.
  int nodeOf(const QModelIndex& index) const;
  QModelIndex indexOfNode(int node) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  // Leaves say they never have children: the view then keeps no persistent index and asks no
  // further question for them, which is most of the cost of a tree of a million nodes.
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const FigureTree* tree_ = nullptr;
};

}  // namespace vexa::figures
