// The selected figure and the checks the figure commands make before a job.

#include "figures/figure_selection.h"

#include <gtest/gtest.h>

#include "support/recording_prompts.h"

namespace vexa::figures {
namespace {

FigureTree twoNodes() {
  FigureLinks links;
  links.append(1, 2);
  FigureTable table;
  FigureTree tree;
  BuildFigureTree(links, table, tree);
  return tree;
}

TEST(SelectedFigure, IsTheKeyWithoutItsLetter) {
  EXPECT_EQ(SelectedFigure("P12"), 12);
  EXPECT_EQ(SelectedFigure("P1"), 1);
  EXPECT_EQ(SelectedFigure("P"), 0);
  EXPECT_EQ(SelectedFigure("Px"), 0);
  EXPECT_EQ(SelectedFigure(""), 0);
}

TEST(SelectionCheck, WithoutATreeBothCommandsShowTheNoTreeMessage) {
  test::RecordingPrompts prompts;
  const FigureTree empty;
  EXPECT_FALSE(CheckFigureTree(empty, prompts));
  EXPECT_EQ(CheckSelectedFigure(empty, std::string("P2"), prompts), std::nullopt);
  ASSERT_EQ(prompts.messages.size(), 2u);
  for (const test::ShownMessage& shown : prompts.messages) {
    EXPECT_EQ(shown.caption, "Ошибка");
    EXPECT_EQ(shown.text,
              "Изображение не загружено или не разобрано.\r\n"
              "Если изображение загружено, нажмите кнопку 'Разобрать'.\r\n"
              "Необходимо, чтобы программа построила дерево вложения фигур.");
  }
}

TEST(SelectionCheck, SelectedNeedsASelectedNode) {
  test::RecordingPrompts prompts;
  const FigureTree tree = twoNodes();
  EXPECT_EQ(CheckSelectedFigure(tree, std::nullopt, prompts), std::nullopt);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
  EXPECT_EQ(prompts.messages[0].text, "Не выбрана фигура.\r\nВыберите фигуру в дереве.");
}

TEST(SelectionCheck, PassesWithATreeAndASelection) {
  test::RecordingPrompts prompts;
  const FigureTree tree = twoNodes();
  EXPECT_TRUE(CheckFigureTree(tree, prompts));
  EXPECT_EQ(CheckSelectedFigure(tree, std::string("P2"), prompts), 2);
  EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace vexa::figures
