#include "app/button_style.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using app::ButtonState;

TEST(ButtonStyle, styleTableAndLastDigitRule) {
    const struct {
        int style;
        app::Rgb back, text;
    } cases[] = {{7, app::kResting, app::kBlack}, {17, app::kResting, app::kBlack},
                 {11, app::kHover, app::kBlack},  {15, app::kWhite, app::kBlack},
                 {2, app::kWhite, app::kBlue},    {14, app::kWhite, app::kBlue},
                 {3, app::kWhite, app::kBlue},    {20, app::kWhite, app::kBlack}};
    for (const auto& c : cases) {
        ButtonState b;
        b.background = app::kWhite;  // unlisted styles keep the background
        EXPECT_TRUE(app::style_button(b, "X", c.style, 0)) << c.style;
        EXPECT_EQ(b.background, c.back) << c.style;
        EXPECT_EQ(b.text, c.text) << c.style;
    }
}

TEST(ButtonStyle, hoverWithEmptyCaptionTakesTheTagAndSkipsTheSecondCall) {
    ButtonState b;
    b.tag = "Update";
    std::string caption;
    int style = 1;
    EXPECT_TRUE(app::style_button(b, caption, style, 0));
    EXPECT_EQ(caption, "Update");
    EXPECT_EQ(b.background, app::kHover);
    caption.clear();
    EXPECT_FALSE(app::style_button(b, caption, style, 0));
    // Back to rest repaints once, then not again.
    EXPECT_TRUE(app::style_button(b, "", 0, 0));
    EXPECT_FALSE(app::style_button(b, "", 0, 0));
    EXPECT_EQ(b.background, app::kResting);
    // Request -1 skips an empty resting button only.
    EXPECT_FALSE(app::style_button(b, "", 10, -1));
    EXPECT_TRUE(app::style_button(b, "Go", 10, -1));
    EXPECT_EQ(b.tag, "Go");
}

TEST(ButtonStyle, stopCaptionRedRequestFiveDisablesDisabledDrawsNothing) {
    ButtonState b;
    b.background = app::kWhite;  // not yet painted
    EXPECT_TRUE(app::style_button(b, "sTOp Timer", 10, 0));
    EXPECT_EQ(b.text, app::kRed);
    EXPECT_EQ(b.background, app::kResting);

    std::string caption = "Edit";
    int style = 10;
    EXPECT_TRUE(app::style_button(b, caption, style, 5));
    EXPECT_EQ(style, 12);
    EXPECT_FALSE(b.enabled);
    EXPECT_EQ(b.background, app::kDisabledBack);
    EXPECT_EQ(b.text, app::kDisabledText);
    EXPECT_FALSE(app::style_button(b, "Other", 2, 0));
    EXPECT_EQ(b.background, app::kDisabledBack);
    EXPECT_EQ(b.tag, "Edit");
}

}  // namespace
