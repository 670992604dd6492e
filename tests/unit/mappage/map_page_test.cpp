#include "mappage/map_page.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"

namespace {

const live::RouteTable& routes() {
    static const live::RouteTable table("London Heathrow (LHR),LHR\r\nEdinburgh,EDI\r\n");
    return table;
}

std::string traffic_line(const std::string& lat, const std::string& lon,
                         const std::string& airline = "British Airways") {
    return lat + "#" + lon + "#274#BA1#1500#140#A320#LHR#EDI#" + airline + "\r\n";
}

std::size_t markers(std::string_view script) {
    std::size_t n = 0;
    for (std::size_t i = script.find("L.marker(["); i != std::string_view::npos;
         i = script.find("L.marker([", i + 1)) {
        ++n;
    }
    return n;
}

TEST(MapPage, zoomIsClampedToSixThroughFifteen) {
    struct Case {
        const char* text2;
        const char* want_text;
        int want_level;
    };
    const Case cases[] = {{"20", "15", 15}, {"3", "6", 6},        {"12", "12", 12},
                          {"15", "15", 15}, {"6", "6", 6},        {"15.4", "15", 15},
                          {"5.9", "6", 6},  {"12.5", "12.5", 12}, {"13.5", "13.5", 14},
                          {"", "6", 6},     {"x9", "6", 6},       {" 14abc", " 14abc", 14}};
    for (const Case& c : cases) {
        const mappage::Zoom zoom = mappage::clamp_zoom(c.text2);
        EXPECT_EQ(zoom.text2, c.want_text) << c.text2;
        EXPECT_EQ(zoom.level, c.want_level) << c.text2;
    }
}

TEST(MapPage, centreIsTheMiddleOfTheExtent) {
    struct Case {
        const char* extent;
        std::optional<mappage::MapCentre> want;
    };
    const Case cases[] = {
        {"51.5775#51.3775#-0.3613889#-0.5613889", mappage::MapCentre{"-0.4613889", "51.4775"}},
        // North below south: the half span is still taken from north.
        {"10#20#5#-5", mappage::MapCentre{"0", "5"}},
        {"", std::nullopt},
        {"51.5#51.3#-0.3", std::nullopt},
        {"51.5#north#-0.3#-0.5", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(mappage::map_centre(c.extent), c.want) << c.extent;
}

TEST(MapPage, pageCarriesTheRefreshLineOnlyWhileTheTimerRuns) {
    const std::string refresh = "<meta http-EQUIV=\"refresh\" CONTENT=\"5\">";
    const std::string stopped = mappage::get_htmlheader(false);
    const std::string running = mappage::get_htmlheader(true);
    EXPECT_EQ(stopped.find(refresh), std::string::npos);
    EXPECT_EQ(running.find(refresh), stopped.find("\r\n") + 2);
    EXPECT_EQ(running.size(), stopped.size() + refresh.size());
    EXPECT_EQ(std::count(stopped.begin(), stopped.end(), '\n'), 1);
    EXPECT_TRUE(stopped.starts_with(
        "<html><head><meta charset=\"utf-8\" /><meta name=\"viewport\"content="));
    EXPECT_TRUE(stopped.find("user-scalable=no\">\r\n<script src=\"leaflet.js\"></script>") !=
                std::string::npos);
    EXPECT_TRUE(
        stopped.ends_with(" <div id=\"map\"></div><script src=\"apmm.js\"></script>"
                          "</div></body></html>"));
}

TEST(MapPage, setUpLineWithCentreZoomTilesAndIconClass) {
    const std::string header = mappage::script_header({"-0.46", "51.47"}, 14);
    EXPECT_EQ(header,
              "var map = L.map('map').setView({lon:-0.46, lat:51.47}, 14);"
              "L.tileLayer('https://tile.openstreetmap.org/{z}/{x}/{y}.png', {maxZoom: 19,"
              "referrerPolicy: 'strict-origin-when-cross-origin',"
              "attribution:         '&copy; <a href=\"https://www.openstreetmap.org/copyright\">"
              "OpenStreetMap contributors</a>'}).addTo(map);L.control.scale().addTo(map);"
              " var LeafIcon = L.Icon.extend({options: {iconSize:[32, 32],iconAnchor:[16, 16],"
              "popupAnchor:[0, -12]}});;\r\n");
}

TEST(MapPage, markerLinePerTrafficLine) {
    struct Case {
        const char* name;
        std::string traffic;
        bool airline_labels;
        std::string want;
    };
    const std::string icon = "plane = new LeafIcon({iconUrl: 'imgs/p270.gif'}),";
    const std::string div =
        "{icon:  new L.DivIcon({className: 'my-div-icon',html:'<img src=\"imgs/p270.gif\"/>"
        "<strong class=\"span1\">";
    const Case cases[] = {
        {"tenFields", traffic_line("51.5", "-0.4"), false,
         icon + "L.marker([51.5,-0.4]," + div +
             "A320</strong>   '  })}).addTo(map).bindPopup('<strong>A320</strong> "
             "<br />British Airways<br />BA1<br />London Heathrow-Edinburgh<br />Altitude:1500 "
             "<br />Speed:140<br />' );\r\n"},
        {"airlineLabel", traffic_line("51.5", "-0.4"), true,
         icon + "L.marker([51.5,-0.4]," + div +
             "A320 BA1</strong>   '  })}).addTo(map).bindPopup('<strong>A320</strong> "
             "<br />British Airways<br />BA1<br />London Heathrow-Edinburgh<br />Altitude:1500 "
             "<br />Speed:140<br />' );\r\n"},
        {"nineFieldsNoAirline", "51.5#-0.4#274#BA1#1500#140#A320#LHR#EDI\r\n", false,
         icon + "L.marker([51.5,-0.4]," + div +
             "A320</strong>   '  })}).addTo(map).bindPopup('<strong>A320</strong> "
             "<br />BA1<br />London Heathrow-Edinburgh<br />Altitude:1500 "
             "<br />Speed:140<br />' );\r\n"},
        {"quotesRemovedEmptySkipped", "\"\"\r\n\r\n" + traffic_line("\"51.5\"", "-0.4"), false,
         icon + "L.marker([51.5,-0.4]," + div +
             "A320</strong>   '  })}).addTo(map).bindPopup('<strong>A320</strong> "
             "<br />British Airways<br />BA1<br />London Heathrow-Edinburgh<br />Altitude:1500 "
             "<br />Speed:140<br />' );\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mappage::strp_html(c.traffic, &routes(), c.airline_labels), c.want) << c.name;
    }
}

TEST(MapPage, flightsWithoutANumericPositionAreLeftOff) {
    struct Case {
        const char* name;
        std::string lat, lon;
        bool shown;
    };
    const Case cases[] = {
        {"plain", "51.5", "-0.4", true},
        {"blanksAround", " 51.5 ", "-0.4", true},
        {"plusSign", "+51.5", "-0.4", true},
        {"exponent", "5.15e1", "-0.4", true},
        {"emptyLatitude", "", "-0.4", false},
        {"emptyLongitude", "51.5", "", false},
        {"trailingText", "51.5x", "-0.4", false},
        {"script", "alert(1)", "-0.4", false},
        {"injection", "1]);alert(1);//", "2", false},
        {"notANumber", "nan", "-0.4", false},
        {"infinite", "51.5", "inf", false},
    };
    for (const Case& c : cases) {
        const std::string script = mappage::strp_html(traffic_line(c.lat, c.lon), &routes(), false);
        EXPECT_EQ(markers(script), c.shown ? 1U : 0U) << c.name;
    }
    const std::string mixed = traffic_line("51.5", "-0.4") + traffic_line("x", "1") + "51.4#\r\n" +
                              traffic_line("51.6", "-0.3");
    EXPECT_EQ(markers(mappage::strp_html(mixed, &routes(), false)), 2U);
    EXPECT_NE(mappage::strp_html(traffic_line("5.15e1", "-0.4"), nullptr, false)
                  .find("L.marker([5.15e1,-0.4]"),
              std::string::npos);
}

TEST(MapPage, aTrackThatIsNoNumberKeepsTheFlightPointingNorth) {
    const std::string script =
        mappage::strp_html("51.5#-0.4#north#BA1#0#0#A320#LHR#EDI#X\r\n", nullptr, false);
    EXPECT_EQ(markers(script), 1U);
    EXPECT_NE(script.find("iconUrl: 'imgs/p0.gif'"), std::string::npos);
}

TEST(MapPage, feedValuesCannotBreakTheScriptOrRunInThePage) {
    const std::string benign = mappage::strp_html(traffic_line("1", "2", "Plain"), nullptr, true);
    const auto quotes = [](std::string_view s) { return std::count(s.begin(), s.end(), '\''); };
    struct Case {
        const char* name;
        std::string airline;
        std::string want;
    };
    const Case cases[] = {
        {"apostrophe", "Chicago O'Hare", "Chicago O\\u0026#39;Hare"},
        {"apostropheCodePage", "Nice C\xF4te d'Azur", "Nice C\xC3\xB4te d\\u0026#39;Azur"},
        {"doubleQuoteRemoved", "A \"B\"", "<br />A B<br />"},
        {"backslash", "A\\", "A\\\\<br />"},
        {"scriptEnd", "</script><script>alert(1)</script>",
         "\\u0026lt;/script\\u0026gt;\\u0026lt;script\\u0026gt;alert(1)"},
        {"lessThan", "<img src=x onerror=alert(1)>", "\\u0026lt;img src=x onerror=alert(1)"},
        {"ampersand", "Air & Sea", "Air \\u0026amp; Sea"},
        {"lineBreak", "Air\nSea\rX", "Air\\u000aSea\\u000dX"},
    };
    for (const Case& c : cases) {
        const std::string script =
            mappage::strp_html(traffic_line("1", "2", c.airline), nullptr, true);
        EXPECT_NE(script.find(c.want), std::string::npos) << c.name << ": " << script;
        EXPECT_EQ(quotes(script), quotes(benign)) << c.name;
        EXPECT_EQ(script.find_first_of("\r\n"), script.size() - 2) << c.name;
        EXPECT_EQ(script.find("<script"), std::string::npos) << c.name;
    }
    // The type and flight land in the label and the popup; escaped there too.
    const std::string label =
        mappage::strp_html("1#2#0#<b>'1#0#0#<i>\"T#LHR#EDI#X\r\n", nullptr, true);
    EXPECT_EQ(quotes(label), quotes(benign));
    EXPECT_NE(label.find("\\u0026lt;i\\u0026gt;T \\u0026lt;b\\u0026gt;\\u0026#39;1"),
              std::string::npos)
        << label;
}

mappage::MapInput input(std::string_view extent, bool timer = false) {
    mappage::MapInput in;
    in.extent_text = extent;
    in.zoom_text = "20";
    in.traffic_text = "51.5#-0.4#0#BA1#1500#140#A320#LHR#EDI#British Airways\r\n";
    in.timer_running = timer;
    return in;
}

constexpr std::string_view kFirst = "52#50#1#-1";  // centre lat 51, lon 0
constexpr std::string_view kSecond = "12#10#7#5";  // centre lat 11, lon 6

TEST(MapPage, recentredUpdateStoresTheCentreAndTimerUpdatesKeepIt) {
    mappage::MapView view;
    view.map_recenter = true;
    auto first = mappage::plot_planesOSM(view, input(kFirst), true);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->open_page);
    EXPECT_TRUE(first->write_page);
    EXPECT_FALSE(view.map_recenter);
    EXPECT_EQ(first->files.zoom.text2, "15");
    EXPECT_TRUE(
        first->files.script.starts_with("var map = L.map('map').setView({lon:0, lat:51}, 15);"));

    auto tick = mappage::plot_planesOSM(view, input(kSecond, true), true);
    ASSERT_TRUE(tick);
    EXPECT_FALSE(tick->open_page);
    EXPECT_FALSE(tick->write_page);
    EXPECT_TRUE(tick->files.script.starts_with("var map = L.map('map').setView({lon:0, lat:51}"));

    view.map_recenter = true;
    auto again = mappage::plot_planesOSM(view, input(kSecond, true), true);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->write_page);
    EXPECT_NE(again->files.page.find("refresh"), std::string::npos);
    EXPECT_TRUE(again->files.script.starts_with("var map = L.map('map').setView({lon:6, lat:11}"));
}

TEST(MapPage, updateBeforeAnyCentreWasStoredUsesTheNewCentre) {
    mappage::MapView view;
    auto update = mappage::plot_planesOSM(view, input(kSecond, true), true);
    ASSERT_TRUE(update);
    EXPECT_TRUE(update->files.script.starts_with("var map = L.map('map').setView({lon:6, lat:11}"));
    EXPECT_FALSE(view.centre);
    EXPECT_FALSE(update->open_page);
}

TEST(MapPage, pageIsWrittenWhenMissingRecentredOrTimerStopped) {
    struct Case {
        bool page_exists, recenter, timer, want_write;
    };
    const Case cases[] = {{true, false, true, false},
                          {false, false, true, true},
                          {true, true, true, true},
                          {true, false, false, true}};
    for (const Case& c : cases) {
        mappage::MapView view{c.recenter, mappage::MapCentre{"0", "0"}};
        auto update = mappage::plot_planesOSM(view, input(kFirst, c.timer), c.page_exists);
        ASSERT_TRUE(update);
        EXPECT_EQ(update->write_page, c.want_write) << c.page_exists << c.recenter << c.timer;
    }
}

TEST(MapPage, emptyOrUnreadableExtentUpdatesNothing) {
    for (const std::string_view extent : {std::string_view{}, std::string_view{"a#b#c#d"}}) {
        mappage::MapView view{true, std::nullopt};
        EXPECT_FALSE(mappage::plot_planesOSM(view, input(extent), false)) << extent;
        EXPECT_TRUE(view.map_recenter);
        EXPECT_FALSE(view.centre);
    }
}

TEST(MapPage, filesAreWrittenWholeAndAFailureNamesItsPath) {
    testing_support::TempFolder dir;
    mappage::MapView view{true, std::nullopt};
    auto update = mappage::plot_planesOSM(view, input(kFirst), false);
    ASSERT_TRUE(update);
    const mappage::MapPaths paths{dir.file("apmm.js"), dir.file("mm.htm")};
    const mappage::MapWriteResult written = mappage::write_map_files(paths, *update);
    EXPECT_TRUE(written.status);
    EXPECT_EQ(written.written, (std::vector<std::string>{paths.script, paths.page}));
    EXPECT_EQ(common::read_file(paths.script), update->files.script + "\r\n");
    EXPECT_EQ(common::read_file(paths.page), update->files.page + "\r\n");

    const std::string missing = (dir.path() / "gone" / "apmm.js").string();
    const mappage::MapWriteResult failed =
        mappage::write_map_files({missing, dir.file("mm2.htm")}, *update);
    ASSERT_FALSE(failed.status);
    EXPECT_EQ(failed.status.error->path, missing);
    EXPECT_EQ(failed.written, std::vector<std::string>{dir.file("mm2.htm")});
    EXPECT_TRUE(std::filesystem::exists(dir.file("mm2.htm")));
}

}  // namespace
