// The chart's counts against the suggestions of the same parse: every bar leads to a suggestion.

#include "logs/missing_models.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/log_session.hpp"
#include "app/suggestion_click.hpp"
#include "common/file_io.hpp"
#include "test_paths.hpp"

namespace {

using app::SuggestionPart;
using logs::NameCount;

TEST(MissingModelsChart, fixtureBarsLeadToTheirSuggestions) {
    const auto log = common::read_file(testing_support::data_path("logs/default_models.txt"));
    const logs::ParseResult p = logs::get_list4(log, app::parse_options());
    const logs::MissingModels m = logs::count_missing_models(p.records);

    EXPECT_EQ(p.record_count, 7);
    EXPECT_EQ(m.total, 6);
    EXPECT_EQ(m.by_type.top, (std::vector<NameCount>{{"B738", 3}, {"A20N", 2}, {"E190", 1}}));
    EXPECT_EQ(m.by_airline.top, (std::vector<NameCount>{{"DLH", 3}, {"RYR", 2}, {"KLM", 1}}));
    for (const auto& [counts, part] : {std::pair{&m.by_type, SuggestionPart::Type},
                                       std::pair{&m.by_airline, SuggestionPart::Airline}}) {
        for (const NameCount& n : counts->top) {
            const int row = app::find_suggestion(p.suggestions, part, n.name);
            ASSERT_GE(row, 0) << n.name;
            const auto parts =
                app::cut_suggestion_row(p.suggestions[static_cast<std::size_t>(row)]);
            EXPECT_EQ(part == SuggestionPart::Type ? parts.type_code : parts.airline, n.name);
        }
    }
}

TEST(MissingModelsChart, findSuggestionTakesTheFirstMatchOfTheRightPart) {
    const std::vector<std::string> rows{" Model?:B738,RYR", " Livery?:A20N,B738",
                                        " Model?:A20N,DLH"};
    EXPECT_EQ(app::find_suggestion(rows, SuggestionPart::Type, "A20N"), 1);
    EXPECT_EQ(app::find_suggestion(rows, SuggestionPart::Airline, "B738"), 1);
    EXPECT_EQ(app::find_suggestion(rows, SuggestionPart::Airline, "DLH"), 2);
    EXPECT_EQ(app::find_suggestion(rows, SuggestionPart::Type, "RYR"), -1);
    EXPECT_EQ(app::find_suggestion({}, SuggestionPart::Type, ""), -1);
}

}  // namespace
