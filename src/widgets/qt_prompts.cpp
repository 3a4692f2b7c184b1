#include "widgets/qt_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "widgets/firmware_notice_dialog.h"

namespace vexa::widgets {

QString ToDisplayText(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void QtPrompts::message(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, ToDisplayText(caption), ToDisplayText(text), QMessageBox::Ok,
                  parent_);
  box.exec();
}

bool QtPrompts::askYesNo(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, ToDisplayText(caption), ToDisplayText(text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
  return box.exec() == QMessageBox::Yes;
}

int QtPrompts::PauseDialog() {
  // Without a dialog to ask, stopping is the safe answer.
  return runPauseDialog_ ? runPauseDialog_() : 0;
}

void QtPrompts::showFirmwareNotice(const std::string& text) {
  widgets::FirmwareNoticeDialog notice(parent_);
  notice.setText(text);
  notice.exec();
}

std::optional<std::string> QtPrompts::chooseFileToOpen(const std::string& title,
                                                       const std::vector<link::FileFilter>& filters,
                                                       const std::string& initialFolder) {
  QStringList filterTexts;
  for (const link::FileFilter& filter : filters) {
    QString patterns = QString::fromStdString(filter.patterns);
    patterns.replace(';', ' ');
    filterTexts << QString::fromStdString(filter.description) + " (" + patterns + ")";
  }
  const QString path =
      QFileDialog::getOpenFileName(parent_, QString::fromStdString(title),
                                   QString::fromStdString(initialFolder), filterTexts.join(";;"));
  if (path.isEmpty()) return std::nullopt;
  // UTF-8, with the system's own separators ("C:\Картинки\кот.jpg" on Windows).
  return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace vexa::widgets
