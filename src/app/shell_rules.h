#pragma once

#include <string>

namespace vexa::app {

// The application's own version, for example "2.2.0".
std::string ApplicationVersion();

// "Zorazad IDO   ver. " + version, and " — демо" after it in demo mode.
std::string MainWindowCaption(const std::string& version, bool demo = false);

// Windows that the menu's fresh start leaves open: settings, manual positioning, pause dialog,
// firmware notice and About.
bool SurvivesFreshStart(const std::string& objectName);

}  // namespace vexa::app
