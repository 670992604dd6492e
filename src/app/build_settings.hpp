#pragma once
// Settings fixed when the program is built (CMake cache variables SKELVAR_VERSION and
// SKELVAR_SITE), so a release names its version and its maker's site in one place.

#include <string_view>

#if !defined(SKELVAR_VERSION) || !defined(SKELVAR_SITE)
#error "SKELVAR_VERSION and SKELVAR_SITE come from the build (src/CMakeLists.txt)"
#endif

namespace app {

inline constexpr std::string_view kAppVersion = SKELVAR_VERSION;
// The maker's web site, without a trailing "/".
inline constexpr std::string_view kMakerSite = SKELVAR_SITE;

}  // namespace app
