#pragma once
// The traffic icons: a 32×32 aircraft seen from above, turned clockwise by the flight's track,
// written as a GIF whose colour 0 is transparent.

#include <array>
#include <cstdint>
#include <string>

namespace icongen {

inline constexpr int kIconSize = 32;

enum Colour : std::uint8_t { kTransparent = 0, kOutline = 1, kFill = 2 };

// One colour index per pixel, row by row.
using IconPixels = std::array<std::uint8_t, kIconSize * kIconSize>;

// Nose up at 0 degrees, nose right at 90.
IconPixels draw_aircraft(int degrees);

// The pixels as a GIF89a with a four-colour palette; empty when giflib fails.
std::string encode_gif(const IconPixels& pixels);

}  // namespace icongen
