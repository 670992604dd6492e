#include "logs/spawn_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/paths.hpp"
#include "common/text.hpp"

namespace {

using logs::Cell;
using logs::kColumnAirline;
using logs::kColumnCallSign;
using logs::kColumnModel;
using logs::kColumnModelName;
using logs::kColumnPlaneSpawned;
using logs::kColumnRef;
using logs::kColumnTime;
using logs::kMark;
using logs::RowText;
using logs::SpawnTable;

const std::string kM(1, kMark);

// Record i of a test log: REF and CallSign carry the index so a row can be traced back.
std::string record(int i, std::string_view airline = "BAW",
                   std::string_view spawned = " Boeing 737-800") {
    return "10:" + std::to_string(10 + i % 50) + ",R" + std::to_string(i) + ",B738," +
           std::string(airline) + ",Boeing 737-800," + std::string(spawned) + ",CS" +
           std::to_string(i) + "\r\n";
}

RowText records(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += record(i);
    return RowText(std::move(text));
}

const std::string& caption(const SpawnTable& t, int row, int column) {
    return t.cell(row, column).caption;
}

bool row_is_blank(const SpawnTable& t, int row) {
    for (int c = 1; c <= SpawnTable::kColumns; ++c) {
        const Cell& cell = t.cell(row, c);
        if (!cell.caption.empty() || cell.yellow || cell.red) return false;
    }
    return true;
}

TEST(SpawnTableDraw, newTable_showsDashesOnNormalBackground) {
    const SpawnTable t;
    for (int r = 1; r <= SpawnTable::kRows; ++r) {
        for (int c = 1; c <= SpawnTable::kColumns; ++c) {
            EXPECT_EQ(t.cell(r, c), Cell{}) << r << "," << c;
            EXPECT_EQ(t.cell(r, c).caption, "-");
        }
    }
    EXPECT_EQ(t.top_row(), 0);
    EXPECT_FLOAT_EQ(t.scroll_scale(), 1.0F);
}

TEST(SpawnTableDraw, thirtyRecordsFromRowTen_lastFiveRowsEmpty) {
    SpawnTable t;
    const RowText recs = records(30);
    t.on_scroll(10, recs);
    EXPECT_EQ(t.top_row(), 10);
    for (int k = 1; k <= 20; ++k) {
        const int i = 10 + k - 1;
        EXPECT_EQ(caption(t, k, kColumnRef), "R" + std::to_string(i));
        EXPECT_EQ(caption(t, k, kColumnModel), "B738");
        EXPECT_EQ(caption(t, k, kColumnPlaneSpawned), " Boeing 737-800");
        EXPECT_EQ(caption(t, k, kColumnCallSign), "CS" + std::to_string(i));
    }
    for (int k = 21; k <= 25; ++k) EXPECT_TRUE(row_is_blank(t, k)) << k;
}

TEST(SpawnTableDraw, negativeFirstRowOrNoRecords_drawsFromZero) {
    SpawnTable t;
    const RowText recs = records(3);
    EXPECT_EQ(t.scrol(-4, logs::kDrawRecords, recs), 0);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R0");
    EXPECT_TRUE(row_is_blank(t, 4));

    EXPECT_EQ(t.scrol(7, logs::kDrawRecords, RowText{}), 0);
    for (int k = 1; k <= 25; ++k) EXPECT_TRUE(row_is_blank(t, k));

    t.on_scroll(-3, recs);
    EXPECT_EQ(t.top_row(), 0);
}

TEST(SpawnTableDraw, shortRows_keepCaptionsOfMissingFields) {
    SpawnTable t;
    t.scrol(0, logs::kDrawRecords,
            RowText(record(0, "DLH", " Airbus A320 (Default Model)") + record(1) + record(2)));
    ASSERT_TRUE(t.cell(1, kColumnPlaneSpawned).red);

    // Six fields: no CallSign; five: no Plane Spawned either; one: only Time.
    t.scrol(0, logs::kDrawRecords, RowText("a,b,c,d,e,f\r\n1,2,3,4,5\r\nsolo\r\n"));
    EXPECT_EQ(caption(t, 1, kColumnPlaneSpawned), "f");
    EXPECT_EQ(caption(t, 1, kColumnCallSign), "CS0");
    EXPECT_FALSE(t.cell(1, kColumnPlaneSpawned).red);
    EXPECT_EQ(caption(t, 2, kColumnModelName), "5");
    EXPECT_EQ(caption(t, 2, kColumnPlaneSpawned), " Boeing 737-800");
    EXPECT_EQ(caption(t, 3, kColumnTime), "solo");
    EXPECT_EQ(caption(t, 3, kColumnRef), "R2");
    EXPECT_TRUE(row_is_blank(t, 4));  // the empty text after the last line end
}

TEST(SpawnTableDraw, markedFields_paintYellowAndKeepTheMarkInTheCaption) {
    SpawnTable t;
    const std::string row =
        kM + "10:00,R1,B738," + kM + "DLH,Name," + kM + " Airbus (Default)," + kM + "CS\r\n";
    t.scrol(0, logs::kDrawRecords, RowText(row));
    EXPECT_TRUE(t.cell(1, kColumnTime).yellow);
    EXPECT_FALSE(t.cell(1, kColumnRef).yellow);
    EXPECT_FALSE(t.cell(1, kColumnModel).yellow);
    EXPECT_TRUE(t.cell(1, kColumnAirline).yellow);
    EXPECT_TRUE(t.cell(1, kColumnPlaneSpawned).yellow);
    EXPECT_TRUE(t.cell(1, kColumnPlaneSpawned).red);
    EXPECT_TRUE(t.cell(1, kColumnCallSign).yellow);
    EXPECT_EQ(caption(t, 1, kColumnAirline), kM + "DLH");
    EXPECT_EQ(logs::visible_caption(caption(t, 1, kColumnAirline)), "DLH");

    // Redrawing an unmarked row clears the colours.
    t.scrol(0, logs::kDrawRecords, RowText(record(0)));
    for (int c = 1; c <= 7; ++c) EXPECT_FALSE(t.cell(1, c).yellow) << c;
    EXPECT_FALSE(t.cell(1, kColumnPlaneSpawned).red);
}

TEST(SpawnTableDraw, hundredThousandRecords_lastPageShowsLastRecord) {
    SpawnTable t;
    const int n = 100000;
    const RowText recs = records(n);
    t.after_parse(recs);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R0");
    t.on_scroll(n - 25, recs);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R99975");
    EXPECT_EQ(caption(t, 25, kColumnRef), "R99999");
    EXPECT_EQ(caption(t, 25, kColumnCallSign), "CS99999");
    EXPECT_EQ(caption(t, 25, kColumnTime), "10:" + std::to_string(10 + 99999 % 50));
}

TEST(SpawnTableDraw, scrollScale_roundsHalvesToEven) {
    SpawnTable t;
    const RowText recs = records(40);
    t.set_scroll_scale(0.5F);
    t.on_scroll(5, recs);  // 2.5
    EXPECT_EQ(t.top_row(), 2);
    t.on_scroll(7, recs);  // 3.5
    EXPECT_EQ(t.top_row(), 4);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R4");
}

// Records with one Lufthansa flight (index 2) among British Airways ones.
RowText dlh_log() {
    return RowText(record(0) + record(1) + record(2, "DLH") + record(3));
}

TEST(SpawnTableSearch, lowerCaseQuery_hitsUpperCaseAirlineOnlyWithoutMatchCase) {
    SpawnTable t;
    const RowText recs = dlh_log();
    EXPECT_EQ(t.search_labels("dlh", false, recs), 1);
    // Drawn from the first hit row, top_row reset.
    EXPECT_EQ(t.top_row(), 0);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R2");
    EXPECT_EQ(caption(t, 1, kColumnAirline), kM + "DLH");
    EXPECT_TRUE(t.cell(1, kColumnAirline).yellow);
    EXPECT_FALSE(t.cell(1, kColumnModel).yellow);
    EXPECT_TRUE(row_is_blank(t, 3));

    SpawnTable strict;
    EXPECT_EQ(strict.search_labels("dlh", true, recs), 0);
    const auto message = strict.command1_search("dlh", true, recs);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text, "No results.");
    EXPECT_EQ(message->icon, common::Message::Icon::Information);
    EXPECT_FALSE(t.command1_search("DLH", true, recs).has_value());
}

