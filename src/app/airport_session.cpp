#include "app/airport_session.hpp"

#include "airports/lookup_file.hpp"
#include "app/session.hpp"
#include "common/text.hpp"
#include "live/traffic_picture.hpp"

namespace app {

void load_airports(Session& s) {
    const ProgramLayout& layout = s.frame.layout;
    std::optional<std::string> file;
    if (common::file_exists(layout.airport_list_file())) {
        file = common::read_file(layout.airport_list_file());
    }
    s.airports.list = airports::load_airports(s.frame.comma_decimal, file);
    s.airports.tables.airlines = live::AirlineTable(
        live::airlines_text_from_file(common::read_file(layout.airlines_file())));
}

common::FileStatus save7(const Session& s) {
    return common::savetext(s.frame.layout.airport_list_file(),
                            airports::airport_file_text(s.airports.list, s.frame.comma_decimal));
}

void sort_airports(Session& s) {
    const std::string path = s.frame.layout.airport_list_file();
    if (!common::file_exists(path)) return;
    s.airports.list = airports::sorted_airports(common::read_file(path));
}

const std::string& lookup_text(Session& s) {
    if (!s.airports.az5_loaded) {
        s.airports.az5_text =
            airports::scramble_lookup(common::read_file(s.frame.layout.lookup_file()));
        s.airports.az5_loaded = true;
    }
    return s.airports.az5_text;
}

std::optional<std::string> choose_airport(Session& s, platform::Platform& platform) {
    if (s.airports.list.selected_airport() == nullptr) return std::nullopt;
    if (s.airports.tables.routes.text().empty()) {
        s.airports.tables.routes = live::RouteTable(
            live::iata_text_from_file(common::read_file(s.frame.layout.iata_file())));
    }
    s.live_view.map.map_recenter = true;
    const airports::Choice choice = airports::choose_airport(s.airports.list);
    if (choice.message) {
        platform.message(*choice.message);
        platform.busy_off();
        return std::nullopt;
    }
    s.live_view.plot.picture_dirty = -1;
    s.live_view.plot.picture_zoom = live::kAirportChosenZoom;
    s.live_view.chosen_coords = *choice.coords;
    return choice.coords;
}

namespace {
void save_or_report(Session& s, platform::Platform& platform) {
    if (const common::FileStatus saved = save7(s); !saved) {
        report_write_failures(s, platform, {*saved.error});
    }
}
}  // namespace

bool remove_airport(Session& s, platform::Platform& platform) {
    const airports::Airport* a = s.airports.list.selected_airport();
    if (a == nullptr) {
        platform.message(airports::kPleaseSelect);
        return false;
    }
    if (platform.message(airports::remove_question(*a), platform::Buttons::YesNo) !=
        platform::Answer::Yes) {
        return false;
    }
    airports::remove_selected(s.airports.list);
    save_or_report(s, platform);
    return true;
}

bool open_editor(Session& s, platform::Platform& platform, bool edit_mode) {
    airports::EditorBoxes& boxes = s.airports.editor;
    if (edit_mode) {
        const airports::Airport* a = s.airports.list.selected_airport();
        if (a == nullptr) {
            platform.message(airports::kPleaseSelectAirport);
            return false;
        }
        boxes.name = a->name;
        const auto halves = common::split(a->coords, "/");
        boxes.latitude = std::string(halves.empty() ? std::string_view() : halves[0]);
        boxes.longitude = std::string(halves.size() > 1 ? halves[1] : std::string_view());
    } else {
        boxes.name.clear();
    }
    s.airports.edit_mode = edit_mode;
    s.airports.list_changed = false;
    return true;
}

std::optional<std::string> editor_closed(Session& s, platform::Platform& platform) {
    if (!s.airports.list_changed) return std::nullopt;
    save_or_report(s, platform);
    return choose_airport(s, platform);
}

void search_lookup(Session& s, platform::Platform& platform) {
    const std::string& az5 = lookup_text(s);
    airports::search_lookup(
        az5, s.airports.list, s.airports.editor,
        [&platform](const airports::Candidate&, const std::string& question) {
            switch (platform.message(question, platform::Buttons::YesNoCancel)) {
                case platform::Answer::Yes:
                    return airports::CandidateAnswer::Yes;
                case platform::Answer::No:
                    return airports::CandidateAnswer::No;
                default:
                    return airports::CandidateAnswer::Cancel;
            }
        },
        [&platform](const std::string& text) { platform.message(text); });
}

}  // namespace app
