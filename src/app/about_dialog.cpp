#include "app/about_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "app/check_countdown.h"
#include "app/main_window.h"
#include "app/update_schedule.h"
#include "link/web_site.h"
#include "picture/qt_path.h"
#include "widgets/qt_prompts.h"

namespace vexa::app {

namespace {

constexpr const char* kDescription =
    "Программа Vexa (Vexa) предназначена для работы со станками с ЧПУ различных конфигураций. В "
    "качестве контроллера используется Arduino (Nano, UNO, Mega).";

// Sleeps until something happens, at the latest the next heartbeat, rather than spin for 5 s.
class WaitingPump final : public link::EventPump {
 public:
  WaitingPump() { heartbeat_.start(100); }
  void processPendingEvents() override {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

 private:
  QTimer heartbeat_;
};

// The system's colour value holds blue, green, red from the high byte down.
QString colourStyle(int colour) {
  return QString("color: rgb(%1, %2, %3);")
      .arg(colour & 0xFF)
      .arg((colour >> 8) & 0xFF)
      .arg((colour >> 16) & 0xFF);
}

QLabel* addLabel(QGridLayout* grid, int row, int column, const QString& text,
                 const char* objectName, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(objectName);
  grid->addWidget(label, row, column);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(MainWindow& main, QWidget* parent, UrlOpener openUrl,
                         link::WholeSecondsClock clock)
    : QDialog(parent), main_(main), openUrl_(std::move(openUrl)), clock_(std::move(clock)) {
  setObjectName("Form12");
  setWindowTitle(QStringLiteral("О программе"));
  if (!openUrl_) {
    openUrl_ = [](const QString& address) { return QDesktopServices::openUrl(QUrl(address)); };
  }
  auto* grid = new QGridLayout(this);
  description_ = new QLabel(QString::fromUtf8(kDescription), this);
  description_->setObjectName("Label1");
  description_->setWordWrap(true);
  grid->addWidget(description_, 0, 0, 1, 2);

  addLabel(grid, 1, 0, QStringLiteral("Установленная версия:"), "Label2", this);
  installed_ = addLabel(grid, 1, 1, QStringLiteral("ver"), "Label3", this);
  addLabel(grid, 2, 0, QStringLiteral("Актуальная версия:"), "Label4", this);
  // Empty rather than a placeholder until the server has answered.
  latest_ = addLabel(grid, 2, 1, QString(), "Label5", this);
  status_ = new QLabel(QString::fromUtf8(kUpdateRecommendedText), this);
  status_->setObjectName("Label6");
  grid->addWidget(status_, 3, 0, 1, 2);
  status_->hide();
  checkButton_ = new QPushButton(QString::fromUtf8(kCheckCaption), this);
  checkButton_->setObjectName("Command1");
  grid->addWidget(checkButton_, 4, 0);

  addLabel(grid, 5, 0, QStringLiteral("Частота проверки обновлений"), "Label7", this);
  frequencyList_ = new QComboBox(this);
  frequencyList_->setObjectName("Combo1");
  grid->addWidget(frequencyList_, 5, 1);

  static const char* const kLinks[][4] = {
      {"Скачать/обновить программу:", "Label8", "Text1", "/download"},
      {"Посетить сайт проекта:", "Label9", "Text2", ""},
      {"Обновить/изменить прошивку:", "Label10", "Text3", "/flash_list"}};
  int row = 6;
  for (const auto& link : kLinks) {
    addLabel(grid, row, 0, QString::fromUtf8(link[0]), link[1], this);
    const QString address = QString::fromStdString(link::WebSiteAddress(link[3]));
    QLabel* field = addLabel(
        grid, row, 1, QString("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()), link[2], this);
    field->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(field, &QLabel::linkActivated, this, &AboutDialog::openLink);
    ++row;
  }
  // Where cnc.ini and the work files are: the executable's folder, a chosen one, or an
  // installed Vexa's per-user folder.
  addLabel(grid, row, 0, QStringLiteral("Папка программы:"), "Label11", this);
  QLabel* folder =
      addLabel(grid, row, 1, QDir::toNativeSeparators(picture::ToQString(main_.programDir())),
               "Label12", this);
  folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ++row;
  auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
  close->setObjectName("Command2");
  grid->addWidget(close, row, 1, Qt::AlignRight);

  connect(checkButton_, &QPushButton::clicked, this, &AboutDialog::checkNow);
  connect(frequencyList_, &QComboBox::activated, this, &AboutDialog::chooseFrequency);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  for (const char* entry : CheckFrequencyEntries()) {
    frequencyList_->addItem(QString::fromUtf8(entry));
  }
  RefreshAbout();
}

void AboutDialog::showState(const AboutState& state) {
  installed_->setText(QString::fromStdString(state.installed));
  if (!state.statusShown) return;
  checkButton_->setVisible(state.checkButtonShown);
  latest_->setText(QString::fromStdString(state.latest));
  status_->setText(widgets::ToDisplayText(state.status));
  status_->setStyleSheet(colourStyle(state.statusColour));
  status_->show();
}

void AboutDialog::RefreshAbout() {
  showState(RefreshAboutState(main_.ver(), main_.CVer));
  // A hand-edited frequency outside the list selects nothing; the list then takes the first.
  const int index = main_.check_ver;
  frequencyList_->setCurrentIndex(index >= 0 && index < frequencyList_->count() ? index : -1);
  chooseFrequency();
}

void AboutDialog::chooseFrequency() {
  if (frequencyList_->currentIndex() < 0) frequencyList_->setCurrentIndex(0);
  main_.check_ver = frequencyList_->currentIndex();
  main_.settingsFile().WriteSetting("check_ver", std::to_string(main_.check_ver));
}

void AboutDialog::checkNow() {
  if (counting_) return;
  counting_ = true;
  main_.startCheckTimer();
  WaitingPump pump;
  RunCheckCountdown(
      clock_, pump, [this] { return !main_.CVer.empty() || closed_; },
      [this](const std::string& caption) {
        checkButton_->setText(QString::fromStdString(caption));
      });
  counting_ = false;
  if (!main_.CVer.empty()) {
    RefreshAbout();
  } else {
    showState(CheckFailedState(main_.ver()));
  }
}

void AboutDialog::openLink(const QString& address) {
  if (openUrl_(address)) return;
  description_->setText(QString::fromUtf8(widgets::kLinkRefusedText));
  description_->setStyleSheet(colourStyle(kRed));
}

void AboutDialog::done(int result) {
  // Ends a countdown that is still running; the window is deleted only after it has returned.
  closed_ = true;
  QDialog::done(result);
}

}  // namespace vexa::app
