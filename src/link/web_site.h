#pragma once

#include <string>
#include <string_view>

namespace vexa::link {

// Address of a page of the project's web site; the host is a build setting (VEXA_WEB_HOST).
// "" gives the home page.
std::string WebSiteAddress(std::string_view path);

}  // namespace vexa::link
