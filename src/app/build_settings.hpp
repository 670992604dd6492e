#pragma once
// Settings fixed when the program is built (CMake cache variables SKELVAR_VERSION,
// SKELVAR_SITE and SKELVAR_FEED_SERVER), so a release names its version and its maker's site in one
// place.

#include <string_view>

#if !defined(SKELVAR_VERSION) || !defined(SKELVAR_SITE) || !defined(SKELVAR_FEED_SERVER)
#error \
    "SKELVAR_VERSION, SKELVAR_SITE and SKELVAR_FEED_SERVER come from the build (src/CMakeLists.txt)"
#endif

namespace app {

inline constexpr std::string_view kAppVersion = SKELVAR_VERSION;
// The maker's web site, without a trailing "/".
inline constexpr std::string_view kMakerSite = SKELVAR_SITE;
// The live-traffic zone feed's server (scheme and host), without a trailing "/".
inline constexpr std::string_view kDefaultFeedServer = SKELVAR_FEED_SERVER;

}  // namespace app
