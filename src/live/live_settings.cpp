#include "live/live_settings.hpp"

#include "common/text.hpp"

namespace live {
namespace {

float range_of(std::size_t k) noexcept {
    return static_cast<float>(common::numeric_value(kRangeCaptions[k]));
}

}  // namespace

void mrg_click(RangeCeiling& s, int k) noexcept {
    if (k < 0 || k >= static_cast<int>(kRangeCaptions.size())) return;
    const auto item = static_cast<std::size_t>(k);
    s.range_index = k;
    s.mrg.fill(false);
    s.feed_range = range_of(item);
    s.mrg[item] = true;
}

void mrr_click(RangeCeiling& s, int k) noexcept {
    if (k < 0 || k >= static_cast<int>(kHeightValues.size())) return;
    s.max_height = kHeightValues[static_cast<std::size_t>(k)];
    s.height_index = k;
}

void mrad_click(RangeCeiling& s) noexcept {
    s.mrr.fill(false);
    if (s.height_index >= 0 && s.height_index < static_cast<std::int64_t>(s.mrr.size())) {
        s.mrr[static_cast<std::size_t>(s.height_index)] = true;
    }
}

void toggle_wide_view(RangeCeiling& s) noexcept {
    if (s.feed_range != kWideRange) {
        s.feed_range = kWideRange;
        s.max_height = kWideCeiling;
        return;
    }
    for (std::size_t k = 0; k < s.mrg.size(); ++k) {
        if (s.mrg[k]) {
            s.feed_range = range_of(k);
            break;
        }
    }
    for (std::size_t k = 0; k < s.mrr.size(); ++k) {
        if (s.mrr[k]) {
            s.max_height = kHeightValues[k];
            break;
        }
    }
}

KeyAction form_key_press(RangeCeiling& s, int character_code) noexcept {
    switch (character_code) {
        case 18:
            s.save_raw_feed = !s.save_raw_feed;
            return KeyAction::ToggleRawCopy;
        case 24:
            toggle_wide_view(s);
            return KeyAction::ToggleWideView;
        default:
            return KeyAction::None;
    }
}

}  // namespace live
