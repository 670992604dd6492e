#include "live/refresh_timer.hpp"

namespace live {

TimerBoxResult timer_box_released(RefreshTimer& timer, bool ticked, bool airport_selected,
                                  bool map_box_ticked) {
    TimerBoxResult result;
    if (ticked) timer.map_recenter = true;
    if (!airport_selected) {
        result.message = std::string(kSelectAirport);
        result.untick = true;
        return result;
    }
    if (timer.running) {
        timer.running = false;
        result.map_update = map_box_ticked;
    } else {
        timer.map_recenter = true;
        timer.running = true;
    }
    return result;
}

TickResult timer_tick(RefreshTimer& timer, bool airport_selected, bool busy_flag,
                      std::string_view coordinates) {
    if (!airport_selected || busy_flag) return {};
    if (coordinates.find('/') != std::string_view::npos) return {TickAction::Fetch, {}, false};
    timer.running = false;
    return {TickAction::MissingData, std::string(kMissingAirportData), true};
}

}  // namespace live
