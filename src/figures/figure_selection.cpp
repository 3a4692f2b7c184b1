#include "figures/figure_selection.h"

#include <charconv>

namespace vexa::figures {

std::int32_t SelectedFigure(std::string_view key) {
  if (key.size() < 2) return 0;
  std::int32_t figure = 0;
  const char* last = key.data() + key.size();
  const auto [end, error] = std::from_chars(key.data() + 1, last, figure);
  return error == std::errc() && end == last ? figure : 0;
}

bool CheckFigureTree(const FigureTree& tree, link::Prompts& prompts) {
  if (!tree.empty()) return true;
  prompts.message(link::kErrorCaption, kNoTreeText);
  return false;
}

std::optional<std::int32_t> CheckSelectedFigure(const FigureTree& tree,
                                                const std::optional<std::string>& selectedKey,
                                                link::Prompts& prompts) {
  if (!CheckFigureTree(tree, prompts)) return std::nullopt;
  if (!selectedKey) {
    prompts.message(link::kErrorCaption, kNoSelectionText);
    return std::nullopt;
  }
  return SelectedFigure(*selectedKey);
}

}  // namespace vexa::figures
