#include "logs/spawn_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using logs::Cell;
using logs::DrawText;
using logs::kColumnAirline;
using logs::kColumnCallSign;
using logs::kColumnModel;
using logs::kColumnModelName;
using logs::kColumnPlaneSpawned;
using logs::kColumnRef;
using logs::kColumnTime;
using logs::RowText;
using logs::SpawnTable;

const std::string kM(1, logs::kMark);
const common::Message kNoResults{"No results.", common::Message::Icon::Information};

// Record i of a test log: REF and CallSign carry the index so a row can be traced back.
std::string record(int i, std::string_view airline = "BAW",
                   std::string_view spawned = " Boeing 737-800", std::string_view type = "B738") {
    return "10:" + std::to_string(10 + i % 50) + ",R" + std::to_string(i) + "," +
           std::string(type) + "," + std::string(airline) + ",Boeing 737-800," +
           std::string(spawned) + ",CS" + std::to_string(i) + "\r\n";
}

// n records; those at the listed indices have the given airline and type.
RowText records(int n, std::vector<int> at = {}, std::string_view airline = "QTR",
                std::string_view type = "B738") {
    std::string text;
    for (int i = 0; i < n; ++i) {
        const bool hit = std::find(at.begin(), at.end(), i) != at.end();
        text += hit ? record(i, airline, " s", type) : record(i);
    }
    return RowText(std::move(text));
}

const std::string& caption(const SpawnTable& t, int row, int column) {
    return t.cell(row, column).caption;
}

bool row_is_blank(const SpawnTable& t, int row) {
    for (int c = 1; c <= SpawnTable::kColumns; ++c) {
        if (t.cell(row, c) != Cell{"", false, false}) return false;
    }
    return true;
}

int yellow_cells(const SpawnTable& t) {
    int n = 0;
    for (int r = 1; r <= SpawnTable::kRows; ++r) {
        for (int c = 1; c <= SpawnTable::kColumns; ++c) n += t.cell(r, c).yellow ? 1 : 0;
    }
    return n;
}

TEST(SpawnTableDraw, pagesOfRecords) {
    SpawnTable t;
    // 30 records from record 10: rows 1 to 20 show records 10 to 29, rows 21 to 25 are empty.
    const RowText recs = records(30);
    t.on_scroll(10, recs);
    EXPECT_EQ(t.top_row(), 10);
    for (int k = 1; k <= 20; ++k) {
        // Appended rather than "R" + ...: GCC 12 at -O3 warns falsely on that (-Wrestrict).
        EXPECT_EQ(caption(t, k, kColumnRef), std::string("R").append(std::to_string(9 + k)));
        EXPECT_EQ(caption(t, k, kColumnCallSign), std::string("CS").append(std::to_string(9 + k)));
    }
    for (int k = 21; k <= 25; ++k) EXPECT_TRUE(row_is_blank(t, k)) << k;

    // A negative first row, or no records at all, draws from record 0.
    EXPECT_EQ(t.scrol(-4, DrawText::Records, records(3)), 0);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R0");
    EXPECT_TRUE(row_is_blank(t, 4));
    EXPECT_EQ(t.scrol(7, DrawText::Records, RowText{}), 0);
    EXPECT_TRUE(row_is_blank(t, 1));

    // The scroll value times the scale goes to the nearest integer, halves to even.
    t.set_scroll_scale(0.5F);
    t.on_scroll(5, recs);  // 2.5
    EXPECT_EQ(t.top_row(), 2);
    t.on_scroll(7, recs);  // 3.5
    EXPECT_EQ(t.top_row(), 4);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R4");
}

