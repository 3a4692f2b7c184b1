// HighlightFigure: the selected figure green over the working picture, never beyond the map.

#include "figures/highlight_figure.h"

#include <gtest/gtest.h>

#include "figure_pictures.h"
#include "figures/parse_figures.h"

namespace vexa::figures {
namespace {

using test::Drawn;

// 'G' green, '#' black, '.' white, '?' anything else.
std::vector<std::string> seen(const picture::PixelBuffer& picture) {
  std::vector<std::string> rows;
  for (int y = 1; y <= picture.height(); ++y) {
    std::string row;
    for (int x = 1; x <= picture.width(); ++x) {
      const std::uint8_t* p = picture.pixel(x, y);
      if (p[0] == 0 && p[1] == 255 && p[2] == 0) {
        row += 'G';
      } else if (p[0] == p[1] && p[1] == p[2]) {
        row += p[0] == 0 ? '#' : p[0] == 255 ? '.' : '?';
      } else {
        row += '?';
      }
    }
    rows.push_back(row);
  }
  return rows;
}

using Rows = std::vector<std::string>;

TEST(HighlightFigure, PaintsTheFigureGreenOverAFreshCopy) {
  const picture::PixelBuffer working = Drawn({"....", ".##.", "#..."});
  FigureData data;
  ParseFigures(working, data);
  picture::PixelBuffer selection;
  HighlightFigure(working, data.map, 2, selection);
  EXPECT_EQ(seen(selection), (Rows{"....", ".GG.", "#..."}));
  // The next click starts again from the working picture: 2 loses its green.
  HighlightFigure(working, data.map, 3, selection);
  EXPECT_EQ(seen(selection), (Rows{"....", ".##.", "G..."}));
  HighlightFigure(working, data.map, 1, selection);
  EXPECT_EQ(seen(selection), (Rows{"GGGG", "G##G", "#GGG"}));
}

TEST(HighlightFigure, AMapOfAnotherSizePaintsOnlyWhereBothReach) {
  FigureData data;
  ParseFigures(Drawn({"##", "##"}), data);
  picture::PixelBuffer selection;
  const picture::PixelBuffer larger(4, 3, 0);
  HighlightFigure(larger, data.map, 2, selection);
  EXPECT_EQ(seen(selection), (Rows{"GG##", "GG##", "####"}));

  ParseFigures(picture::PixelBuffer(5, 5, 0), data);
  const picture::PixelBuffer smaller(2, 1, 0);
  HighlightFigure(smaller, data.map, 2, selection);
  EXPECT_EQ(seen(selection), (Rows{"GG"}));

  HighlightFigure(larger, FigureMap(), 2, selection);
  EXPECT_EQ(selection, larger);
}

}  // namespace
}  // namespace vexa::figures
