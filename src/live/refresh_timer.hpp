#pragma once
// The 5-second refresh timer (tim0) and its "Timer" box, as a plain state machine. The window
// owns the real timer and does what the returned actions say.

#include <optional>
#include <string>
#include <string_view>

namespace live {

inline constexpr int kRefreshIntervalMs = 5000;
inline constexpr std::string_view kSelectAirport = "Select airport.";
inline constexpr std::string_view kMissingAirportData =
    "Missing Data for this airport. \r\n\r\n Remove  then  ADD";

struct RefreshTimer {
    bool running = false;
    bool map_recenter = false;
};

struct TimerBoxResult {
    std::optional<std::string> message;
    bool untick = false;      // the box goes back to unticked
    bool map_update = false;  // rewrite the map page (without its refresh line)
};

// Check2 released; ticked is the box's state after the click.
TimerBoxResult timer_box_released(RefreshTimer& timer, bool ticked, bool airport_selected,
                                  bool map_box_ticked);

enum class TickAction {
    Skip,         // no airport, or a log parse or refresh is running: not queued
    Fetch,        // busy_flag on, get_live, then (map box ticked) picture_dirty -1 and a map update
    MissingData,  // message shown, timer stopped, box unticked, busy_flag left clear
};

struct TickResult {
    TickAction action = TickAction::Skip;
    std::optional<std::string> message;
    bool untick = false;
};

// tim0_Timer: coordinates is the selected airport's coordinate text.
TickResult timer_tick(RefreshTimer& timer, bool airport_selected, bool busy_flag,
                      std::string_view coordinates);

}  // namespace live
