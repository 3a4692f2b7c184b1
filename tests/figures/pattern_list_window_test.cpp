// The connectivity list window (Form10): the nine cells, "Показать", "Дальше", "Включить".

#include "figures/pattern_list_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "support/recording_prompts.h"

using vexa::figures::PatternListWindow;

class PatternListWindowTest : public QObject {
  Q_OBJECT

 private:
  // "1" for a set cell, "0" for a clear one, cells 1 to 9.
  static QString shownCells(const PatternListWindow& window) {
    QString cells;
    for (int i = 1; i <= 9; ++i) {
      const QColor colour = window.cell(i)->palette().color(QPalette::Window);
      if (colour == window.setColour()) {
        cells += '1';
      } else if (colour == window.clearColour()) {
        cells += '0';
      } else {
        cells += '?';
      }
    }
    return cells;
  }

  static void show(PatternListWindow& window, const QString& text) {
    window.numberField()->setText(text);
    window.showButton()->click();
  }

 private slots:
  void opensOnPatternZero() {
    vexa::test::RecordingPrompts prompts;
    PatternListWindow window(prompts);
    QCOMPARE(window.objectName(), QString("Form10"));
    QCOMPARE(window.windowTitle(), QString("Список связных"));
    QCOMPARE(window.findChildren<QLabel*>("Label1").size(), 9);
    QVERIFY(window.setColour() != window.clearColour());
    QCOMPARE(window.numberField()->text(), QString("0"));
    QCOMPARE(window.listField()->text(), QString());
    QCOMPARE(shownCells(window), QString("000000000"));
    QCOMPARE(window.showButton()->text(), QString("Показать"));
    QCOMPARE(window.includeButton()->text(), QString("Включить"));
    QCOMPARE(window.nextButton()->text(), QString("Дальше"));
  }

  void nextStepsToCentreSetPatternsOfThreeCellsOrMore() {
    vexa::test::RecordingPrompts prompts;
    PatternListWindow window(prompts);
    window.nextButton()->click();
    QCOMPARE(window.numberField()->text(), QString("19"));
    QCOMPARE(shownCells(window), QString("110010000"));
    window.nextButton()->click();
    QCOMPARE(window.numberField()->text(), QString("21"));
  }

  void includeCollectsTheListAndMovesOn() {
    vexa::test::RecordingPrompts prompts;
    PatternListWindow window(prompts);
    window.nextButton()->click();
    window.includeButton()->click();
    QCOMPARE(window.patternNumber(), 21);
    window.includeButton()->click();
    QCOMPARE(window.listField()->text(), QString("19,21"));
    QCOMPARE(window.numberField()->text(), QString("22"));
    // The list is the user's text: edits are kept and appended to.
    window.listField()->setText("7");
    window.includeButton()->click();
    QCOMPARE(window.listField()->text(), QString("7,22"));
  }

  void showTakesTheTypedNumber() {
    vexa::test::RecordingPrompts prompts;
    PatternListWindow window(prompts);
    show(window, "511");
    QCOMPARE(shownCells(window), QString("111111111"));
    show(window, "512");
    QCOMPARE(shownCells(window), QString("000000000"));
    QCOMPARE(window.numberField()->text(), QString("512"));
    QVERIFY(prompts.messages.empty());
  }

  void showRefusesTextThatIsNotAWholeNumber() {
    vexa::test::RecordingPrompts prompts;
    PatternListWindow window(prompts);
    show(window, "19");
    show(window, "2,5");
    QCOMPARE(prompts.messages.size(), size_t(1));
    QCOMPARE(prompts.messages[0].caption, std::string("Ошибка"));
    QCOMPARE(prompts.messages[0].text, std::string("Введите целое число!"));
    QCOMPARE(window.patternNumber(), 19);
    QCOMPARE(window.numberField()->text(), QString("2,5"));
    QCOMPARE(shownCells(window), QString("110010000"));
  }

  void nextStopsAtTheLastPattern() {
    vexa::test::RecordingPrompts prompts;
    PatternListWindow window(prompts);
    show(window, "510");
    window.nextButton()->click();
    QCOMPARE(window.patternNumber(), 511);
    window.nextButton()->click();
    QCOMPARE(window.patternNumber(), 511);
  }
};

QTEST_MAIN(PatternListWindowTest)
#include "pattern_list_window_test.moc"
