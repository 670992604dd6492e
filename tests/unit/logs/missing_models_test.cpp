#include "logs/missing_models.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_generator.hpp"
#include "logs/log_parser.hpp"
#include "matching/suggestions.hpp"

namespace {

using logs::NameCount;

struct Spawn {
    std::string type, airline, spawned = " Airbus A320 Neo (Default Model)";
};

// Records newest first as the parser writes them; only Model, Airline and Plane Spawned matter.
logs::RowText records(const std::vector<Spawn>& spawns) {
    std::string text;
    for (const Spawn& s : spawns) {
        text +=
            "10:00,R1," + s.type + "," + s.airline + ",Boeing 737-800," + s.spawned + ",CS1\r\n";
    }
    return logs::RowText(text);
}

// n spawns of "Tk" for k = 1..distinct, name k repeated k times (so the counts are distinct).
std::vector<Spawn> ladder(int distinct) {
    std::vector<Spawn> out;
    for (int k = 1; k <= distinct; ++k) {
        for (int i = 0; i < k; ++i) out.push_back({"T" + std::to_string(k), "AL"});
    }
    return out;
}

TEST(MissingModels, countsByTypeAndAirline_tiesByNameAndBlanksTrimmed) {
    const auto m = logs::count_missing_models(records({
        {" B738 ", "RYR"},
        {"A20N", " DLH"},
        {"B738", "DLH  "},
        {"A20N", "RYR"},
        {"E190", ""},
        {"B77W", "BAW", " Boeing 777-300ER British"},  // its own model: not counted
        {"B744", "BAW", " Default Jumbo"},             // "Default" anywhere in the field counts
    }));
    EXPECT_EQ(m.total, 6);
    EXPECT_EQ(m.by_type.top,
              (std::vector<NameCount>{{"A20N", 2}, {"B738", 2}, {"B744", 1}, {"E190", 1}}));
    EXPECT_EQ(m.by_airline.top,
              (std::vector<NameCount>{{"DLH", 2}, {"RYR", 2}, {"", 1}, {"BAW", 1}}));
    EXPECT_EQ(m.by_type.others, 0);
}

TEST(MissingModels, topTwentyAndTheRestAsOthers) {
    struct Case {
        int distinct;
        std::size_t shown;
        std::int64_t others, others_names;
    };
    for (const Case c : {Case{20, 20, 0, 0}, Case{21, 20, 1, 1}, Case{25, 20, 15, 5}}) {
        const auto m = logs::count_missing_models(records(ladder(c.distinct)));
        ASSERT_EQ(m.by_type.top.size(), c.shown) << c.distinct;
        EXPECT_EQ(m.by_type.top.front(), (NameCount{"T" + std::to_string(c.distinct), c.distinct}));
        EXPECT_EQ(m.by_type.top.back().count, c.distinct - 19);
        EXPECT_EQ(m.by_type.others, c.others) << c.distinct;
        EXPECT_EQ(m.by_type.others_names, c.others_names) << c.distinct;
        EXPECT_EQ(m.by_airline.top, (std::vector<NameCount>{{"AL", m.total}}));
    }
}

TEST(MissingModels, emptyOrNoDefaultSpawnsGiveNoBars) {
    for (const auto& r : {logs::RowText{}, records({{"B738", "RYR", " Boeing 737-800"}}),
                          logs::RowText("10:00,R1,B738\r\n")}) {
        const auto m = logs::count_missing_models(r);
        EXPECT_EQ(m.total, 0);
        EXPECT_TRUE(m.by_type.top.empty());
        EXPECT_EQ(m.by_airline.others, 0);
    }
}

TEST(MissingModels, generatedLogCountsEveryDefaultSpawnOnce) {
    const auto log = loggen::generate_log({.groups = 2000, .seed = 9});
    const auto parse = logs::get_list4(log.text, {&matching::get_text4, 195});
    const auto m = logs::count_missing_models(parse.records);
    EXPECT_EQ(static_cast<std::size_t>(m.total), log.facts.default_spawns);
    for (const auto* t : {&m.by_type, &m.by_airline}) {
        std::int64_t sum = t->others;
        for (const auto& n : t->top) sum += n.count;
        EXPECT_EQ(sum, m.total);
    }
}

}  // namespace
