#include "app/about_state.h"

namespace vexa::app {

AboutState RefreshAboutState(const std::string& ver, const std::string& CVer) {
  AboutState state;
  state.installed = ver;
  if (CVer.empty()) return state;
  state.checkButtonShown = false;
  state.latest = CVer;
  state.statusShown = true;
  const bool differs = CVer != ver;
  state.status = differs ? kUpdateRecommendedText : kUpToDateText;
  state.statusColour = differs ? kRed : kBlack;
  return state;
}

AboutState CheckFailedState(const std::string& ver) {
  AboutState state;
  state.checkButtonShown = false;
  state.installed = ver;
  state.latest = kVersionUnknownText;
  state.statusShown = true;
  state.status = kCheckFailedText;
  state.statusColour = kRed;
  return state;
}

}  // namespace vexa::app
