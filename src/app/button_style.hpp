#pragma once
// The flat picture buttons: which colours a style code gives and when a repaint is skipped.
// The window keeps one ButtonState per button and paints what it says.

#include <string>
#include <string_view>

namespace app {

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kResting{230, 230, 230};
inline constexpr Rgb kHover{232, 239, 247};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kDisabledBack{240, 240, 240};
inline constexpr Rgb kDisabledText{180, 180, 180};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlack{0, 0, 0};

struct ButtonState {
    bool enabled = true;
    Rgb background{kResting};
    Rgb text{kBlack};
    std::string tag;  // the caption last painted
    std::string font = "Arial";
    int font_points = 10;
    int paints = 0;  // how many times the button was repainted
};

// Paints the button in a style. caption may be "" (then the tag's caption is used, and the
// caller's variable receives it); request 5 disables the button and turns style into 12.
// Returns true when the button was repainted.
bool style_button(ButtonState& button, std::string& caption, int& style, int request);

// The same without caring about the caller's variables.
inline bool style_button(ButtonState& button, std::string_view caption, int style, int request) {
    std::string c(caption);
    return style_button(button, c, style, request);
}

}  // namespace app