TEST(SpawnTableSearch, markedText_marksEveryHitFieldAndKeepsTheRest) {
    SpawnTable t;
    const RowText recs(std::string("1,b738,B738,x,y,z,B738\r\n") + "a,b,c\r\n");
    // Fields 1 and 2 hit; the CallSign field and the short row are never tested.
    EXPECT_EQ(t.search_labels("B738", false, recs), 2);
    EXPECT_EQ(t.marked_text().text(),
              "1," + kM + "b738," + kM + "B738,x,y,z,B738\r\na,b,c\r\n\r\n");
    // The records themselves are drawn unmarked by modes 0 and 2.
    t.scrol(0, 2, recs);
    EXPECT_EQ(caption(t, 1, kColumnRef), "b738");
    t.scrol(0, 1, recs);
    EXPECT_EQ(caption(t, 1, kColumnRef), kM + "b738");
}

TEST(SpawnTableSearch, hitsInManyRows_drawFromTheFirstOne) {
    SpawnTable t;
    const RowText recs = records(30);
    t.on_scroll(20, recs);
    EXPECT_EQ(t.search_labels("r1", false, recs), 11);  // R1 and R10 to R19
    EXPECT_EQ(t.top_row(), 0);
    EXPECT_EQ(caption(t, 1, kColumnRef), kM + "R1");
    EXPECT_EQ(caption(t, 2, kColumnRef), "R2");
    EXPECT_FALSE(t.cell(2, kColumnRef).yellow);
    EXPECT_TRUE(t.cell(10, kColumnRef).yellow);
}

