#include "app/update_check.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using app::UpdateOutcome;
using platform::HttpResult;

struct Case {
    const char* name;
    HttpResult answer;
    UpdateOutcome outcome;
    const char* text;
};

const Case kCases[] = {
    {"same",
     {true, 200, "1.72", {}, false},
     UpdateOutcome::UpToDate,
     "Your version is up to date."},
    {"trailingZero",
     {true, 200, "1.720", {}, false},
     UpdateOutcome::UpToDate,
     "Your version is up to date."},
    {"older",
     {true, 200, "1.5\r\n", {}, false},
     UpdateOutcome::UpToDate,
     "Your version is up to date."},
    // Compared as decimal numbers, not as dotted parts: 1.8 is more than 1.72.
    {"newer",
     {true, 200, "1.8", {}, false},
     UpdateOutcome::UpdateAvailable,
     "An update is available 1.8"},
    // Only the first line counts.
    {"newerPatch",
     {true, 200, "1.73\r\n1.0\r\nnotes", {}, false},
     UpdateOutcome::UpdateAvailable,
     "An update is available 1.73"},
    {"lfOnly",
     {true, 200, "1.73\nnotes", {}, false},
     UpdateOutcome::UpdateAvailable,
     "An update is available 1.73"},
    // The value is the leading number; the text shows the whole line as received.
    {"wordAfter",
     {true, 200, "2.0 beta", {}, false},
     UpdateOutcome::UpdateAvailable,
     "An update is available 2.0 beta"},
    {"noNetwork",
     {false, 0, "", {}, false},
     UpdateOutcome::Failed,
     "Could not check for updates: no answer from the server (no network or time-out)"},
    {"notFound",
     {false, 404, "<html>1.99</html>", {}, false},
     UpdateOutcome::Failed,
     "Could not check for updates: the server answered with status 404"},
    {"serverError",
     {true, 500, "9.9", {}, false},
     UpdateOutcome::Failed,
     "Could not check for updates: the server answered with status 500"},
    {"empty",
     {true, 200, "", {}, false},
     UpdateOutcome::Failed,
     "Could not check for updates: the answer is not a version number"},
    {"notANumber",
     {true, 200, "<!DOCTYPE html>\r\n1.99", {}, false},
     UpdateOutcome::Failed,
     "Could not check for updates: the answer is not a version number"},
};

class UpdateCheckTest : public ::testing::TestWithParam<Case> {};

TEST_P(UpdateCheckTest, answerGivesOutcomeAndText) {
    const Case& c = GetParam();
    const app::UpdateCheck check = app::evaluate_update(c.answer, "1.72");
    EXPECT_EQ(check.outcome, c.outcome);
    EXPECT_EQ(check.text, c.text);
    EXPECT_EQ(check.show_website(), c.outcome == UpdateOutcome::UpdateAvailable);
}

INSTANTIATE_TEST_SUITE_P(Answers, UpdateCheckTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpdateCheck, checkUpdate_asksTheEndpointWithTheTimeout) {
    std::string asked_url;
    int asked_timeout = 0;
    const auto fetch = [&](std::string_view url, std::string_view, int timeout_ms) {
        asked_url = url;
        asked_timeout = timeout_ms;
        return HttpResult{true, 200, "1.9\r\n", {}, false};
    };
    const app::UpdateCheck check =
        app::check_update(fetch, app::update_url("https://maker.example/"), "1.72");
    EXPECT_EQ(asked_url, "https://maker.example/varnok");
    EXPECT_EQ(asked_timeout, 20000);
    EXPECT_EQ(check.text, "An update is available 1.9");
}

TEST(UpdateCheck, addressesOnTheSite) {
    EXPECT_EQ(app::program_page_url("https://maker.example"),
              "https://maker.example/osm/skelvar.html");
    EXPECT_EQ(app::maker_page_url("https://maker.example/"), "https://maker.example/osm");
}

TEST(UpdateCheck, aboutText_showsTheYearItIsOpenedIn) {
    EXPECT_EQ(app::about_version_text("1.72", 2031), "Version 1.72  \xC2\xA9 2031");
}

}  // namespace
