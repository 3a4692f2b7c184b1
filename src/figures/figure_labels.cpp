#include "figures/figure_labels.h"

namespace vexa::figures {

int FigureLabels::nextNumber() {
  if (!freed_.empty()) {
    std::pop_heap(freed_.begin(), freed_.end(), std::greater<>());
    const int number = freed_.back();
    freed_.pop_back();
    return number;
  }
  table_.doubleLength();
  return ++highest_;
}

int FigureLabels::mergeSets(int absorbed, int kept) {
  const int a = root(absorbed);
  const int k = root(kept);
  if (a == k) return k;
  const int freedNumber = number_[a];
  table_[freedNumber].state = kFree;
  freed_.push_back(freedNumber);
  std::push_heap(freed_.begin(), freed_.end(), std::greater<>());
  // The older label becomes the root: in scan order that keeps the trees flat.
  const int newRoot = a < k ? a : k;
  parent_[a + k - newRoot] = newRoot;
  number_[newRoot] = number_[k];
  return newRoot;
}

}  // namespace vexa::figures
