#include <array>
#include <ostream>

#include "app/build_settings.hpp"
#include "app/live_refresh.hpp"
#include "app/map_update.hpp"
#include "app/startup.hpp"
#include "cli/commands.hpp"
#include "common/text.hpp"
#include "live/feed_request.hpp"
#include "live/traffic_picture.hpp"
#include "platform/http/http_get.hpp"

namespace cli {
namespace {

constexpr int kFetchFailed = 1;

constexpr std::array<std::string_view, 5> kOptions{"--range", "--ceiling", "--feed-url",
                                                   "--feed-file", "--zoom"};
constexpr std::array<std::string_view, 3> kFlags{"--map", "--timer", "--airline-labels"};

constexpr std::array kForms{Usage{
    "COORDS [--range R] [--ceiling FT] [--feed-url SERVER | --feed-file FILE] "
    "[--map [--zoom N] [--timer] [--airline-labels]]",
    "Fetches the live traffic around the airport at COORDS (\"LAT/LON\") once, as choosing it\n"
    "in the window does, and prints the request, the flight rows, the types, the traffic lines\n"
    "and the messages. Range and ceiling default to the window's (mm.dat in DIR); SERVER is\n"
    "the feed's scheme and host (default the built-in one); FILE is a saved answer instead.\n"
    "--map also writes system/apmm.js and system/mm.htm as the window's recentred map update\n"
    "does (zoom N, default the window's; --timer as while the refresh timer runs; airline\n"
    "labels as with the Airline box) and prints their paths under == files.\n"
    "Exit status 0 an answer was parsed, 1 the fetch failed, 2 usage error, 3 a map file\n"
    "could not be written."}};

void print_result(const app::LiveRefresh& refresh, std::ostream& out) {
    out << "request: " << refresh.request_path << '\n';
    out << "== flights\n";
    std::vector<std::string> messages = refresh.messages;
    if (refresh.parse) {
        for (const std::string& row : refresh.parse->rows) out << row << '\n';
        out << "== types\n";
        for (const std::string& type : refresh.parse->types) out << type << '\n';
        out << "== traffic\n";
        for (std::string_view line : common::split(refresh.parse->traffic_text, common::kCrLf)) {
            if (!line.empty()) out << line << '\n';
        }
        // The picture tells an empty traffic set while the timer is off, as here.
        if (refresh.parse->traffic_text.empty()) messages.emplace_back(live::kNoLiveTraffic);
    } else {
        out << "== types\n== traffic\n";
    }
    out << "== messages\n";
    for (const std::string& message : messages) print_message(out, message);
}

// One recentred map update after the refresh, as choosing the airport with the map box ticked
// does: the plot computes a fresh extent around the airport, the update writes the files.
int write_map(const Invocation& invocation, const app::LiveRefresh& refresh,
              live::Coordinates airport, const app::LiveTables& tables,
              const app::ProgramLayout& layout, std::string zoom, std::ostream& out,
              std::ostream& err) {
    out << "== files\n";
    if (!refresh.parse) return kOk;
    live::PlotState state;
    live::PlotInput plot;
    plot.traffic_text = refresh.parse->traffic_text;
    plot.width = plot.height = 1.0;
    plot.airport_index = 0;
    plot.airport = airport;
    plot.timer_running = invocation.has("--timer");
    const live::Picture picture = live::plot_planes(state, plot);
    if (picture.extent_text.empty()) return kOk;  // no traffic: the window writes nothing either
    if (!prepare_app_folder(layout, err)) return kWriteFailed;

    mappage::MapView view{true, std::nullopt};
    mappage::MapInput input;
    input.extent_text = picture.extent_text;
    input.zoom_text = zoom;
    input.traffic_text = refresh.parse->traffic_text;
    input.routes = &tables.routes;
    input.airline_labels = invocation.has("--airline-labels");
    input.timer_running = plot.timer_running;
    const app::MapWrite written = app::map_update(view, input, layout);
    for (const std::string& path : written.files.written) out << path << '\n';
    if (!written.files.status) {
        report_write_error(*written.files.status.error, err);
        return kWriteFailed;
    }
    return kOk;
}

int traffic(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& coordinates = invocation.operands.at(0);
    const auto airport = live::parse_coordinates(coordinates);
    if (!airport) {
        err << "skelvar-cli: COORDS must be LAT/LON in decimal degrees, not \"" << coordinates
            << "\"\n";
        return kUsageError;
    }
    const app::ProgramLayout layout(invocation.app_folder);
    const app::LiveSettings saved = app::saved_live_settings(layout);
    app::LiveRequest request{coordinates, saved.feed_range, saved.max_height,
                             std::string(app::kDefaultFeedServer), false};
    if (const auto range = invocation.value("--range")) {
        const auto value = live::read_number(*range);
        if (!value) {
            err << "skelvar-cli: --range needs a number, not \"" << *range << "\"\n";
            return kUsageError;
        }
        request.feed_range = static_cast<float>(*value);
    }
    if (const auto ceiling = invocation.value("--ceiling")) {
        const auto value = live::read_number(*ceiling);
        if (!value) {
            err << "skelvar-cli: --ceiling needs a number of feet, not \"" << *ceiling << "\"\n";
            return kUsageError;
        }
        request.max_height = common::round_half_even(*value);
    }
    const bool map = invocation.has("--map");
    const auto zoom = invocation.value("--zoom");
    if (!map && (zoom || invocation.has("--timer") || invocation.has("--airline-labels"))) {
        err << "skelvar-cli: --zoom, --timer and --airline-labels go with --map\n";
        return kUsageError;
    }
    const auto server = invocation.value("--feed-url");
    const auto file = invocation.value("--feed-file");
    if (server && file) {
        err << "skelvar-cli: give either --feed-url or --feed-file\n";
        return kUsageError;
    }
    if (server) request.server = *server;

    const app::LiveTables tables = app::load_live_tables(layout);
    live::FetchTracker tracker;
    app::LiveRefresh refresh;
    if (file) {
        common::ReadResult saved_answer = common::read_file_checked(*file);
        if (saved_answer.error) {
            err << "skelvar-cli: cannot read the feed file " << saved_answer.error->text() << "\n";
            return kUsageError;
        }
        platform::HttpResult answer{true, 200, std::move(saved_answer.data), {}, false};
        refresh = app::parse_answer(answer, request, tables, tracker);
        refresh.request_path = live::feed_path(live::feed_box(*airport, request.feed_range));
    } else {
        refresh = app::get_live(request, &platform::native_http_get, tables, tracker, layout);
    }
    print_result(refresh, out);
    if (map) {
        const int status = write_map(invocation, refresh, *airport, tables, layout,
                                     zoom.value_or(saved.text2), out, err);
        if (status != kOk) return status;
    }
    return refresh.parse ? kOk : kFetchFailed;
}

}  // namespace

Command traffic_command() {
    Command c{"traffic", "COORDS", 1, kForms, &traffic};
    c.value_options = kOptions;
    c.flags = kFlags;
    return c;
}

}  // namespace cli