TEST(SpawnTableDraw, shortRowsKeepCaptions_marksPaintYellow_defaultsRed) {
    SpawnTable t;
    t.scrol(0, DrawText::Records, RowText(record(0) + record(1) + record(2)));
    // Six fields: no CallSign; five: no Plane Spawned either; one: only Time.
    t.scrol(0, DrawText::Records, RowText("a,b,c,d,e,f (Default)\r\n1,2,3,4,5\r\nsolo\r\n"));
    EXPECT_EQ(caption(t, 1, kColumnPlaneSpawned), "f (Default)");
    EXPECT_EQ(caption(t, 1, kColumnCallSign), "CS0");
    EXPECT_TRUE(t.cell(1, kColumnPlaneSpawned).red);
    EXPECT_EQ(caption(t, 2, kColumnModelName), "5");
    EXPECT_EQ(caption(t, 2, kColumnPlaneSpawned), " Boeing 737-800");
    EXPECT_EQ(caption(t, 3, kColumnTime), "solo");
    EXPECT_EQ(caption(t, 3, kColumnRef), "R2");
    EXPECT_TRUE(row_is_blank(t, 4));  // the empty text after the last line end

    t.scrol(0, DrawText::Records,
            RowText(kM + "10:00,R1,B738," + kM + "DLH,Name," + kM + " Airbus (Default)," + kM +
                    "CS\r\n"));
    for (int c = 1; c <= 7; ++c) {
        const bool marked = c == kColumnTime || c == kColumnAirline || c >= kColumnPlaneSpawned;
        EXPECT_EQ(t.cell(1, c).yellow, marked) << c;
    }
    EXPECT_TRUE(t.cell(1, kColumnPlaneSpawned).red);
    EXPECT_EQ(caption(t, 1, kColumnAirline), kM + "DLH");
    EXPECT_EQ(logs::visible_caption(caption(t, 1, kColumnAirline)), "DLH");
    // Redrawing an unmarked row clears the colours.
    t.scrol(0, DrawText::Records, RowText(record(0)));
    EXPECT_EQ(yellow_cells(t), 0);
    EXPECT_FALSE(t.cell(1, kColumnPlaneSpawned).red);
}

TEST(SpawnTableSearch, matchCaseHitsAndWhereTheyAreDrawn) {
    SpawnTable t;
    const RowText dlh(record(0) + record(1) + record(2, "DLH") + record(3));
    EXPECT_EQ(t.search_labels("dlh", false, dlh), 1);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R2");  // drawn from the first hit row
    EXPECT_EQ(caption(t, 1, kColumnAirline), kM + "DLH");
    EXPECT_EQ(yellow_cells(t), 1);
    EXPECT_TRUE(t.cell(1, kColumnAirline).yellow);
    EXPECT_FALSE(t.command1_search("DLH", true, dlh).has_value());
    EXPECT_EQ(t.command1_search("dlh", true, dlh), kNoResults);

    // Hits in many rows: drawn from the first one, every hit field yellow.
    const RowText recs = records(30);
    t.on_scroll(20, recs);
    EXPECT_EQ(t.search_labels("r1", false, recs), 11);  // R1 and R10 to R19
    EXPECT_EQ(t.top_row(), 0);
    EXPECT_EQ(caption(t, 1, kColumnRef), kM + "R1");
    EXPECT_EQ(caption(t, 2, kColumnRef), "R2");
    EXPECT_EQ(yellow_cells(t), 11);

    // Only CallSign fields hold the text: "No results.", drawn again from the first record.
    t.on_scroll(10, recs);
    EXPECT_EQ(t.command1_search("cs17", false, recs), kNoResults);
    EXPECT_EQ(t.top_row(), 0);
    EXPECT_EQ(caption(t, 1, kColumnRef), "R0");
    EXPECT_EQ(caption(t, 25, kColumnRef), "R24");
    EXPECT_EQ(yellow_cells(t), 0);
}

