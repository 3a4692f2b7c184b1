#include "app/version_reply.h"

namespace vexa::app {

std::string VersionRequest(const UpdateServer& server) {
  std::string address = server.host;
  if (server.port != 80) address += ":" + std::to_string(server.port);
  return "GET http://" + address + "/ver.php HTTP/1.0\r\n\r\n";
}

std::optional<std::string> VersionFromReply(std::string_view reply) {
  const auto blankLine = reply.find("\r\n\r\n");
  if (blankLine == std::string_view::npos) return std::nullopt;
  // "HTTP/1.0 200 OK": the second word of the status line is the code.
  const std::string_view statusLine = reply.substr(0, reply.find("\r\n"));
  const auto space = statusLine.find(' ');
  if (!statusLine.starts_with("HTTP/") || space == std::string_view::npos) return std::nullopt;
  const std::string_view code = statusLine.substr(space + 1, 4);
  if (code != "200" && code != "200 ") return std::nullopt;
  const std::string_view body = reply.substr(blankLine + 4);
  if (body.empty()) return std::nullopt;
  return std::string(body);
}

bool UpdateNoticeNeeded(const std::string& ver, const std::string& CVer) {
  return !CVer.empty() && CVer != ver;
}

}  // namespace vexa::app
