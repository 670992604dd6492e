#include "app/suggestion_click.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using logs::kColumnAirline;
using logs::kColumnModel;
using logs::kColumnRef;
using logs::RowText;
using logs::SpawnTable;

// n records; the one at index `at` is a DLH A20N, all others BAW B738.
RowText records_with_match(int n, int at) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "t,R" + std::to_string(i) + (i == at ? ", A20N ,DLH" : ",B738,BAW") + ",n, s,c\r\n";
    return RowText(std::move(text));
}

// Rows whose Model and Airline cells are painted; the two always go together.
std::vector<int> yellow_rows(const SpawnTable& t) {
    std::vector<int> rows;
    for (int r = 1; r <= SpawnTable::kRows; ++r) {
        EXPECT_EQ(t.cell(r, kColumnModel).yellow, t.cell(r, kColumnAirline).yellow) << r;
        if (t.cell(r, kColumnModel).yellow) rows.push_back(r);
    }
    return rows;
}

TEST(SuggestionRow, cutAtCommasAfterTheClassification) {
    auto parts = app::cut_suggestion_row(" Livery?:B738,RYR");
    EXPECT_EQ(parts.type_code + "|" + parts.airline, "B738|RYR");
    EXPECT_TRUE(parts.messages.empty());
    parts = app::cut_suggestion_row("A20N,DLH,extra");  // no "?": the whole first piece
    EXPECT_EQ(parts.type_code + "|" + parts.airline, "A20N|DLH");
    EXPECT_EQ(app::cut_suggestion_row("Model?,X").type_code, "");
    // A row without a comma reports the failing step and goes on.
    parts = app::cut_suggestion_row(" Model?:B38M");
    EXPECT_EQ(parts.type_code + "|" + parts.airline, "B38M|");
    EXPECT_EQ(parts.messages.size(), 1U);
}

TEST(SuggestionClick, matchOnTheFirstPageOrOnTheLastFullPage) {
    SpawnTable t;
    RowText recs = records_with_match(40, 24);
    t.on_scroll(10, recs);
    auto click = app::list1_mouse_down(" Livery?:A20N,DLH", t, recs, 40);
    EXPECT_EQ(click.type_code, "A20N");
    EXPECT_EQ(click.model_name, "Airbus 320");
    ASSERT_TRUE(click.placement.has_value());
    EXPECT_FALSE(click.placement->set_scrollbar);
    EXPECT_EQ(t.cell(25, kColumnRef).caption, "R24");
    EXPECT_EQ(yellow_rows(t), std::vector<int>{25});
    EXPECT_EQ(t.top_row(), 10);  // the scroll bar was not moved

    // An earlier search's colouring and marks go; records 15 to 39 show, row 11 is painted.
    recs = records_with_match(40, 25);
    ASSERT_GT(t.search_labels("baw", false, recs), 0);
    click = app::list1_mouse_down(" Model?:A20N,DLH", t, recs, 40);
    ASSERT_TRUE(click.placement.has_value());
    EXPECT_TRUE(click.placement->set_scrollbar);
    EXPECT_EQ(t.top_row(), 15);
    EXPECT_EQ(t.cell(11, kColumnRef).caption, "R25");
    EXPECT_EQ(t.cell(1, kColumnAirline).caption, "BAW");
    EXPECT_EQ(yellow_rows(t), std::vector<int>{11});
}

TEST(SuggestionClick, noMatchStillFillsTheBoxes_plainSpawnedPressActsAsAClick) {
    SpawnTable t;
    RowText recs = records_with_match(5, -1);
    t.scrol(0, logs::DrawText::Records, recs);
    const auto click = app::list1_mouse_down(" Model?:B752,ICE", t, recs, 5);
    EXPECT_EQ(click.type_code, "B752");
    EXPECT_EQ(click.model_name, "Boeing 787-10");
    EXPECT_FALSE(click.placement.has_value());
    EXPECT_TRUE(yellow_rows(t).empty());

    recs = records_with_match(30, 3);
    t.scrol(0, logs::DrawText::Records, recs);
    const std::vector<std::string> list = {" Model?:B738,RYR", " Livery?:A20N,DLH"};
    const auto press = app::press_plane_spawned(4, list, t, recs, 30);
    EXPECT_EQ(press.selected, 1);
    ASSERT_TRUE(press.click.has_value());
    EXPECT_EQ(press.click->type_code, "A20N");
    EXPECT_EQ(yellow_rows(t), std::vector<int>{4});
    const auto none = app::press_plane_spawned(4, {}, t, recs, 30);
    EXPECT_EQ(none.selected, -1);
    EXPECT_FALSE(none.click.has_value());
}

}  // namespace
