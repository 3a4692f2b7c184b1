#include "app/shell_rules.h"

#include <array>

#include "version.h"

namespace vexa::app {

std::string ApplicationVersion() { return VEXA_VERSION; }

std::string MainWindowCaption(const std::string& version, bool demo) {
  return "Zorazad IDO   ver. " + version + (demo ? " — демо" : "");
}

bool SurvivesFreshStart(const std::string& objectName) {
  static const std::array<const char*, 5> kept = {"Form4", "Form6", "Form7", "Form11", "Form12"};
  if (objectName.rfind("Form", 0) != 0) return true;
  for (const char* name : kept) {
    if (objectName == name) return true;
  }
  return false;
}

}  // namespace vexa::app
