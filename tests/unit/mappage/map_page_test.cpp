#include "mappage/map_page.hpp"

#include <gtest/gtest.h>

#include "mappage/map_text.hpp"

namespace {

const live::RouteTable kRoutes("London Heathrow (LHR),LHR\r\nEdinburgh,EDI\r\n");

std::string line(const std::string& lat, const std::string& lon, const std::string& rest) {
    return lat + "#" + lon + "#274#BA1#1500#140#A320#LHR#EDI" + rest + "\r\n";
}
long count(std::string_view s, std::string_view what) {
    long n = 0;
    for (auto i = s.find(what); i != std::string_view::npos; i = s.find(what, i + 1)) ++n;
    return n;
}

TEST(MapPage, zoomIsClampedToSixThroughFifteen) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"20", "15", 15}, {"3", "6", 6},        {"12", "12", 12},     {"15.4", "15", 15},
        {"5.9", "6", 6},  {"12.5", "12.5", 12}, {"13.5", "13.5", 14}, {"x9", "6", 6}};
    for (const auto& [text2, want_text, want_level] : cases) {
        const mappage::Zoom zoom = mappage::clamp_zoom(text2);
        EXPECT_EQ(zoom.text2, want_text) << text2;
        EXPECT_EQ(zoom.level, want_level) << text2;
    }
}

TEST(MapPage, pageCarriesTheRefreshLineOnlyWhileTheTimerRuns) {
    const std::string refresh = "<meta http-EQUIV=\"refresh\" CONTENT=\"5\">";
    const std::string stopped = mappage::get_htmlheader(false);
    const std::string running = mappage::get_htmlheader(true);
    EXPECT_EQ(count(stopped, refresh), 0);
    EXPECT_EQ(running.find(refresh), stopped.find("\r\n") + 2);
    EXPECT_EQ(running.size(), stopped.size() + refresh.size());
}

TEST(MapPage, markerLineWithLabelsAndPopup) {
    const std::string ten = line("51.5", "-0.4", "#British Airways");
    EXPECT_EQ(mappage::strp_html(ten, &kRoutes, false),
              "plane = new LeafIcon({iconUrl: 'imgs/p270.gif'}),L.marker([51.5,-0.4],"
              "{icon:  new L.DivIcon({className: 'my-div-icon',html:'<img src=\"imgs/p270.gif\"/>"
              "<strong class=\"span1\">A320</strong>   '  })}).addTo(map).bindPopup('<strong>A320"
              "</strong> <br />British Airways<br />BA1<br />London Heathrow-Edinburgh<br />"
              "Altitude:1500 <br />Speed:140<br />' );\r\n");
    EXPECT_EQ(count(mappage::strp_html(ten, &kRoutes, true), "\">A320 BA1</strong>"), 1);
    const std::string nine = mappage::strp_html(line("51.5", "-0.4", ""), &kRoutes, false);
    EXPECT_EQ(count(nine, "</strong> <br />BA1<br />London"), 1) << nine;
}

TEST(MapPage, flightsWithoutANumericPositionAreLeftOff) {
    const std::pair<std::string, std::string> off[] = {
        {"", "-0.4"}, {"51.5", ""}, {"51.5x", "-0.4"}, {"1]);alert(1);//", "2"}, {"nan", "1"}};
    std::string traffic = line(" 51.5 ", "-0.4", "#A") + line("5.15e1", "+1", "#B");
    for (const auto& [lat, lon] : off) traffic += line(lat, lon, "#Off");
    const std::string script = mappage::strp_html(traffic, nullptr, false);
    EXPECT_EQ(count(script, "L.marker(["), 2);
    EXPECT_EQ(count(script, "L.marker([51.5,-0.4]"), 1);
    EXPECT_EQ(count(script, "L.marker([5.15e1,+1]"), 1);
}

