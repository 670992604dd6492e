#include <array>
#include <ostream>

#include "app/build_settings.hpp"
#include "app/live_refresh.hpp"
#include "app/startup.hpp"
#include "cli/commands.hpp"
#include "common/text.hpp"
#include "live/feed_request.hpp"
#include "live/traffic_picture.hpp"
#include "platform/curl/http_get.hpp"

namespace cli {
namespace {

constexpr int kFetchFailed = 1;

constexpr std::array<std::string_view, 4> kOptions{"--range", "--ceiling", "--feed-url",
                                                   "--feed-file"};

constexpr std::array kForms{Usage{
    "COORDS [--range R] [--ceiling FT] [--feed-url SERVER | --feed-file FILE]",
    "Fetches the live traffic around the airport at COORDS (\"LAT/LON\") once, as choosing it\n"
    "in the window does, and prints the request, the flight rows, the types, the traffic lines\n"
    "and the messages. Range and ceiling default to the window's (mm.dat in DIR); SERVER is\n"
    "the feed's scheme and host (default the built-in one); FILE is a saved answer instead.\n"
    "Exit status 0 an answer was parsed, 1 the fetch failed, 2 usage error."}};

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
        refresh = app::get_live(request, &platform::curl_http_get, tables, tracker, layout);
    }
    print_result(refresh, out);
    return refresh.parse ? kOk : kFetchFailed;
}

}  // namespace

Command traffic_command() {
    Command c{"traffic", "COORDS", 1, kForms, &traffic};
    c.value_options = kOptions;
    return c;
}

}  // namespace cli
