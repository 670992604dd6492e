#include "app/session.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "fake_platform.hpp"
#include "test_paths.hpp"

namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;
constexpr auto kHeader = app::kDefaultHeaderHeightTwips;

std::string fixture(const std::string& name) {
    return common::read_file(testing_support::data_path("logs/" + name));
}

std::vector<std::string> texts(const std::vector<common::Message>& messages) {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
}

class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(common::create_folder(logs_));
        for (const char* name : {"log2024051314.txt", "log2024051315.txt", "notes.txt"})
            ASSERT_TRUE(common::savetext(common::join_path(logs_, name), "x"));
        s_ = app::Session(app::startup(root_.file("program"), false));
    }
    std::string listed(int i) const {
        return common::join_path(logs_, i ? "log2024051315.txt" : "log2024051314.txt");
    }
    std::vector<std::string> result_files() const {
        std::vector<std::string> paths;
        for (auto kind :
             {app::ResultList::NoMatch, app::ResultList::Matched, app::ResultList::Models})
            paths.push_back(s_.frame.layout.result_file(kind));
        return paths;
    }
    bool any_result_file() const {
        for (const auto& p : result_files())
            if (fs::exists(p)) return true;
        return false;
    }

    TempFolder root_;
    const std::string logs_ = root_.file("logs");
    app::Session s_;
};

TEST_F(SessionTest, relistingTheSameFolderKeepsTheChosenLog_aNewFolderDoesNot) {
    app::adopt_log_folder(s_, logs_);
    ASSERT_EQ(s_.logs.list.entries.size(), 2u);
    EXPECT_EQ(s_.frame.text1, logs_);
    EXPECT_EQ(s_.matching.json_path, common::join_path(root_.file("config"), "ModelMatching.json"));
    s_.logs.list.chosen = 1;
    ASSERT_TRUE(common::savetext(common::join_path(logs_, "log2024051300.txt"), "x"));
    app::refresh_log_list(s_, logs_);
    ASSERT_EQ(s_.logs.list.entries.size(), 3u);
    EXPECT_EQ(app::chosen_log_path(s_), listed(1));
    // Another folder holding a log of the same name.
    const std::string other = root_.file("other");
    ASSERT_TRUE(common::create_folder(other));
    ASSERT_TRUE(common::savetext(common::join_path(other, "log2024051315.txt"), "x"));
    app::refresh_log_list(s_, other);
    EXPECT_EQ(s_.logs.list.chosen, -1);
    EXPECT_EQ(app::chosen_log_path(s_), "");
}

TEST_F(SessionTest, viewSwitch_asksForTheFolderOnlyAfterTheFirstActivation) {
    // logs(1) unticked by the click: the log view comes on.
    EXPECT_FALSE(app::logs_mouse_up(s_, 1, false, false));
    EXPECT_TRUE(s_.frame.logs_checked);
    s_.frame.first_activation_done = true;
    EXPECT_TRUE(app::logs_mouse_up(s_, 0, true, false));
    // Text1 names a real folder: it becomes the logs folder, nothing is asked.
    s_.frame.text1 = logs_;
    EXPECT_FALSE(app::logs_mouse_up(s_, 0, true, false));
    EXPECT_EQ(s_.frame.logs_folder, logs_);
    // The live view never asks.
    s_.frame.logs_folder.clear();
    EXPECT_FALSE(app::logs_mouse_up(s_, 1, false, true));
    EXPECT_FALSE(s_.frame.logs_checked);
}

TEST_F(SessionTest, pickerStartsAtTheProgramFolderWhenTheLogsFolderIsGone) {
    s_.frame.logs_folder = root_.file("gone");
    EXPECT_EQ(app::command2_start_folder(s_), s_.frame.layout.root());
    EXPECT_EQ(s_.frame.logs_folder, s_.frame.layout.root());
    s_.frame.logs_folder = logs_;
    EXPECT_EQ(app::command2_start_folder(s_), logs_);
}

