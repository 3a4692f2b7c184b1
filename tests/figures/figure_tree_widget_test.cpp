// The tree view `tv` over the figure nesting tree: nodes, keys, expansion, picking a figure.

#include "figures/figure_tree_widget.h"

#include <QSignalSpy>
#include <QtTest>

#include "figure_pictures.h"
#include "figures/parse_figures.h"
#include "figures/qt_figure_tree_model.h"

using vexa::figures::FigureData;
using vexa::figures::FigureTreeModel;
using vexa::figures::FigureTreeWidget;
using vexa::figures::ParseFigures;
using vexa::figures::test::Drawn;

class FigureTreeWidgetTest : public QObject {
  Q_OBJECT

 private:
  // Ring 2 with hole 3 holding dot 5, and a second shape 4 (met in row 3, before the dot in
  // row 4), on background 1.
  static FigureData parsedDrawing() {
    FigureData data;
    ParseFigures(Drawn({"..........", ".#####....", ".#...#.##.", ".#.#.#.##.", ".#...#....",
                        ".#####....", ".........."}),
                 data);
    return data;
  }

  // Every node's text, depth first, with its depth in dots.
  static QStringList shown(const QTreeView& view) {
    QStringList lines;
    std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
      for (int row = 0; row < view.model()->rowCount(parent); ++row) {
        const QModelIndex index = view.model()->index(row, 0, parent);
        lines << QString(depth, '.') + index.data().toString();
        walk(index, depth + 1);
      }
    };
    walk({}, 0);
    return lines;
  }

  static QModelIndex indexOfKey(const QTreeView& view, const QString& key) {
    const QModelIndexList found =
        view.model()->match(view.model()->index(0, 0), FigureTreeModel::kKeyRole, key, 1,
                            Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.front();
  }

 private slots:
  void showsTheNestingWithEveryParentExpanded() {
    const FigureData data = parsedDrawing();
    FigureTreeWidget tv;
    QCOMPARE(tv.objectName(), QString("tv"));
    QCOMPARE(tv.nodeCount(), 0);
    tv.showTree(&data.tree);
    QCOMPARE(tv.nodeCount(), 5);
    QCOMPARE(shown(tv), QStringList({"1", ".2", "..3", "...5", ".4"}));
    QCOMPARE(indexOfKey(tv, "P3").data().toString(), QString("3"));
    QVERIFY(tv.isExpanded(indexOfKey(tv, "P1")));
    QVERIFY(tv.isExpanded(indexOfKey(tv, "P3")));
    QCOMPARE(tv.selectedKey(), std::nullopt);
  }

  void clickingANodeChoosesItsFigure() {
    const FigureData data = parsedDrawing();
    FigureTreeWidget tv;
    tv.resize(200, 300);
    tv.showTree(&data.tree);
    tv.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tv));
    QSignalSpy chosen(&tv, &FigureTreeWidget::figureChosen);

    const QRect hole = tv.visualRect(indexOfKey(tv, "P3"));
    QTest::mouseClick(tv.viewport(), Qt::LeftButton, {}, hole.center());
    QCOMPARE(tv.selectedKey(), std::optional<std::string>("P3"));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.takeFirst().at(0).toInt(), 3);

    // Clicking it again repaints once more; moving down with the keys picks the dot.
    QTest::mouseClick(tv.viewport(), Qt::LeftButton, {}, hole.center());
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.takeFirst().at(0).toInt(), 3);
    QTest::keyClick(&tv, Qt::Key_Down);
    QCOMPARE(tv.selectedKey(), std::optional<std::string>("P5"));
    QCOMPARE(chosen.takeFirst().at(0).toInt(), 5);
  }

  void aNewTreeDropsTheSelection() {
    FigureData data = parsedDrawing();
    FigureTreeWidget tv;
    tv.showTree(&data.tree);
    QVERIFY(tv.selectKey("P4"));
    QCOMPARE(tv.selectedKey(), std::optional<std::string>("P4"));
    QVERIFY(!tv.selectKey("P9"));

    ParseFigures(Drawn({"...", ".#.", "..."}), data);
    tv.showTree(&data.tree);
    QCOMPARE(tv.selectedKey(), std::nullopt);
    QCOMPARE(shown(tv), QStringList({"1", ".2"}));

    ParseFigures(Drawn({"...", "..."}), data);
    tv.showTree(&data.tree);
    QCOMPARE(tv.nodeCount(), 0);
    QCOMPARE(tv.model()->rowCount(), 0);
    tv.showTree(nullptr);
    QCOMPARE(tv.nodeCount(), 0);
  }
};

QTEST_MAIN(FigureTreeWidgetTest)
#include "figure_tree_widget_test.moc"