TEST(SpawnTableSearch, callSignOnlyHit_reportsNoResultsAndRedrawsFromFirstRecord) {
    SpawnTable t;
    const RowText recs = records(30);
    t.on_scroll(10, recs);
    const auto message = t.command1_search("cs17", false, recs);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text, "No results.");
    EXPECT_EQ(t.top_row(), 0);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R0");
    EXPECT_EQ(caption(t, 25, kColumnRef), "R24");
    for (int c = 1; c <= 7; ++c) EXPECT_FALSE(t.cell(1, c).yellow);
}

TEST(SpawnTableSearch, defaultModelHit_showsRedTextOnYellow) {
    SpawnTable t;
    const RowText recs(record(0) + record(1, "RYR", " Airbus A320 Neo (Default Model)"));
    EXPECT_EQ(t.search_labels("(default model)", false, recs), 1);
    const Cell& spawned = t.cell(1, kColumnPlaneSpawned);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R1");
    EXPECT_TRUE(spawned.yellow);
    EXPECT_TRUE(spawned.red);
    EXPECT_EQ(spawned.caption, kM + " Airbus A320 Neo (Default Model)");
}

TEST(SpawnTableSearch, emptyQuery_changesNothingButBlankQueryResetsColours) {
    SpawnTable t;
    const RowText recs = dlh_log();
    ASSERT_EQ(t.search_labels("DLH", true, recs), 1);
    const std::string marked = t.marked_text().text();

    EXPECT_EQ(t.search_labels("", false, recs), 0);
    EXPECT_TRUE(t.cell(1, kColumnAirline).yellow);

    // A space occurs in the records, yet a query of spaces only finds nothing.
    EXPECT_EQ(t.search_labels(" ", false, recs), 0);
    EXPECT_FALSE(t.cell(1, kColumnAirline).yellow);
    EXPECT_EQ(t.marked_text().text(), marked);

    EXPECT_EQ(t.search_labels("QFA", false, recs), 0);
    EXPECT_EQ(t.marked_text().text(), marked);
}

TEST(SpawnTableSearch, hundredThousandRecords_hitInTheLastRecord) {
    std::string text;
    for (int i = 0; i < 99999; ++i) text += record(i);
    text += record(99999, "QTR");
    SpawnTable t;
    const RowText recs(std::move(text));
    EXPECT_EQ(t.search_labels("qtr", false, recs), 1);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R99999");
    EXPECT_TRUE(row_is_blank(t, 2));
    EXPECT_EQ(t.marked_text().row_count(), recs.row_count() + 1);
}

