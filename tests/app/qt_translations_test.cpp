// Qt's own dialogs in Russian: the open-file dialog, the standard buttons and the context menu of
// a text field, with Qt's translation loaded as vexa loads it.

#include "app/qt_translations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>
#include <memory>

namespace vexa::app {
namespace {

// The translation for one test: the other tests see Qt as it comes.
class QtTranslations : public ::testing::Test {
 protected:
  QtTranslations() : translator(LoadQtTranslations(*qApp)) {}
  ~QtTranslations() override {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  QTranslator* translator;
};

TEST_F(QtTranslations, TheOpenFileDialogSpeaksRussian) {
  ASSERT_NE(translator, nullptr) << "Qt's Russian translation (qt6-translations-l10n) is missing";
  QFileDialog dialog(nullptr, "Открыть картинку");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text(), "&Открыть");
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "Отмена");
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("&Имя файла:")) << labels.join("|").toStdString();
}

TEST_F(QtTranslations, ATextFieldsContextMenuSpeaksRussian) {
  ASSERT_NE(translator, nullptr);
  QLineEdit field("21,2");
  std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  QStringList entries;
  for (const QAction* action : menu->actions()) entries << action->text();
  EXPECT_TRUE(entries.filter("Копировать").size() == 1) << entries.join("|").toStdString();
}

}  // namespace
}  // namespace vexa::app
