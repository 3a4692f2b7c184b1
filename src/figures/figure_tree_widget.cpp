#include "figures/figure_tree_widget.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "figures/figure_selection.h"
#include "figures/qt_figure_tree_model.h"

namespace vexa::figures {

FigureTreeWidget::FigureTreeWidget(QWidget* parent)
    : QTreeView(parent), model_(new FigureTreeModel(this)) {
  setObjectName("tv");
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setModel(model_);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &FigureTreeWidget::onSelectionChanged);
  connect(this, &QTreeView::clicked, this, &FigureTreeWidget::onClicked);
}

void FigureTreeWidget::showTree(const FigureTree* tree) {
  model_->setTree(tree);
  expandAll();
}

int FigureTreeWidget::nodeCount() const {
  return model_->tree() == nullptr ? 0 : model_->tree()->size();
}

std::optional<std::string> FigureTreeWidget::selectedKey() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return std::nullopt;
  return selected.front().data(FigureTreeModel::kKeyRole).toString().toStdString();
}

bool FigureTreeWidget::selectKey(const std::string& key) {
  const FigureTree* tree = model_->tree();
  const QModelIndex index =
      tree == nullptr ? QModelIndex() : model_->indexOfNode(tree->nodeOfKey(key));
  if (!index.isValid()) return false;
  setCurrentIndex(index);
  scrollTo(index);
  return true;
}

void FigureTreeWidget::mousePressEvent(QMouseEvent* event) {
  pressChangedSelection_ = false;
  QTreeView::mousePressEvent(event);
}

void FigureTreeWidget::onSelectionChanged() {
  pressChangedSelection_ = true;
  if (const auto key = selectedKey()) emit figureChosen(SelectedFigure(*key));
}

void FigureTreeWidget::onClicked(const QModelIndex& index) {
  // A click on the node already selected paints it again (the working picture may have changed);
  // a click that selected it has been answered already.
  if (!pressChangedSelection_ && index.isValid()) {
    if (const auto key = selectedKey()) emit figureChosen(SelectedFigure(*key));
  }
  pressChangedSelection_ = false;
}

}  // namespace vexa::figures
