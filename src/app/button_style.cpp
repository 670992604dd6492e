#include "app/button_style.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "common/text.hpp"

namespace app {
namespace {

struct Look {
    std::array<int, 4> styles;  // unused slots repeat a listed style
    Rgb background, text;
};

constexpr std::array<Look, 5> kLooks{{
    {{0, 7, 10, 17}, kResting, kBlack},
    {{1, 11, 11, 11}, kHover, kBlack},
    {{15, 15, 15, 15}, kWhite, kBlack},
    {{2, 14, 14, 14}, kWhite, kBlue},
    {{12, 12, 12, 12}, kDisabledBack, kDisabledText},
}};

}  // namespace

bool style_button(ButtonState& b, std::string& caption, int& style, int request) {
    if (!b.enabled) return false;
    // Mouse moves call this many times a second: an unchanged look is not painted again.
    if (style == 1 && b.background == kHover) return false;
    if (style == 0 && b.background == kResting) return false;

    const int last_digit = std::abs(style) % 10;
    if (request == -1) {
        if (last_digit == 0 && b.background == kResting && caption.empty()) return false;
    } else if (request == 5) {
        style = 12;
        b.enabled = false;
    }

    if (caption.empty()) caption = b.tag;

    // The last digit picks the text colour; the styles listed below then set both colours.
    const int digit = std::abs(style) % 10;
    b.text = (digit == 0 || digit == 7) ? kBlack : kBlue;
    const auto look = std::find_if(kLooks.begin(), kLooks.end(), [style](const Look& l) {
        return std::find(l.styles.begin(), l.styles.end(), style) != l.styles.end();
    });
    if (look != kLooks.end()) {
        b.background = look->background;
        b.text = look->text;
    }
    b.font = "Arial";
    if (common::contains_ignore_case(caption, "stop")) b.text = kRed;
    b.font_points = 10;
    b.tag = caption;
    ++b.paints;
    return true;
}

}  // namespace app
