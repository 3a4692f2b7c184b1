#pragma once
// The exchange with the update server: one HTTP/1.0 request, and the newest version taken from
// the reply's body.

#include <optional>
#include <string>
#include <string_view>

#include "app/update_server.h"

namespace vexa::app {

// "GET http://" + host + "/ver.php HTTP/1.0" + CR LF + CR LF: an absolute request line and no
// header lines. A port other than 80 is written into the address.
std::string VersionRequest(const UpdateServer& server);

// A version reply is a few bytes; anything much longer is not one.
inline constexpr std::size_t kMaxReplyLength = 64 * 1024;

// The newest version in a whole reply: everything after the first blank line (CR LF CR LF),
// taken exactly. nullopt when there is no blank line, when the status is not 200 (an error
// page or a portal's login page is no version) or when the body is empty.
std::optional<std::string> VersionFromReply(std::string_view reply);

// Any difference from the running version counts, an older one or a trailing line end too.
bool UpdateNoticeNeeded(const std::string& ver, const std::string& CVer);

inline constexpr const char* kUpdateNoticeText =
    "Вышли обновления программы. Настройка уведомлений и подробности: Меню -> О программе";

}  // namespace vexa::app