TEST(SpawnTableClear, clearLabs_unmarksModelAndAirlineOnly) {
    SpawnTable t;
    const RowText recs("t,B738R,B738,B738X,n,s,c\r\n");
    ASSERT_EQ(t.search_labels("B738", true, recs), 3);  // REF, Model, Airline
    t.clear_labs();
    EXPECT_FALSE(t.cell(1, kColumnModel).yellow);
    EXPECT_FALSE(t.cell(1, kColumnAirline).yellow);
    EXPECT_TRUE(t.cell(1, kColumnRef).yellow);
    EXPECT_EQ(t.marked_text().text(), recs.text() + "\r\n");
    // Scrolling now shows the unmarked text.
    t.on_scroll(0, recs);
    EXPECT_EQ(caption(t, 1, kColumnModel), "B738");
    EXPECT_FALSE(t.cell(1, kColumnRef).yellow);
}

TEST(SpawnTableClear, clearList_emptiesCaptionsAndSearchState) {
    SpawnTable t;
    const RowText recs = records(30);
    t.on_scroll(5, recs);
    ASSERT_EQ(t.search_labels("b738", false, recs), 30);
    t.on_scroll(3, recs);
    ASSERT_TRUE(t.cell(1, kColumnModel).yellow);
    t.clearlist();
    EXPECT_EQ(t.top_row(), 0);
    EXPECT_TRUE(t.marked_text().empty());
    for (int r = 1; r <= 25; ++r) {
        for (int c = 1; c <= 7; ++c) EXPECT_TRUE(t.cell(r, c).caption.empty());
        EXPECT_FALSE(t.cell(r, kColumnModel).yellow);
    }
    // With the marked text gone, scrolling draws the plain records.
    t.on_scroll(0, recs);
    EXPECT_EQ(caption(t, 1, kColumnModel), "B738");
}

TEST(SpawnTableCopy, rightPress_remembersCaptionOnlyInPopupColumns) {
    SpawnTable t;
    t.scrol(0, logs::kDrawRecords, RowText(record(4, "DLH")));
    EXPECT_TRUE(t.right_press(1, kColumnAirline));
    EXPECT_EQ(t.copy_text(), "DLH");
    EXPECT_TRUE(t.right_press(1, kColumnPlaneSpawned));
    EXPECT_EQ(t.copy_text(), " Boeing 737-800");
    EXPECT_FALSE(t.right_press(1, kColumnTime));
    EXPECT_FALSE(t.right_press(1, kColumnRef));
    EXPECT_FALSE(t.right_press(1, kColumnCallSign));
    EXPECT_FALSE(t.right_press(26, kColumnModel));
    EXPECT_EQ(t.copy_text(), " Boeing 737-800");
}

TEST(SpawnTableCopy, planeSpawnedPress_findsSuggestionByModelCaption) {
    SpawnTable t;
    t.scrol(0, 1,
            RowText("t,r, " + kM + "A20N ,DLH,n,s,c\r\nt,r,E190,KLM,n,s,c\r\nt,r,,X,n,s,c\r\n"));
    const std::vector<std::string> list = {" Model?:B738,RYR", " Livery?:A20N,DLH",
                                           " Livery?:a20n,EZY"};
    EXPECT_EQ(t.plane_spawned_suggestion_index(1, list), 1);
    EXPECT_EQ(t.plane_spawned_suggestion_index(2, list), -1);
    EXPECT_EQ(t.plane_spawned_suggestion_index(1, {}), -1);
    // An empty Model cell is contained in every entry.
    EXPECT_EQ(t.plane_spawned_suggestion_index(3, list), 0);
}

TEST(SpawnTableCopy, lookupUrl_encodesTextUpToFirstTab) {
    EXPECT_EQ(logs::lookup_url("14:03\tignored"), "https://www.google.com/search?q=flight+14%3A03");
    EXPECT_EQ(logs::lookup_url("a b" + kM), "https://www.google.com/search?q=flight+a%20b%1F");
    EXPECT_EQ(logs::lookup_url("A-z_0.9~+&#"),
              "https://www.google.com/search?q=flight+A-z_0.9~%2B%26%23");
    EXPECT_EQ(logs::lookup_url("\xE9"), "https://www.google.com/search?q=flight+%E9");
    EXPECT_EQ(logs::lookup_url(""), "https://www.google.com/search?q=flight+");
}

