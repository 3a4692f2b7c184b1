#include "app/update_server.h"

#include <charconv>
#include <string_view>

#include "version.h"

namespace vexa::app {

UpdateServer ResolveUpdateServer(const char* overrideValue) {
  if (overrideValue == nullptr) return {VEXA_WEB_HOST, 80};
  const std::string_view text(overrideValue);
  const auto colon = text.rfind(':');
  const std::string_view host = text.substr(0, colon);
  if (host.empty() || host.find_first_of(" \t/:") != std::string_view::npos) return {"", 0};
  if (colon == std::string_view::npos) return {std::string(host), 80};

  const std::string_view portText = text.substr(colon + 1);
  int port = 0;
  const auto result = std::from_chars(portText.data(), portText.data() + portText.size(), port);
  if (portText.empty() || result.ec != std::errc() ||
      result.ptr != portText.data() + portText.size() || port < 1 || port > 65535) {
    return {"", 0};
  }
  return {std::string(host), port};
}

}  // namespace vexa::app
