// libFuzzer target: the map script and page from any traffic text, extent, zoom box and route
// table. The input is cut at its NUL bytes: traffic text, extent text, Text2, system/iata bytes;
// its first byte also picks the airline labels. The script must stay a script whatever the
// values: no "</script" or "<!--" that would end or bend it in the page, every line ends its
// string literals, each marker line has exactly the template's literals (a value that broke out
// of its string adds or removes one), no control character or line separator inside a line,
// and the centre is a finite number.

#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "fuzz_input.hpp"
#include "live/route_lookup.hpp"
#include "mappage/map_page.hpp"

namespace {

// The number of JavaScript string literals on a line, or -1 when one is left open or the line
// holds a byte no literal may carry raw.
int string_literals(std::string_view line) {
    int count = 0;
    char open = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        if (b < 0x20 || b == 0x7F) return -1;
        if (b == 0xE2 && line.substr(i + 1, 1) == "\x80" &&
            (line.substr(i + 2, 1) == "\xA8" || line.substr(i + 2, 1) == "\xA9")) {
            return -1;
        }
        if (open == 0) {
            if (line[i] == '\'' || line[i] == '"') open = line[i];
        } else if (line[i] == '\\') {
            ++i;
        } else if (line[i] == open) {
            open = 0;
            ++count;
        }
    }
    return open == 0 ? count : -1;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool finite_number(const std::string& s) {
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    return !s.empty() && end == s.c_str() + s.size() && std::isfinite(v);
}

void check_script(const mappage::MapFiles& files, std::string_view traffic_text, int per_marker) {
    const std::string script = lower(files.script);
    fuzz::require(script.find("</script") == std::string::npos, "the script holds </script");
    fuzz::require(script.find("<!--") == std::string::npos, "the script holds <!--");
    fuzz::require(finite_number(files.centre.lon) && finite_number(files.centre.lat),
                  "the centre is no finite number");
    std::vector<std::string_view> lines = common::split(files.script, common::kCrLf);
    fuzz::require(!lines.empty() && lines.back().empty(), "the script does not end in CR LF");
    lines.pop_back();
    fuzz::require(string_literals(lines.front()) >= 0, "the set-up line leaves a string open");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        fuzz::require(string_literals(lines[i]) == per_marker,
                      "a marker line has other string literals than the template");
    }
    fuzz::require(lines.size() - 1 <= common::split(traffic_text, common::kCrLf).size(),
                  "more markers than traffic lines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int per_marker = string_literals(
        common::split(mappage::strp_html("1#2#3#F#5#6#T#A#B#N", nullptr, true), common::kCrLf)[0]);
    std::string_view rest = fuzz::as_text(data, size);
    const bool labels = size > 0 && (data[0] & 1) != 0;
    mappage::MapInput in;
    in.traffic_text = fuzz::next_part(rest);
    in.extent_text = fuzz::next_part(rest);
    in.zoom_text = fuzz::next_part(rest);
    const live::RouteTable routes{live::iata_text_from_file(rest)};
    in.routes = rest.empty() ? nullptr : &routes;
    in.airline_labels = labels;
    in.timer_running = !labels;

    mappage::MapView view;
    view.map_recenter = labels;
    const auto update = mappage::plot_planesOSM(view, in, false);
    fuzz::require(update.has_value() == mappage::map_centre(in.extent_text).has_value(),
                  "a map update without a centre, or none with one");
    if (!update) return 0;
    fuzz::require(update->files.zoom.level >= mappage::kMinZoom &&
                      update->files.zoom.level <= mappage::kMaxZoom,
                  "the zoom level is out of bounds");
    check_script(update->files, in.traffic_text, per_marker);
    return 0;
}
