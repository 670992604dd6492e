#include "app/log_drop.hpp"

#include <gtest/gtest.h>

#include "../common/temp_folder.hpp"
#include "common/paths.hpp"

namespace {

using Kind = app::LogDrop::Kind;

TEST(LogDrop, planFollowsTheFolderNameAndTheListedNames) {
    const auto any_file = [](std::string_view p) { return p.find("missing") == p.npos; };
    const std::pair<std::vector<std::string>, app::LogDrop> cases[] = {
        {{"/sim/logs/log2024051314.txt"}, {Kind::AdoptFolder, "/sim/logs", "log2024051314.txt"}},
        {{"C:\\Sim\\LOGS\\Log20240513.TXT"},
         {Kind::AdoptFolder, "C:\\Sim\\LOGS", "Log20240513.TXT"}},
        {{"D:/Sim/Logs/log1.txt"}, {Kind::AdoptFolder, "D:/Sim/Logs", "log1.txt"}},
        // Not a "logs" folder, or a file that folder's list would not show: listed alone.
        {{"/sim/oldlogs/log1.txt"}, {Kind::SingleFile, "/sim/oldlogs", "log1.txt"}},
        {{"/sim/logs/notes.txt"}, {Kind::SingleFile, "/sim/logs", "notes.txt"}},
        {{"/sim/logs/log1.log"}, {Kind::SingleFile, "/sim/logs", "log1.log"}},
        {{"/log1.txt"}, {Kind::SingleFile, "/", "log1.txt"}},
        // Nothing, several files, a remote item, a folder, a relative or a missing path.
        {{}, {}},
        {{"/sim/logs/log1.txt", "/sim/logs/log2.txt"}, {}},
        {{""}, {}},
        {{"/sim/logs/"}, {}},
        {{"log1.txt"}, {}},
        {{"/sim/logs/missing.txt"}, {}},
    };
    for (const auto& [paths, want] : cases) {
        EXPECT_EQ(app::plan_log_drop(paths, any_file), want) << (paths.empty() ? "" : paths[0]);
    }
}

TEST(LogDrop, onDisk_adoptedFolderListsTheFileOrTheFileAlone) {
    testing_support::TempFolder root;
    const std::string logs = root.file("logs"), log = root.file("logs/log2024051315.txt");
    ASSERT_TRUE(common::create_folder(logs));
    EXPECT_EQ(app::plan_log_drop({logs}).kind, Kind::Ignore);  // a folder
    EXPECT_EQ(app::plan_log_drop({log}).kind, Kind::Ignore);   // not there yet
    for (const auto& name : {"log2024051314.txt", "log2024051315.txt"})
        ASSERT_TRUE(common::savetext(common::join_path(logs, name), "x"));
    const app::LogDrop drop = app::plan_log_drop({log});
    ASSERT_EQ(drop.kind, Kind::AdoptFolder);

    app::Session s;
    EXPECT_EQ(app::list_dropped_log(s, drop), -1);  // the window has not adopted the folder
    app::adopt_log_folder(s, logs);
    EXPECT_EQ(app::list_dropped_log(s, drop), 1);

    EXPECT_EQ(app::list_dropped_log(s, {Kind::SingleFile, root.str(), "notes.txt"}), 0);
    EXPECT_EQ(s.logs.list.folder, root.str());
    EXPECT_EQ(s.logs.list.entries, (std::vector<logs::LogEntry>{{"notes.txt", "notes.txt"}}));
    EXPECT_EQ(s.frame.logs_folder, logs);  // a single file leaves the logs folder as it was
}

}  // namespace
