#include "app/button_style.hpp"

#include <cstdlib>

#include "common/text.hpp"

namespace app {

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

    const int digit = std::abs(style) % 10;
    b.text = (digit == 0 || digit == 7) ? kBlack : kBlue;
    switch (style) {
        case 0:
        case 7:
        case 10:
        case 17:
            b.background = kResting;
            b.text = kBlack;
            break;
        case 1:
        case 11:
            b.background = kHover;
            b.text = kBlack;
            break;
        case 15:
            b.background = kWhite;
            b.text = kBlack;
            break;
        case 2:
        case 14:
            b.background = kWhite;
            b.text = kBlue;
            break;
        case 12:
            b.background = kDisabledBack;
            b.text = kDisabledText;
            break;
        default:
            break;
    }
    b.font = "Arial";
    if (common::contains_ignore_case(caption, "stop")) b.text = kRed;
    b.font_points = 10;
    b.tag = caption;
    ++b.paints;
    return true;
}

}  // namespace app
