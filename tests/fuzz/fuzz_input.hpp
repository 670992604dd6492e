#pragma once
// Shared by the fuzz targets: an input cut into NUL-separated parts, and invariant checks whose
// failure libFuzzer keeps like any crash.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace fuzz {

inline void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz: broken invariant: %s\n", what);
        std::abort();
    }
}

inline std::string_view as_text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The bytes up to the next NUL (all of them without one); rest moves past it.
inline std::string_view next_part(std::string_view& rest) {
    const std::size_t nul = rest.find('\0');
    const std::string_view part = rest.substr(0, nul);
    rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    return part;
}

}  // namespace fuzz
