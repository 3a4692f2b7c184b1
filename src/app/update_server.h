#pragma once
// Where the update check connects: port 80 of the project's web site (the build setting
// VEXA_WEB_HOST), or the server named by the environment variable VEXA_UPDATE_SERVER.

#include <string>

namespace vexa::app {

struct UpdateServer {
  std::string host;  // empty: no check is made
  int port = 80;
};

inline constexpr const char* kUpdateServerVariable = "VEXA_UPDATE_SERVER";

// `overrideValue` is the variable's value (nullptr when unset): "host" or "host:port", port
// 1..65535. Tests point the check at a local server with it. A value of another form turns the
// check off rather than reach the real site by mistake.
UpdateServer ResolveUpdateServer(const char* overrideValue);

}  // namespace vexa::app
