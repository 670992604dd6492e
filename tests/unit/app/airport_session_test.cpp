#include "app/airport_session.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "../common/temp_folder.hpp"
#include "app/session.hpp"
#include "common/file_io.hpp"
#include "fake_platform.hpp"

namespace airports {
void PrintTo(const Airport& a, std::ostream* os) {
    *os << a.name << '#' << a.coords;
}
}  // namespace airports

namespace {

using platform::Answer;

class AirportSessionTest : public ::testing::Test {
  protected:
    void start() { s_ = app::Session(app::startup(root_.file("program"), false)); }
    std::string file() const { return s_.frame.layout.airport_list_file(); }

    testing_support::TempFolder root_;
    testing_support::FakePlatform p_;
    app::Session s_;
};

TEST_F(AirportSessionTest, startUp_builtinListAndAirlineRecordsPerLine) {
    std::filesystem::create_directories(root_.file("program/system"));
    ASSERT_TRUE(common::write_file_atomic(root_.file("program/system/airlines"),
                                          "BAW,British Airways\x1b\x1c"
                                          "DLH,Lufthansa\x1b\x1c"));
    start();
    EXPECT_EQ(s_.airports.list.items.size(), 9u);
    EXPECT_EQ(s_.airports.tables.airlines.text(), "BAW,British Airways\r\nDLH,Lufthansa\r\n");
}

TEST_F(AirportSessionTest, removeIsSavedAtOnce_andSortingKeepsItRemoved) {
    start();
    s_.airports.list.selected = 1;  // Schiphol
    p_.answers = {Answer::No};
    EXPECT_FALSE(app::remove_airport(s_, p_));
    EXPECT_FALSE(common::file_exists(file()));
    p_.answers = {Answer::Yes};
    EXPECT_TRUE(app::remove_airport(s_, p_));
    EXPECT_EQ(p_.messages.back().text, "Remove Schiphol ?");
    const auto kept = s_.airports.list.items;
    EXPECT_EQ(app::Session(app::startup(root_.file("program"), false)).airports.list.items, kept);
    app::sort_airports(s_);
    ASSERT_EQ(s_.airports.list.items.size(), 8u);
    EXPECT_EQ(s_.airports.list.items[0].name, "Frankfurt ");
    for (const auto& a : s_.airports.list.items) EXPECT_NE(a.name, "Schiphol ");
}

TEST_F(AirportSessionTest, removeWithoutSelection_andFailedSaveNamesThePath) {
    start();
    EXPECT_FALSE(app::remove_airport(s_, p_));
    EXPECT_EQ(p_.messages.back().text, "Please select.");
    std::filesystem::create_directories(file());  // a folder where the file should be
    s_.airports.list.selected = 0;
    p_.answers = {Answer::Yes};
    EXPECT_TRUE(app::remove_airport(s_, p_));
    EXPECT_NE(p_.messages.back().text.find(file()), std::string::npos) << p_.messages.back().text;
}

TEST_F(AirportSessionTest, choose_loadsIataOnce_setsFlags_orSaysDataMissing) {
    std::filesystem::create_directories(root_.file("program/system"));
    ASSERT_TRUE(common::write_file_atomic(root_.file("program/system/iata"),
                                          "Nice\xa0"
                                          "Cote,NCE"));
    ASSERT_TRUE(common::write_file_atomic(root_.file("program/system/airplst"), "A#1/2\r\nB\r\n"));
    start();
    EXPECT_EQ(app::choose_airport(s_, p_), std::nullopt);  // nothing selected
    EXPECT_TRUE(s_.airports.tables.routes.text().empty());
    s_.airports.list.selected = 1;
    EXPECT_EQ(app::choose_airport(s_, p_), std::nullopt);
    EXPECT_EQ(p_.messages.back().text, std::string(airports::kMissingDataMessage));
    EXPECT_TRUE(s_.live_view.map.map_recenter);
    EXPECT_EQ(s_.live_view.plot.picture_zoom, 2.0f);
    EXPECT_EQ(s_.airports.tables.routes.place_name("NCE"), "Nice Cote");
    s_.airports.list.selected = 0;
    EXPECT_EQ(app::choose_airport(s_, p_), "1/2");
    EXPECT_EQ(s_.live_view.plot.picture_zoom, 1.0f);
    EXPECT_EQ(s_.live_view.chosen_coords, "1/2");
}

TEST_F(AirportSessionTest, editorRoad_editPreparesBoxes_changedListIsSavedAndChosen) {
    start();
    EXPECT_FALSE(app::open_editor(s_, p_, true));
    EXPECT_EQ(p_.messages.back().text, "Please select Airport.");
    s_.airports.list.selected = 0;
    ASSERT_TRUE(app::open_editor(s_, p_, true));
    EXPECT_EQ(s_.airports.editor.latitude, " 51.4775009155273");
    EXPECT_EQ(s_.airports.editor.longitude, " -0.461388885974884");
    ASSERT_TRUE(app::open_editor(s_, p_, false));  // "Add" keeps the coordinate boxes
    EXPECT_EQ(s_.airports.editor.name, "");
    EXPECT_EQ(s_.airports.editor.latitude, " 51.4775009155273");
    EXPECT_EQ(app::editor_closed(s_, p_), std::nullopt);  // unchanged: nothing saved
    EXPECT_FALSE(common::file_exists(file()));
    s_.airports.editor = {"Gatwick", "51.15", "-0.18"};
    ASSERT_EQ(airports::add_airport(s_.airports.list, s_.airports.editor, false), std::nullopt);
    s_.airports.list_changed = true;
    EXPECT_EQ(app::editor_closed(s_, p_), "51.15/-0.18");
    EXPECT_NE(common::read_file(file()).find("Gatwick#51.15/-0.18\r\n"), std::string::npos);
}

}  // namespace
