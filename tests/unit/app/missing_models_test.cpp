// The chart's counts against the suggestions of the same parse: every bar leads to a suggestion.

#include "logs/missing_models.hpp"

#include <gtest/gtest.h>

#include "app/log_session.hpp"
#include "app/suggestion_click.hpp"
#include "common/file_io.hpp"
#include "test_paths.hpp"

namespace {

using app::SuggestionPart;
using Counts = std::vector<logs::NameCount>;

TEST(MissingModelsChart, fixtureBarsLeadToTheirSuggestions) {
    const auto log = common::read_file(testing_support::data_path("logs/default_models.txt"));
    const logs::ParseResult p = logs::get_list4(log, app::parse_options());
    const logs::MissingModels m = logs::count_missing_models(p.records);
    EXPECT_EQ(m.total, 6);  // of 7 records
    EXPECT_EQ(m.by_type.top, (Counts{{"B738", 3}, {"A20N", 2}, {"E190", 1}}));
    EXPECT_EQ(m.by_airline.top, (Counts{{"DLH", 3}, {"RYR", 2}, {"KLM", 1}}));
    for (const auto& [counts, part] : {std::pair{&m.by_type, SuggestionPart::Type},
                                       std::pair{&m.by_airline, SuggestionPart::Airline}}) {
        for (const logs::NameCount& n : counts->top) {
            const int row = app::find_suggestion(p.suggestions, part, n.name);
            ASSERT_GE(row, 0) << n.name;
            const auto cut = app::cut_suggestion_row(p.suggestions[static_cast<std::size_t>(row)]);
            EXPECT_EQ(part == SuggestionPart::Type ? cut.type_code : cut.airline, n.name);
        }
    }
    // The first row of the type or airline, never one where the name is the other part.
    const std::vector<std::string> rows{" Model?:B738,RYR", " Livery?:A20N,B738", "A20N,DLH"};
    EXPECT_EQ(app::find_suggestion(rows, SuggestionPart::Type, "A20N"), 1);
    EXPECT_EQ(app::find_suggestion(rows, SuggestionPart::Airline, "B738"), 1);
    EXPECT_EQ(app::find_suggestion(rows, SuggestionPart::Type, "RYR"), -1);
}

}  // namespace
