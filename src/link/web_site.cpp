#include "link/web_site.h"

#include "version.h"

namespace vexa::link {

std::string WebSiteAddress(std::string_view path) {
  return std::string("http://") + VEXA_WEB_HOST + std::string(path.empty() ? "/" : path);
}

}  // namespace vexa::link
