#pragma once
// What the About window shows about the versions.

#include <string>

namespace vexa::app {

// Colours as the system writes them: 255 is red, 0 black.
inline constexpr int kRed = 255;
inline constexpr int kBlack = 0;

struct AboutState {
  bool checkButtonShown = true;  // "Проверить"
  std::string installed;
  std::string latest;  // empty until the server has answered
  bool statusShown = false;
  std::string status;
  int statusColour = kBlack;
};

// RefreshAbout: the installed version always; once the server's version is known, the latest
// version, the verdict, and no more "Проверить".
AboutState RefreshAboutState(const std::string& ver, const std::string& CVer);

// After "Проверить" has waited in vain.
AboutState CheckFailedState(const std::string& ver);

inline constexpr const char* kUpdateRecommendedText = "Рекомендуется обновление программы";
inline constexpr const char* kUpToDateText = "Установлена актуальная версия ПО";
inline constexpr const char* kCheckFailedText =
    "Не удается соединиться с сервером.\r\nПроверьте актуальность ПО самостоятельно";
inline constexpr const char* kVersionUnknownText = "не известно";

}  // namespace vexa::app