TEST(SpawnTableSearch, markedTextMarksEveryHitField_emptyAndBlankQueries) {
    SpawnTable t;
    const RowText recs("1,b738,B738,x,y,z,B738\r\na,b,c\r\n");
    // Fields 1 and 2 hit; the CallSign field and the short row are never tested.
    EXPECT_EQ(t.search_labels("B738", false, recs), 2);
    EXPECT_EQ(t.marked_text().text(),
              "1," + kM + "b738," + kM + "B738,x,y,z,B738\r\na,b,c\r\n\r\n");
    // The records draw unmarked, the marked text with its marks.
    t.scrol(0, DrawText::Records, recs);
    EXPECT_EQ(caption(t, 1, kColumnRef), "b738");
    t.scrol(0, DrawText::Marked, recs);
    EXPECT_EQ(caption(t, 1, kColumnRef), kM + "b738");

    // A default-model hit shows red text on yellow.
    const RowText spawned(record(0) + record(1, "RYR", " Airbus A320 Neo (Default Model)"));
    EXPECT_EQ(t.search_labels("(default model)", false, spawned), 1);
    EXPECT_EQ(caption(t, 1, kColumnPlaneSpawned), kM + " Airbus A320 Neo (Default Model)");
    EXPECT_TRUE(t.cell(1, kColumnPlaneSpawned).yellow);
    EXPECT_TRUE(t.cell(1, kColumnPlaneSpawned).red);
    const std::string marked = t.marked_text().text();
    // An empty query changes nothing; a query of blanks (though the records hold blanks) or of
    // absent text finds nothing and resets every searched column, keeping the marked text.
    EXPECT_EQ(t.search_labels("", false, spawned), 0);
    EXPECT_TRUE(t.cell(1, kColumnPlaneSpawned).yellow);
    EXPECT_EQ(t.search_labels(" ", false, spawned), 0);
    EXPECT_FALSE(t.cell(1, kColumnPlaneSpawned).yellow);
    EXPECT_EQ(t.search_labels("QFA", false, spawned), 0);
    EXPECT_EQ(t.marked_text().text(), marked);
}

TEST(SpawnTableClear, clearLabsUnmarksModelAndAirlineOnly_clearListEmptiesAll) {
    SpawnTable t;
    const RowText one("t,B738R,B738,B738X,n,s,c\r\n");
    ASSERT_EQ(t.search_labels("B738", true, one), 3);  // REF, Model, Airline
    t.clear_labs();
    EXPECT_FALSE(t.cell(1, kColumnModel).yellow);
    EXPECT_FALSE(t.cell(1, kColumnAirline).yellow);
    EXPECT_TRUE(t.cell(1, kColumnRef).yellow);
    EXPECT_EQ(t.marked_text().text(), one.text() + "\r\n");
    t.on_scroll(0, one);  // scrolling now shows the unmarked text
    EXPECT_EQ(caption(t, 1, kColumnModel), "B738");
    EXPECT_FALSE(t.cell(1, kColumnRef).yellow);

    const RowText recs = records(30);
    ASSERT_EQ(t.search_labels("b738", false, recs), 30);
    t.on_scroll(3, recs);
    ASSERT_TRUE(t.cell(1, kColumnModel).yellow);
    t.clearlist();
    EXPECT_EQ(t.top_row(), 0);
    EXPECT_TRUE(t.marked_text().empty());
    EXPECT_EQ(yellow_cells(t), 0);
    for (int r = 1; r <= 25; ++r) EXPECT_TRUE(row_is_blank(t, r));
}

TEST(SpawnTableCopy, rightPressPlaneSpawnedPressAndLookup) {
    SpawnTable t;
    t.scrol(0, DrawText::Records, RowText(record(4, "DLH")));
    EXPECT_TRUE(t.right_press(1, kColumnAirline));
    EXPECT_EQ(t.copy_text(), "DLH");
    EXPECT_TRUE(t.right_press(1, kColumnPlaneSpawned));
    for (int column : {kColumnTime, kColumnRef, kColumnCallSign}) {
        EXPECT_FALSE(t.right_press(1, column)) << column;
    }
    EXPECT_FALSE(t.right_press(26, kColumnModel));
    EXPECT_EQ(t.copy_text(), " Boeing 737-800");

    // The Model caption, marks removed, lower-cased and trimmed, inside a List1(0) entry.
    t.scrol(0, DrawText::Marked,
            RowText("t,r, " + kM + "A20N ,DLH,n,s,c\r\nt,r,E190,KLM,n,s,c\r\nt,r,,X,n,s,c\r\n"));
    const std::vector<std::string> list = {" Model?:B738,RYR", " Livery?:A20N,DLH",
                                           " Livery?:a20n,EZY"};
    EXPECT_EQ(t.plane_spawned_suggestion_index(1, list), 1);
    EXPECT_EQ(t.plane_spawned_suggestion_index(2, list), -1);
    EXPECT_EQ(t.plane_spawned_suggestion_index(1, {}), -1);
    EXPECT_EQ(t.plane_spawned_suggestion_index(3, list), 0);  // an empty caption is in every one

    const std::string search = "https://www.google.com/search?q=flight+";
    EXPECT_EQ(logs::lookup_url("14:03\tignored"), search + "14%3A03");
    EXPECT_EQ(logs::lookup_url("A-z_0.9~ +&#" + kM + "\xE9"),
              search + "A-z_0.9~%20%2B%26%23%1F%E9");
}

