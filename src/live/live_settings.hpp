#pragma once
// Flightradar > Range and Max Height, and the two keyboard toggles, as a plain state machine.
// The window ticks the menu items from mrg/mrr and, after a Range or Max Height click with an
// airport selected, sets picture_dirty to -1 and refreshes.

#include <array>
#include <cstdint>
#include <string_view>

namespace live {

inline constexpr std::array<std::string_view, 5> kRangeCaptions{"0.07", "0.08", "0.1", "0.15",
                                                                "0.5"};
inline constexpr std::array<std::int64_t, 6> kHeightValues{0, 1000, 2000, 3000, 4000, 6000};
inline constexpr float kWideRange = 0.5F;
inline constexpr std::int64_t kWideCeiling = 100000;

struct RangeCeiling {
    float feed_range = 0.08F;
    std::int64_t range_index = 1;
    std::int64_t max_height = 2000;
    std::int64_t height_index = 2;
    std::array<bool, 5> mrg{};  // Range items ticked
    std::array<bool, 6> mrr{};  // Max Height items ticked
    bool save_raw_feed = false;
};

// Range item k: range_index = k, feed_range = its caption's value, only item k ticked. An index
// outside 0..4 changes nothing.
void mrg_click(RangeCeiling& s, int k) noexcept;
// Max Height item k: max_height and height_index; the ticks stay until a submenu opens.
void mrr_click(RangeCeiling& s, int k) noexcept;
// Opening either submenu: only mrr(height_index) ticked (none when the index names no item).
void mrad_click(RangeCeiling& s) noexcept;
// Ctrl+X: at a range of exactly 0.5 the first ticked items' values come back (a menu without a
// ticked item leaves its value); otherwise range 0.5 and ceiling 100000. No ticks change.
void toggle_wide_view(RangeCeiling& s) noexcept;

enum class KeyAction { None, ToggleRawCopy, ToggleWideView };
// Form_KeyPress: Ctrl+R (18) and Ctrl+X (24); applies the toggle and says which it was.
KeyAction form_key_press(RangeCeiling& s, int character_code) noexcept;

}  // namespace live
