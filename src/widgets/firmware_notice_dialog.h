#pragma once
// Form11: tells the user that the controller's firmware does not fit the chosen operation,
// with links to the firmware list and the web site.

#include <QDialog>
#include <functional>

class QLabel;

namespace vexa::widgets {

class FirmwareNoticeDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens an address in the desktop's browser; false when the system refuses.
  using UrlOpener = std::function<bool(const QString& address)>;

  explicit FirmwareNoticeDialog(QWidget* parent = nullptr, UrlOpener openUrl = {});

  void setText(const std::string& text);
  QLabel* messageLabel() const { return message_; }

 private:
  void openLink(const QString& address);

  QLabel* message_;
  UrlOpener openUrl_;
};

// The text shown in red when the system will not open a link.
inline constexpr const char* kLinkRefusedText =
    "Операционная система не позволяет открыть страницу. Откройте адрес в браузере "
    "самостоятельно.";

}  // namespace vexa::widgets