// n records, with the given type and airline at the listed indices and other values elsewhere.
RowText records_with_match(int n, std::initializer_list<int> at, std::string_view type = "A20N",
                           std::string_view airline = "DLH") {
    std::string text;
    for (int i = 0; i < n; ++i) {
        const bool hit = std::find(at.begin(), at.end(), i) != at.end();
        text += "t,R" + std::to_string(i) + "," + std::string(hit ? type : "B738") + "," +
                std::string(hit ? airline : "BAW") + ",n, s,c\r\n";
    }
    return RowText(std::move(text));
}

TEST(SpawnTableHighlight, pagesFromTheExamples) {
    const auto p24 = logs::highlight_match("A20N", "DLH", records_with_match(40, {24}), 40);
    ASSERT_TRUE(p24.has_value());
    EXPECT_EQ(*p24, (logs::MatchPlacement{24, 0, 25, false}));

    const auto p25 = logs::highlight_match("A20N", "DLH", records_with_match(40, {25}), 40);
    ASSERT_TRUE(p25.has_value());
    EXPECT_EQ(*p25, (logs::MatchPlacement{25, 15, 11, true}));

    const auto p30 = logs::highlight_match("A20N", "DLH", records_with_match(60, {30}), 60);
    ASSERT_TRUE(p30.has_value());
    EXPECT_EQ(*p30, (logs::MatchPlacement{30, 25, 6, true}));

    // Exactly 26 records left from the page start still fit a whole page.
    const auto p50 = logs::highlight_match("A20N", "DLH", records_with_match(76, {50}), 76);
    ASSERT_TRUE(p50.has_value());
    EXPECT_EQ(*p50, (logs::MatchPlacement{50, 50, 1, true}));
}

TEST(SpawnTableHighlight, oldestExactMatchWins) {
    EXPECT_EQ(logs::highlight_match("A20N", "DLH", records_with_match(10, {2, 7}), 10)->index, 7);
    // Fields are trimmed; comparisons respect case and need the whole text.
    EXPECT_EQ(logs::highlight_match("A20N", "DLH", records_with_match(5, {3}, " A20N ", "DLH "), 5)
                  ->index,
              3);
    EXPECT_FALSE(logs::highlight_match("a20n", "DLH", records_with_match(5, {3}), 5));
    EXPECT_FALSE(logs::highlight_match("A20", "DLH", records_with_match(5, {3}), 5));
    EXPECT_FALSE(logs::highlight_match("A20N", "DLH", RowText("x,y,A20N\r\n\r\n"), 2));
}

TEST(SharedText, sort_ignoresCaseDropsEmptyLinesAndLeadingSpaces) {
    const std::string sorted = common::sort(" b\r\nA\r\n\r\na");
    EXPECT_TRUE(sorted == "A\r\na\r\nb\r\n" || sorted == "a\r\nA\r\nb\r\n") << sorted;
    EXPECT_EQ(common::sort(""), "");
}

TEST(SharedText, ftrim_cutsAtLastSeparatorOfEitherKind) {
    EXPECT_EQ(common::ftrim("C:\\a\\b.txt", 1), "b.txt");
    EXPECT_EQ(common::ftrim("C:\\a\\b.txt", 0), "C:\\a\\");
    EXPECT_EQ(common::ftrim("/home/u/log.txt", 1), "log.txt");
    EXPECT_EQ(common::ftrim("/home/u/log.txt", 0), "/home/u/");
    EXPECT_EQ(common::ftrim("C:\\a/b\\c.txt", 1), "c.txt");
    EXPECT_EQ(common::ftrim("plain.txt", 1), "");
    EXPECT_EQ(common::ftrim("plain.txt", 0), "plain.txt");
    EXPECT_EQ(common::ftrim("/x/", 0), "/x/");
    // Every occurrence of the tail goes, not just the last one.
    EXPECT_EQ(common::ftrim("/ab/ab", 0), "//");
}

}  // namespace
