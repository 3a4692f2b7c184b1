#include "app/qt_prompts.h"

#include <QMessageBox>
#include <QPushButton>

namespace vexa::app {

QString ToDisplayText(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void QtPrompts::message(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, ToDisplayText(caption), ToDisplayText(text),
                  QMessageBox::Ok, parent_);
  box.exec();
}

bool QtPrompts::askYesNo(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, ToDisplayText(caption), ToDisplayText(text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
  return box.exec() == QMessageBox::Yes;
}

}  // namespace vexa::app
