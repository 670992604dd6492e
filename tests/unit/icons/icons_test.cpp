// Decodes the generated traffic icons with giflib and compares each with icon 0 turned by its
// direction.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr int kSize = 32;
using Mask = std::array<bool, kSize * kSize>;  // true where opaque

struct Icon {
    bool decoded = false;
    int width = 0;
    int height = 0;
    int transparent = NO_TRANSPARENT_COLOR;
    Mask opaque{};
};

Icon load_icon(int direction) {
    Icon icon;
    const std::string path =
        std::string(SKELVAR_ICONS_DIR) + "/p" + std::to_string(direction) + ".gif";
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return icon;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1) {
        const SavedImage& image = gif->SavedImages[0];
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, 0, &control);
        icon.transparent = control.TransparentColor;
        icon.width = image.ImageDesc.Width;
        icon.height = image.ImageDesc.Height;
        icon.decoded = gif->SWidth == kSize && gif->SHeight == kSize && icon.width == kSize &&
                       icon.height == kSize;
        for (int i = 0; icon.decoded && i < kSize * kSize; ++i) {
            icon.opaque[static_cast<std::size_t>(i)] = image.RasterBits[i] != icon.transparent;
        }
    }
    DGifCloseFile(gif, &error);
    return icon;
}

// The mask turned clockwise (y grows downwards) about the icon's centre, nearest pixel.
Mask turned(const Mask& mask, int degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    Mask out{};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double dx = x + 0.5 - kSize / 2.0;
            const double dy = y + 0.5 - kSize / 2.0;
            const int sx = static_cast<int>(std::floor(dx * std::cos(a) + dy * std::sin(a) + 16));
            const int sy = static_cast<int>(std::floor(-dx * std::sin(a) + dy * std::cos(a) + 16));
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

int opaque_count(const Mask& mask) {
    int count = 0;
    for (const bool o : mask) count += o;
    return count;
}

class TrafficIcon : public ::testing::TestWithParam<int> {};

TEST_P(TrafficIcon, IsIconZeroTurnedOnATransparentBackground) {
    const int direction = GetParam();
    const Icon icon = load_icon(direction);
    ASSERT_TRUE(icon.decoded) << "p" << direction << ".gif: " << icon.width << "x" << icon.height;
    ASSERT_NE(icon.transparent, NO_TRANSPARENT_COLOR);
    for (const int corner : {0, kSize - 1, kSize * (kSize - 1), kSize * kSize - 1}) {
        EXPECT_FALSE(icon.opaque[static_cast<std::size_t>(corner)]) << corner;
    }
    EXPECT_GT(opaque_count(icon.opaque), 100);
    EXPECT_LT(opaque_count(icon.opaque), kSize * kSize / 2);

    const Icon nose_up = load_icon(0);
    ASSERT_TRUE(nose_up.decoded);
    EXPECT_GE(overlap(turned(nose_up.opaque, direction), icon.opaque), 0.85) << direction;
}

INSTANTIATE_TEST_SUITE_P(EveryDirection, TrafficIcon, ::testing::Range(0, 360, 10));

// Where the icon's outermost opaque pixels are along one edge: the nose is a narrow tip, the
// tail a wide one.
struct Tip {
    int depth = -1;  // rows (or columns) from the edge to the first opaque one
    int low = kSize;
    int high = -1;
};

Tip top_tip(const Mask& mask) {
    Tip tip;
    for (int y = 0; y < kSize && tip.depth < 0; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (!mask[static_cast<std::size_t>(y * kSize + x)]) continue;
            tip = {y, std::min(tip.low, x), std::max(tip.high, x)};
        }
    }
    return tip;
}

Tip right_tip(const Mask& mask) {
    Tip tip;
    for (int x = kSize - 1; x >= 0 && tip.depth < 0; --x) {
        for (int y = 0; y < kSize; ++y) {
            if (!mask[static_cast<std::size_t>(y * kSize + x)]) continue;
            tip = {kSize - 1 - x, std::min(tip.low, y), std::max(tip.high, y)};
        }
    }
    return tip;
}

TEST(TrafficIcons, ZeroPointsUpAndNinetyRight) {
    const Icon nose_up = load_icon(0);
    const Icon nose_right = load_icon(90);
    const Icon nose_left = load_icon(270);
    ASSERT_TRUE(nose_up.decoded && nose_right.decoded && nose_left.decoded);
    EXPECT_LT(overlap(nose_up.opaque, nose_right.opaque), 0.6);

    const std::array<std::pair<const char*, Tip>, 2> noses = {
        std::pair{"p0 top", top_tip(nose_up.opaque)},
        std::pair{"p90 right", right_tip(nose_right.opaque)}};
    for (const auto& [label, tip] : noses) {
        EXPECT_LE(tip.depth, 3) << label;
        EXPECT_GE(tip.low, 13) << label;
        EXPECT_LE(tip.high, 18) << label;
    }
    // Turned the other way, the right edge holds the wide tail.
    const Tip tail = right_tip(nose_left.opaque);
    EXPECT_GT(tail.high - tail.low, 6);
}

}  // namespace