// Each case follows a log that parsed, so that the parse and the result files it left are seen
// to go; the stale "tmp" file goes in any case.
TEST_F(SessionTest, logThatCannotBeRead_oneMessageWithPathAndCause_emptyParse_noResultFiles) {
    app::adopt_log_folder(s_, logs_);
    fs::remove(listed(0));
    fs::create_directory(listed(0));  // a folder where the listed log was
    ASSERT_TRUE(common::write_file_atomic(listed(1), fixture("two_groups.txt")));
    const std::string missing = root_.file("absent.txt");
    for (const auto& [path, cause] :
         {std::pair{listed(0), "is a folder, not a file"}, {missing, "no such file"}}) {
        ASSERT_TRUE(app::list4_click(s_, 1, kHeader).messages.empty());
        ASSERT_EQ(s_.logs.log.parse.record_count, 2);
        for (const auto& p : result_files()) ASSERT_TRUE(common::remove_file(p));
        ASSERT_TRUE(common::savetext(root_.file("program/tmp"), "stale"));
        const app::ChooseOutcome o = path == missing
                                         ? app::choose_log(s_.logs.log, path, s_.frame.layout)
                                         : app::list4_click(s_, 0, kHeader);
        EXPECT_EQ(texts(o.messages),
                  std::vector<std::string>{"Cannot read the log " + path + ": " + cause});
        EXPECT_TRUE(s_.logs.log.parse.records.empty());
        EXPECT_EQ(s_.logs.log.parse.record_count, 0);
        EXPECT_FALSE(any_result_file());
        EXPECT_FALSE(fs::exists(root_.file("program/tmp")));
    }
}

TEST_F(SessionTest, groupLineWithoutAirline_stopsEarlyWithItsMessage_noResultFiles) {
    app::adopt_log_folder(s_, logs_);
    ASSERT_TRUE(common::write_file_atomic(listed(0), fixture("missing_with_airline.txt")));
    const app::ChooseOutcome o = app::list4_click(s_, 0, kHeader);
    EXPECT_TRUE(s_.logs.log.parse.stopped_early);
    EXPECT_EQ(texts(o.messages),
              std::vector<std::string>{"Reading the log stopped at a \"Model matching\" line "
                                       "without \"with airline:\" after 1 spawn; the table and "
                                       "the result lists were not updated."});
    EXPECT_FALSE(any_result_file());
}

// The whole click as the window runs it, for a user without administrator rights.
TEST_F(SessionTest, resultFilesThatCannotBeWritten_fileErrorAdviceOnceThenThePathsOnly) {
    app::adopt_log_folder(s_, logs_);
    ASSERT_TRUE(common::write_file_atomic(listed(0), fixture("two_groups.txt")));
    fs::remove_all(root_.file("program/models"));
    testing_support::FakePlatform platform;
    platform.admin = false;
    std::string paths;
    for (const auto& p : result_files()) paths += "\r\n" + p + ": No such file or directory";
    for (const char* advice :
         {"File error.\r\n\r\nPlease Right Click on exe and run as Administrator.\r\n",
          "Could not write:"}) {
        platform.messages.clear();
        EXPECT_TRUE(app::run_list4_click(s_, platform, 0, kHeader, {}));
        std::vector<std::string> failed;
        for (const auto& e : s_.logs.log.write_errors) failed.push_back(e.path);
        EXPECT_EQ(failed, result_files());
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, advice + paths);
    }
}

// Every "logs" becomes "config"; an empty folder keeps the path from turning relative.
TEST(ProgramLayout, modelMatchingFileFollowsTheLogsFolderAndReloadsBesideTheOldOne) {
    const std::pair<std::string, std::string> cases[] = {
        {app::model_matching_path("/sim/logs/x/logs"),
         common::join_path("/sim/config/x/config", "ModelMatching.json")},
        {app::model_matching_path(""),
         common::path_separator() + std::string("ModelMatching.json")},
        {app::model_matching_reload_path("/sim/config/Other.json"),
         "/sim/config/ModelMatching.json"},
        {app::model_matching_reload_path("C:\\sim\\Other.json"), "C:\\sim\\ModelMatching.json"}};
    for (const auto& [path, want] : cases) EXPECT_EQ(path, want);
}

}  // namespace
