#pragma once
// SelectedFigure and the selection check that the figure commands ("Выделенная", "Все") of the
// milling and outline windows make before a job.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "figures/figure_tree.h"
#include "link/prompts.h"

namespace vexa::figures {

inline constexpr const char* kNoTreeText =
    "Изображение не загружено или не разобрано.\r\n"
    "Если изображение загружено, нажмите кнопку 'Разобрать'.\r\n"
    "Необходимо, чтобы программа построила дерево вложения фигур.";
inline constexpr const char* kNoSelectionText = "Не выбрана фигура.\r\nВыберите фигуру в дереве.";

// The figure of a node's key: the key without its first character as a number ("P12" gives 12);
// 0, which no figure has, when the rest is not a number.
std::int32_t SelectedFigure(std::string_view key);

// "Все": true when there is a tree; otherwise the no-tree message is shown.
bool CheckFigureTree(const FigureTree& tree, link::Prompts& prompts);

// "Выделенная": the selected figure when there is a tree and a node is selected
// (`selectedKey`, nullopt for none); otherwise the matching message is shown and nullopt comes
// back.
std::optional<std::int32_t> CheckSelectedFigure(const FigureTree& tree,
                                                const std::optional<std::string>& selectedKey,
                                                link::Prompts& prompts);

}  // namespace vexa::figures
