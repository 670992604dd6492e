#pragma once
// A synchronous HTTP(S) GET with the system's own client (libcurl, WinHTTP on Windows), for the
// companion, which links no Qt.

#include <string_view>

#include "platform/platform.hpp"

namespace platform {

// ok: a response arrived (any status); status 0 without one. Follows no redirects.
HttpResult native_http_get(std::string_view url, std::string_view user_agent, int timeout_ms);

}  // namespace platform
