// libFuzzer target: any bytes as traffic_text give marker lines that stay one statement each.
// Every value is escaped, so a line holds exactly the template's quotes, no line break but its
// CR LF, no script element, and the whole script is valid UTF-8.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/text.hpp"
#include "live/route_lookup.hpp"
#include "mappage/map_page.hpp"
#include "mappage/map_text.hpp"

namespace {

void require(bool ok, const char* what, std::string_view line) {
    if (ok) return;
    std::fprintf(stderr, "map_page_fuzz: %s in: %.*s\n", what, static_cast<int>(line.size()),
                 line.data());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool labels = (data[0] & 1) != 0;
    const std::string_view traffic(reinterpret_cast<const char*>(data) + 1, size - 1);
    // Route names come from a table that may hold anything too.
    static const live::RouteTable routes("O'Hare <b>\"x\",ORD\r\nL\xE9on\\,LHR\r\n");
    const std::string script = mappage::strp_html(traffic, &routes, labels);
    require(mappage::to_utf8(script) == script, "invalid UTF-8", script);
    for (const std::string_view line : common::split(script, common::kCrLf)) {
        if (line.empty()) continue;
        require(std::count(line.begin(), line.end(), '\'') == 8, "stray apostrophe", line);
        require(std::count(line.begin(), line.end(), '"') == 4, "stray quote", line);
        require(line.find_first_of("\r\n") == std::string_view::npos, "line break", line);
        require(common::to_lower(line).find("<script") == std::string::npos, "script element",
                line);
    }
    return 0;
}
