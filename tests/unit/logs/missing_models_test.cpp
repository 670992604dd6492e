#include "logs/missing_models.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "log_generator.hpp"
#include "logs/log_parser.hpp"
#include "matching/suggestions.hpp"

namespace {

using Counts = std::vector<logs::NameCount>;

// Records as the parser writes them: "type,airline[,spawned]" each; a default model unless said.
logs::RowText records(const std::vector<std::string>& spawns) {
    std::string text;
    for (const auto& s : spawns) {
        const bool own = std::count(s.begin(), s.end(), ',') > 1;
        text += "10:00,R1," + (own ? s.substr(0, s.rfind(',')) : s) + ",Boeing 737-800," +
                (own ? s.substr(s.rfind(',') + 1) : " A320 (Default Model)") + ",CS1\r\n";
    }
    return logs::RowText(text);
}

TEST(MissingModels, countsByTypeAndAirline_tiesByNameAndBlanksTrimmed) {
    const auto m = logs::count_missing_models(
        records({" B738 ,RYR", "A20N, DLH", "B738,DLH  ", "A20N,RYR", "E190,", "B77W,BAW, B77W BA",
                 "B744,BAW, Default Jumbo"}));
    EXPECT_EQ(m.total, 6);
    EXPECT_EQ(m.by_type.top, (Counts{{"A20N", 2}, {"B738", 2}, {"B744", 1}, {"E190", 1}}));
    EXPECT_EQ(m.by_airline.top, (Counts{{"DLH", 2}, {"RYR", 2}, {"", 1}, {"BAW", 1}}));
}

TEST(MissingModels, topTwentyAndTheRestAsOthers) {
    // Type k spawned k times: distinct counts, the most frequent first.
    for (const int distinct : {0, 20, 21, 25}) {
        std::vector<std::string> spawns{"B738,AL, Boeing"};  // its own model: never counted
        for (int k = 1; k <= distinct; ++k)
            spawns.insert(spawns.end(), k, "T" + std::to_string(k) + ",AL");
        const auto m = logs::count_missing_models(records(spawns));
        const int others = distinct > 20 ? distinct - 20 : 0;
        ASSERT_EQ(m.by_type.top.size(), static_cast<std::size_t>(distinct - others));
        if (distinct > 0) {
            EXPECT_EQ(m.by_type.top.back().count, others + 1);
        }
        EXPECT_EQ(m.by_type.others, others * (others + 1) / 2);
        EXPECT_EQ(m.by_type.others_names, others);
        EXPECT_EQ(m.by_airline.top.size(), distinct > 0 ? 1U : 0U);
    }
}

TEST(MissingModels, generatedLogsCountEveryDefaultSpawnOnce) {
    for (const auto vocabulary :
         {loggen::Vocabulary::Realistic, loggen::Vocabulary::DistinctAirlines}) {
        const auto log = loggen::generate_log(
            {.groups = 3000, .seed = 9, .vocabulary = vocabulary, .default_fraction = 0.5});
        const auto m = logs::count_missing_models(
            logs::get_list4(log.text, {&matching::get_text4, 195}).records, 5);
        EXPECT_EQ(static_cast<std::size_t>(m.total), log.facts.default_spawns);
        for (const auto* t : {&m.by_type, &m.by_airline}) {
            std::int64_t sum = t->others;
            for (const auto& n : t->top) sum += n.count;
            EXPECT_EQ(sum, m.total);
        }
        if (vocabulary == loggen::Vocabulary::DistinctAirlines) {  // every name kept apart
            EXPECT_EQ(m.by_airline.others_names, m.total - 5);
        }
    }
}

}  // namespace
