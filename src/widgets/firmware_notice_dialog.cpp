#include "widgets/firmware_notice_dialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "link/web_site.h"
#include "widgets/qt_prompts.h"

namespace vexa::widgets {

namespace {

QLabel* addLink(QWidget* parent, QVBoxLayout* layout, const char* objectName,
                const QString& address) {
  auto* link = new QLabel(QString("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()), parent);
  link->setObjectName(objectName);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  layout->addWidget(link);
  return link;
}

}  // namespace

FirmwareNoticeDialog::FirmwareNoticeDialog(QWidget* parent, UrlOpener openUrl)
    : QDialog(parent), openUrl_(std::move(openUrl)) {
  setObjectName("Form11");
  setWindowTitle(QStringLiteral("Внимание"));
  if (!openUrl_) {
    openUrl_ = [](const QString& address) { return QDesktopServices::openUrl(QUrl(address)); };
  }
  auto* layout = new QVBoxLayout(this);
  message_ = new QLabel(
      QStringLiteral("Работа со станком невозможна: установленая прошивка не предназначена для "
                     "выбранной операции"),
      this);
  message_->setObjectName("Label1");
  message_->setWordWrap(true);
  layout->addWidget(message_);

  auto* updateLabel = new QLabel(QStringLiteral("Обновить/изменить прошивку:"), this);
  updateLabel->setObjectName("Label2");
  layout->addWidget(updateLabel);
  QLabel* firmwareLink =
      addLink(this, layout, "Text1", QString::fromStdString(link::WebSiteAddress("/flash_list")));

  auto* mailLabel = new QLabel(
      QStringLiteral("Если изменение настроек не помогло, напишите мне на почту, указанную в "
                     "разделе КОНТАКТЫ на сайте"),
      this);
  mailLabel->setObjectName("Label3");
  mailLabel->setWordWrap(true);
  layout->addWidget(mailLabel);
  QLabel* siteLink =
      addLink(this, layout, "Text2", QString::fromStdString(link::WebSiteAddress("")));

  auto* proceed = new QPushButton(QStringLiteral("Продолжить"), this);
  proceed->setObjectName("Command1");
  layout->addWidget(proceed, 0, Qt::AlignHCenter);

  connect(firmwareLink, &QLabel::linkActivated, this, &FirmwareNoticeDialog::openLink);
  connect(siteLink, &QLabel::linkActivated, this, &FirmwareNoticeDialog::openLink);
  connect(proceed, &QPushButton::clicked, this, &QDialog::accept);
}

void FirmwareNoticeDialog::setText(const std::string& text) {
  message_->setText(widgets::ToDisplayText(text));
}

void FirmwareNoticeDialog::openLink(const QString& address) {
  if (openUrl_(address)) return;
  message_->setText(QString::fromUtf8(kLinkRefusedText));
  message_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
}

}  // namespace vexa::widgets