TEST(MapPage, valuesAreUtf8AndEscapedForHtmlInsideAJavaScriptString) {
    const std::pair<std::string, std::string> cases[] = {
        {"Chicago O'Hare", "Chicago O\\u0026#39;Hare"},
        {"a\\b", "a\\\\b"},
        {"</script>", "\\u0026lt;/script\\u0026gt;"},
        {"A&B", "A\\u0026amp;B"},
        {"a\r\nb\n\x7f", "a\\u000d\\u000ab\\u000a\\u007f"},
        {"\"x\"", "\\u0026quot;x\\u0026quot;"},
        {"a\xE2\x80\xA8", "a\\u2028"},
        {"Nice C\xF4te \x80", "Nice C\xC3\xB4te \xE2\x82\xAC"},  // Windows-1252
        {"Z\xC3\xBCrich", "Z\xC3\xBCrich"},                      // already UTF-8
        {"Z\xC3", "Z\xC3\x83"},                                  // cut short: not UTF-8
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(mappage::js_html_value(in), want) << in;

    // In the script every value keeps the line one statement: the template's quotes only.
    const std::string plain = mappage::strp_html(line("1", "2", "#Plain"), &kRoutes, true);
    for (const std::string hostile : {"O'Hare \"x\"", "</script><script>alert(1)</script>", "a\\",
                                      "a\nb\rc", "<img src=x onerror=alert(1)>"}) {
        const std::string script = mappage::strp_html(
            "1#2#0#" + hostile + "#0#0#" + hostile + "#LHR#EDI#" + hostile, &kRoutes, true);
        EXPECT_EQ(count(script, "'"), count(plain, "'")) << script;
        EXPECT_EQ(script.find_first_of("\r\n"), script.size() - 2) << script;
        EXPECT_EQ(count(script, "<script"), 0) << script;
    }
}

mappage::MapInput input(std::string_view extent, bool timer) {
    mappage::MapInput in;
    in.extent_text = extent;
    in.zoom_text = "14";
    in.traffic_text = "51.5#-0.4#0#BA1#1500#140#A320#LHR#EDI#BA\r\n";
    in.timer_running = timer;
    return in;
}
std::string set_view(const mappage::MapUpdate& update) {
    const std::string& s = update.files.script;
    return s.substr(s.find('{'), s.find('}') - s.find('{') + 1);
}

TEST(MapPage, centreIsStoredWhenRecentredAndUsedUntilTheNext) {
    mappage::MapView view;
    auto before_any = mappage::plot_planesOSM(view, input("12#10#7#5", true), true);
    ASSERT_TRUE(before_any);  // no centre stored yet: the new one, never empty values
    EXPECT_EQ(set_view(*before_any), "{lon:6, lat:11}");
    EXPECT_FALSE(before_any->write_page || before_any->open_page || view.centre);

    view.map_recenter = true;
    auto recentred = mappage::plot_planesOSM(view, input("52#50#1#-1", true), true);
    ASSERT_TRUE(recentred);
    EXPECT_TRUE(recentred->write_page && recentred->open_page && !view.map_recenter);
    EXPECT_EQ(set_view(*recentred), "{lon:0, lat:51}");

    auto tick = mappage::plot_planesOSM(view, input("12#10#7#5", true), true);
    EXPECT_EQ(set_view(*tick), "{lon:0, lat:51}");
    EXPECT_FALSE(tick->write_page);  // page there, timer running, not recentred
    EXPECT_TRUE(mappage::plot_planesOSM(view, input("12#10#7#5", true), false)->write_page);
    EXPECT_TRUE(mappage::plot_planesOSM(view, input("12#10#7#5", false), true)->write_page);
    EXPECT_FALSE(mappage::plot_planesOSM(view, input("", false), true));
    // Found by map_page_fuzz: a middle beyond the range of numbers was written as "-inf".
    for (const char* extent : {"1e308#-1e308#0#0", "0#0#-1e308#1e308"})
        EXPECT_FALSE(mappage::plot_planesOSM(view, input(extent, false), false)) << extent;
}

}  // namespace
