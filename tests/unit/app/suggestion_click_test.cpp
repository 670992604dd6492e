#include "app/suggestion_click.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/paths.hpp"

namespace {

using logs::kColumnAirline;
using logs::kColumnModel;
using logs::kColumnRef;
using logs::RowText;
using logs::SpawnTable;

// n records; the one at index `at` is a DLH A20N, all others BAW B738.
RowText records_with_match(int n, int at) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += "t,R" + std::to_string(i) + (i == at ? ", A20N ,DLH" : ",B738,BAW") + ",n, s,c\r\n";
    }
    return RowText(std::move(text));
}

int yellow_rows(const SpawnTable& t) {
    int n = 0;
    for (int r = 1; r <= SpawnTable::kRows; ++r) {
        const bool model = t.cell(r, kColumnModel).yellow;
        EXPECT_EQ(model, t.cell(r, kColumnAirline).yellow) << r;
        n += model ? 1 : 0;
    }
    return n;
}

TEST(SuggestionRow, cut_dropsClassificationAndColon) {
    const auto parts = app::cut_suggestion_row(" Livery?:B738,RYR");
    EXPECT_EQ(parts.type_code, "B738");
    EXPECT_EQ(parts.airline, "RYR");
    EXPECT_TRUE(parts.messages.empty());

    const auto plain = app::cut_suggestion_row("A20N,DLH,extra");
    EXPECT_EQ(plain.type_code, "A20N");
    EXPECT_EQ(plain.airline, "DLH");

    const auto question_last = app::cut_suggestion_row("Model?,X");
    EXPECT_EQ(question_last.type_code, "");
}

TEST(SuggestionRow, cut_rowWithoutCommaReportsAndGoesOn) {
    const auto parts = app::cut_suggestion_row(" Model?:B38M");
    EXPECT_EQ(parts.type_code, "B38M");
    EXPECT_EQ(parts.airline, "");
    ASSERT_EQ(parts.messages.size(), 1U);
    EXPECT_FALSE(parts.messages[0].text.empty());
}

TEST(SuggestionRow, reloadPath_isModelMatchingBesideJsonPath) {
    EXPECT_EQ(app::model_matching_reload_path("C:\\sim\\config\\ModelMatching.json"),
              "C:\\sim\\config\\ModelMatching.json");
    EXPECT_EQ(app::model_matching_reload_path("/sim/config/Other.json"),
              "/sim/config/ModelMatching.json");
}

TEST(SuggestionClick, matchOnFirstPage_drawsPageZeroAndPaintsItsRow) {
    SpawnTable t;
    const RowText recs = records_with_match(40, 24);
    t.on_scroll(10, recs);
    const auto click = app::list1_mouse_down(" Livery?:A20N,DLH", t, recs, 40);
    EXPECT_EQ(click.type_code, "A20N");
    EXPECT_EQ(click.model_name, "Airbus 320");
    EXPECT_TRUE(click.messages.empty());
    ASSERT_TRUE(click.placement.has_value());
    EXPECT_FALSE(click.placement->set_scrollbar);
    EXPECT_EQ(t.cell(1, kColumnRef).caption, "R0");
    EXPECT_EQ(t.cell(25, kColumnRef).caption, "R24");
    EXPECT_TRUE(t.cell(25, kColumnModel).yellow);
    EXPECT_EQ(yellow_rows(t), 1);
    EXPECT_EQ(t.top_row(), 10);  // the scroll bar was not moved
}

TEST(SuggestionClick, matchNearTheEnd_showsLastFullPage) {
    SpawnTable t;
    const RowText recs = records_with_match(40, 25);
    const auto click = app::list1_mouse_down(" Model?:A20N,DLH", t, recs, 40);
    ASSERT_TRUE(click.placement.has_value());
    EXPECT_TRUE(click.placement->set_scrollbar);
    EXPECT_EQ(click.placement->first_record, 15);
    EXPECT_EQ(t.top_row(), 15);
    EXPECT_EQ(t.cell(11, kColumnRef).caption, "R25");
    EXPECT_TRUE(t.cell(11, kColumnAirline).yellow);
    EXPECT_EQ(yellow_rows(t), 1);
}

TEST(SuggestionClick, earlierSearchHighlightIsCleared) {
    SpawnTable t;
    const RowText recs = records_with_match(60, 30);
    ASSERT_GT(t.search_labels("baw", false, recs), 0);
    const auto click = app::list1_mouse_down(" Model?:A20N,DLH", t, recs, 60);
    ASSERT_TRUE(click.placement.has_value());
    EXPECT_EQ(t.top_row(), 25);
    EXPECT_EQ(t.cell(6, kColumnRef).caption, "R30");
    EXPECT_EQ(yellow_rows(t), 1);
    EXPECT_TRUE(t.cell(6, kColumnModel).yellow);
    EXPECT_EQ(t.cell(1, kColumnAirline).caption, "BAW");  // marks gone from the text shown
}

TEST(SuggestionClick, noMatch_stillFillsTheBoxes) {
    SpawnTable t;
    const RowText recs = records_with_match(5, -1);
    t.scrol(0, logs::kDrawRecords, recs);
    const auto click = app::list1_mouse_down(" Model?:B752,ICE", t, recs, 5);
    EXPECT_EQ(click.type_code, "B752");
    EXPECT_EQ(click.model_name, "Boeing 787-10");
    EXPECT_FALSE(click.placement.has_value());
    EXPECT_EQ(yellow_rows(t), 0);
}

TEST(SuggestionClick, planeSpawnedPress_selectsSuggestionOfTheRowsModel) {
    SpawnTable t;
    const RowText recs = records_with_match(30, 3);
    t.scrol(0, logs::kDrawRecords, recs);
    const std::vector<std::string> list = {" Model?:B738,RYR", " Livery?:A20N,DLH"};

    const auto press = app::press_plane_spawned(4, list, t, recs, 30);
    EXPECT_EQ(press.selected, 1);
    ASSERT_TRUE(press.click.has_value());
    EXPECT_EQ(press.click->type_code, "A20N");
    EXPECT_TRUE(t.cell(4, kColumnModel).yellow);

    const auto none = app::press_plane_spawned(4, {}, t, recs, 30);
    EXPECT_EQ(none.selected, -1);
    EXPECT_FALSE(none.click.has_value());
}

}  // namespace
