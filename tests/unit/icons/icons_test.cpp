// Decodes the generated traffic icons with giflib; each must be icon 0 turned by its direction.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

namespace {

constexpr int kSize = 32;
using Mask = std::array<bool, kSize * kSize>;  // true where opaque, row by row

// The opaque pixels, or nullopt unless the file is one 32×32 image with a transparent colour.
std::optional<Mask> load_icon(int direction) {
    const std::string path = SKELVAR_ICONS_DIR "/p" + std::to_string(direction) + ".gif";
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return std::nullopt;
    std::optional<Mask> mask;
    GraphicsControlBlock control{};
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1 && gif->SWidth == kSize &&
        gif->SHeight == kSize && gif->SavedImages[0].ImageDesc.Width == kSize &&
        gif->SavedImages[0].ImageDesc.Height == kSize &&
        DGifSavedExtensionToGCB(gif, 0, &control) == GIF_OK &&
        control.TransparentColor != NO_TRANSPARENT_COLOR) {
        mask.emplace();
        for (std::size_t i = 0; i < mask->size(); ++i) {
            (*mask)[i] = gif->SavedImages[0].RasterBits[i] != control.TransparentColor;
        }
    }
    DGifCloseFile(gif, &error);
    return mask;
}

// Turned clockwise on screen (y grows downwards) about the centre, nearest pixel.
Mask turned(const Mask& mask, int degrees) {
    const double c = std::cos(degrees * std::numbers::pi / 180);
    const double s = std::sin(degrees * std::numbers::pi / 180);
    Mask out{};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double dx = x + 0.5 - kSize / 2.0;
            const double dy = y + 0.5 - kSize / 2.0;
            const auto sx = static_cast<int>(std::floor(dx * c + dy * s + kSize / 2.0));
            const auto sy = static_cast<int>(std::floor(-dx * s + dy * c + kSize / 2.0));
            if (sx >= 0 && sx < kSize && sy >= 0 && sy < kSize) {
                out[static_cast<std::size_t>(y * kSize + x)] =
                    mask[static_cast<std::size_t>(sy * kSize + sx)];
            }
        }
    }
    return out;
}

double overlap(const Mask& a, const Mask& b) {
    int both = 0;
    int either = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        both += a[i] && b[i];
        either += a[i] || b[i];
    }
    return either == 0 ? 0.0 : static_cast<double>(both) / either;
}

class TrafficIcon : public ::testing::TestWithParam<int> {};

TEST_P(TrafficIcon, IsIconZeroTurnedOnATransparentBackground) {
    const auto icon = load_icon(GetParam());
    const auto nose_up = load_icon(0);
    ASSERT_TRUE(icon && nose_up) << "p" << GetParam() << ".gif";
    for (const std::size_t corner : {0, kSize - 1, kSize * (kSize - 1), kSize * kSize - 1}) {
        EXPECT_FALSE((*icon)[corner]) << corner;
    }
    EXPECT_GE(overlap(turned(*nose_up, GetParam()), *icon), 0.85);
}

INSTANTIATE_TEST_SUITE_P(EveryDirection, TrafficIcon, ::testing::Range(0, 360, 10));

TEST(TrafficIcons, ZeroPointsUpAndNinetyIsClearlyAnother) {
    const auto nose_up = load_icon(0);
    const auto nose_right = load_icon(90);
    ASSERT_TRUE(nose_up && nose_right);
    EXPECT_LT(overlap(*nose_up, *nose_right), 0.6);
    // The topmost opaque pixels are the narrow nose in the middle, not the wide tail.
    std::size_t first = 0;
    while (first < nose_up->size() && !(*nose_up)[first]) ++first;
    EXPECT_LE(first / kSize, 3u);
    for (std::size_t x = 0; x < kSize; ++x) {
        if ((*nose_up)[first / kSize * kSize + x]) {
            EXPECT_TRUE(x >= 13 && x <= 18) << x;
        }
    }
}

}  // namespace