TEST(SpawnTableHighlight, pageAndRowOfTheOldestExactMatch) {
    struct Row {
        int records, match;
        logs::MatchPlacement want;
    };
    // Index 24 stays on the first page; 25 of 40 shows the last full page from 15; 30 of 60
    // starts the page at 25; exactly 26 records left from the page start still fit a page.
    for (const Row& row : std::vector<Row>{{40, 24, {24, 0, 25, false}},
                                           {40, 25, {25, 15, 11, true}},
                                           {60, 30, {30, 25, 6, true}},
                                           {76, 50, {50, 50, 1, true}}}) {
        EXPECT_EQ(logs::highlight_match(
                      "A20N", "DLH", records(row.records, {row.match}, "DLH", "A20N"), row.records),
                  row.want)
            << row.match << " of " << row.records;
    }
    EXPECT_EQ(logs::highlight_match("A20N", "DLH", records(10, {2, 7}, "DLH", "A20N"), 10)->index,
              7);
    // Fields are trimmed; comparisons respect case and need the whole text.
    EXPECT_EQ(logs::highlight_match("A20N", "DLH", records(5, {3}, "DLH ", " A20N "), 5)->index, 3);
    EXPECT_FALSE(logs::highlight_match("a20n", "DLH", records(5, {3}, "DLH", "A20N"), 5));
    EXPECT_FALSE(logs::highlight_match("A20", "DLH", records(5, {3}, "DLH", "A20N"), 5));
    EXPECT_FALSE(logs::highlight_match("A20N", "DLH", RowText("x,y,A20N\r\n\r\n"), 2));
}

// Steps from the first hit; true is "next".
std::int64_t step(SpawnTable& t, const RowText& recs, const std::vector<bool>& nexts) {
    std::int64_t record = t.current_hit_record();
    for (const bool next : nexts) record = next ? t.next_hit(recs) : t.previous_hit(recs);
    return record;
}

TEST(SpawnTableHits, stepsDrawTheHitInRowOne_endsHold) {
    SpawnTable t;
    // Two hit fields per record still make one hit each.
    const RowText recs = records(40, {4, 17, 33}, "QTR", "QTR");
    ASSERT_EQ(t.search_labels("qtr", false, recs), 6);
    EXPECT_EQ(t.hit_count(), 3);
    struct Case {
        std::vector<bool> nexts;
        std::int64_t record;
        std::string caption;
    };
    for (const Case& c : std::vector<Case>{{{}, 4, "hit 1 of 3"},
                                           {{false}, 4, "hit 1 of 3"},
                                           {{true}, 17, "hit 2 of 3"},
                                           {{true, true, true}, 33, "hit 3 of 3"},
                                           {{true, true, true, false}, 17, "hit 2 of 3"}}) {
        SpawnTable s = t;
        EXPECT_EQ(step(s, recs, c.nexts), c.record) << c.caption;
        EXPECT_EQ(s.hit_caption(), c.caption);
        EXPECT_EQ(s.first_shown(), c.record);
        EXPECT_EQ(caption(s, 1, kColumnRef), "R" + std::to_string(c.record));
        EXPECT_EQ(caption(s, 1, kColumnAirline), kM + "QTR");
    }
}

