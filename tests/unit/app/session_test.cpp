#include "app/session.hpp"

#include <gtest/gtest.h>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"

namespace {

using testing_support::TempFolder;

class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        logs_ = common::join_path(root_.str(), "logs");
        ASSERT_TRUE(common::create_folder(logs_));
        for (const char* name : {"log2024051314.txt", "log2024051315.txt", "notes.txt"}) {
            ASSERT_TRUE(common::savetext(common::join_path(logs_, name), "x"));
        }
        s_ = app::Session(app::startup(common::join_path(root_.str(), "program"), false));
    }
    TempFolder root_;
    std::string logs_;
    app::Session s_;
};

TEST_F(SessionTest, relistingTheSameFolderKeepsTheChosenLog_aNewFolderDoesNot) {
    app::adopt_log_folder(s_, logs_);
    ASSERT_EQ(s_.logs.list.entries.size(), 2u);
    EXPECT_EQ(s_.frame.text1, logs_);
    EXPECT_EQ(s_.matching.json_path,
              common::join_path(common::join_path(root_.str(), "config"), "ModelMatching.json"));
    s_.logs.list.chosen = 1;
    ASSERT_TRUE(common::savetext(common::join_path(logs_, "log2024051300.txt"), "x"));
    app::refresh_log_list(s_, logs_);
    ASSERT_EQ(s_.logs.list.entries.size(), 3u);
    EXPECT_EQ(app::chosen_log_path(s_), common::join_path(logs_, "log2024051315.txt"));
    app::refresh_log_list(s_, root_.str());
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
    s_.frame.logs_folder = common::join_path(root_.str(), "gone");
    EXPECT_EQ(app::command2_start_folder(s_), s_.frame.layout.root());
    EXPECT_EQ(s_.frame.logs_folder, s_.frame.layout.root());
    s_.frame.logs_folder = logs_;
    EXPECT_EQ(app::command2_start_folder(s_), logs_);
}

}  // namespace
