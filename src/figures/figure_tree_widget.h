#pragma once
// The tree view `tv` of the figure windows: shows the figure nesting tree, every node with
// children expanded, and tells the window which figure the user picks.

#include <QTreeView>
#include <optional>
#include <string>

#include "figures/figure_tree.h"

namespace vexa::figures {

class FigureTreeModel;

class FigureTreeWidget : public QTreeView {
  Q_OBJECT

 public:
  explicit FigureTreeWidget(QWidget* parent = nullptr);

  // Shows `tree` (nullptr: no tree) with no node selected. The window calls it after every
  // BuildFigureTree (ParseFigures), before events are let through, and keeps the tree unchanged
  // until the next call.
  void showTree(const FigureTree* tree);

  // How many nodes the tree has: 0 means not parsed.
  int nodeCount() const;
  // The key ("P12") of the selected node, or nullopt when none is selected.
  std::optional<std::string> selectedKey() const;
  // Selects the node with `key` as the user would; false when there is none.
  bool selectKey(const std::string& key);

 signals:
  // The user picked a node (clicked it, or moved the selection with the keys): the window paints
  // that figure into its selection picture (HighlightFigure).
  void figureChosen(int figure);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void onSelectionChanged();
  void onClicked(const QModelIndex& index);

  FigureTreeModel* model_;
  bool pressChangedSelection_ = false;
};

}  // namespace vexa::figures