TEST(SpawnTableHits, oneHitNoHitsAndWhatForgetsThem) {
    const RowText recs = records(10, {6});
    SpawnTable t;
    EXPECT_EQ(step(t, recs, {true}), -1);  // before any search
    EXPECT_EQ(t.hit_caption(), "");
    ASSERT_FALSE(t.command1_search("QTR", true, recs));
    EXPECT_EQ(step(t, recs, {true, false, true}), 6);
    EXPECT_EQ(t.hit_caption(), "hit 1 of 1");

    for (const char* miss : {"zzz", "cs6", " "}) {  // the call sign is never searched
        SpawnTable s = t;
        s.command1_search(miss, false, recs);
        EXPECT_EQ(s.hit_count(), 0) << miss;
        EXPECT_EQ(s.current_hit(), -1);
        EXPECT_EQ(step(s, recs, {true}), -1);
        EXPECT_EQ(s.hit_caption(), "");
    }
    const std::vector<void (*)(SpawnTable&, const RowText&)> resets = {
        [](SpawnTable& s, const RowText&) { s.clear_labs(); },
        [](SpawnTable& s, const RowText&) { s.clearlist(); },
        [](SpawnTable& s, const RowText& r) { s.after_parse(r); }};
    for (const auto& reset : resets) {
        SpawnTable s = t;
        reset(s, recs);
        EXPECT_EQ(s.hit_count(), 0);
        EXPECT_EQ(s.rerun_search(recs, 0), 0);  // the last search is forgotten too
        EXPECT_EQ(s.hit_count(), 0);
    }
}

TEST(SpawnTableHits, rerunOnPrependedRecordsKeepsTheCurrentRecordAndThePage) {
    struct Case {
        std::vector<int> new_hits;  // among the prepended records
        int prepended;
        std::vector<int> old_hits;  // the old records' hits as the new text holds them
        std::int64_t record;
        std::string caption;
    };
    // The current hit, drawn in row 1, is on old record 5 of hits 2, 5 and 9.
    for (const Case& c : std::vector<Case>{
             {{1}, 3, {2, 5, 9}, 8, "hit 3 of 4"},
             {{}, 0, {2, 5, 9}, 5, "hit 2 of 3"},
             {{0, 1}, 2, {2, 9}, 11, "hit 4 of 4"},  // no hit any more: the next older
             {{}, 4, {2}, 6, "hit 1 of 1"}}) {       // none older: the last
        SpawnTable t;
        ASSERT_FALSE(t.command1_search("QTR", true, records(12, {2, 5, 9})));
        t.next_hit(records(12, {2, 5, 9}));
        const RowText now(records(c.prepended, c.new_hits).text() + records(12, c.old_hits).text());
        const std::int64_t fields = t.rerun_search(now, c.prepended);
        EXPECT_EQ(fields, t.hit_count()) << c.caption;  // one hit field per record
        EXPECT_EQ(t.current_hit_record(), c.record);
        EXPECT_EQ(t.hit_caption(), c.caption);
        EXPECT_EQ(t.first_shown(), 5 + c.prepended);
        EXPECT_EQ(caption(t, 1, kColumnRef), "R5");
        EXPECT_EQ(caption(t, 1, kColumnAirline), c.old_hits.size() == 3 ? kM + "QTR" : "BAW");
    }
    // Match Case holds; a search that found nothing finds the new records, the newest page stays.
    SpawnTable t;
    t.command1_search("QTR", true, records(5));
    EXPECT_EQ(t.rerun_search(RowText(record(0, "qtr") + record(1, "QTR") + record(2)), 2), 1);
    EXPECT_EQ(t.hit_caption(), "hit 1 of 1");
    EXPECT_EQ(caption(t, 1, kColumnRef), "R0");
    EXPECT_EQ(caption(t, 2, kColumnAirline), kM + "QTR");
}

}  // namespace
