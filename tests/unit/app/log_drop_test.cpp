#include "app/log_drop.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "common/paths.hpp"

namespace {

using Kind = app::LogDrop::Kind;

bool any_file(std::string_view path) {
    return path.find("missing") == std::string_view::npos;
}

TEST(LogDrop, planFollowsTheFolderNameAndTheListedNames) {
    struct Case {
        std::vector<std::string> paths;
        app::LogDrop want;
    };
    const Case cases[] = {
        {{"/sim/logs/log2024051314.txt"}, {Kind::AdoptFolder, "/sim/logs", "log2024051314.txt"}},
        {{"C:\\Sim\\LOGS\\Log20240513.TXT"},
         {Kind::AdoptFolder, "C:\\Sim\\LOGS", "Log20240513.TXT"}},
        {{"D:/Sim/Logs/log2024051314.txt"},
         {Kind::AdoptFolder, "D:/Sim/Logs", "log2024051314.txt"}},
        // Not a "logs" folder, or a file the folder's list would not show: listed alone.
        {{"/sim/oldlogs/log2024051314.txt"},
         {Kind::SingleFile, "/sim/oldlogs", "log2024051314.txt"}},
        {{"/sim/logs/notes.txt"}, {Kind::SingleFile, "/sim/logs", "notes.txt"}},
        {{"/sim/logs/log2024051314.log"}, {Kind::SingleFile, "/sim/logs", "log2024051314.log"}},
        {{"/log2024051314.txt"}, {Kind::SingleFile, "/", "log2024051314.txt"}},
        // Nothing, several files, a remote item, a folder or a missing file: ignored.
        {{}, {}},
        {{"/sim/logs/log1.txt", "/sim/logs/log2.txt"}, {}},
        {{""}, {}},
        {{"/sim/logs/"}, {}},
        {{"log2024051314.txt"}, {}},
        {{"/sim/logs/missing.txt"}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::plan_log_drop(c.paths, any_file), c.want)
            << (c.paths.empty() ? "(none)" : c.paths.front());
    }
}

TEST(LogDrop, folderIsCheckedOnDisk) {
    testing_support::TempFolder root;
    ASSERT_TRUE(common::create_folder(root.file("logs")));
    EXPECT_EQ(app::plan_log_drop({root.file("logs")}).kind, Kind::Ignore);
    EXPECT_EQ(app::plan_log_drop({root.file("logs/log2024051314.txt")}).kind, Kind::Ignore);
    ASSERT_TRUE(common::savetext(root.file("logs/log2024051314.txt"), "x"));
    EXPECT_EQ(app::plan_log_drop({root.file("logs/log2024051314.txt")}).kind, Kind::AdoptFolder);
}

TEST(LogDrop, listShowsTheDroppedFile) {
    testing_support::TempFolder root;
    const std::string logs = root.file("logs");
    ASSERT_TRUE(common::create_folder(logs));
    for (const char* name : {"log2024051314.txt", "log2024051315.txt"})
        ASSERT_TRUE(common::savetext(common::join_path(logs, name), "x"));
    app::Session s;

    const app::LogDrop in_logs{Kind::AdoptFolder, logs, "log2024051315.txt"};
    EXPECT_EQ(app::list_dropped_log(s, in_logs), -1);  // the folder was not adopted
    app::adopt_log_folder(s, logs);
    EXPECT_EQ(app::list_dropped_log(s, in_logs), 1);
    EXPECT_EQ(s.logs.list.entries.size(), 2U);

    EXPECT_EQ(app::list_dropped_log(s, {Kind::SingleFile, root.str(), "notes.txt"}), 0);
    EXPECT_EQ(s.logs.list.folder, root.str());
    EXPECT_EQ(s.logs.list.entries, (std::vector<logs::LogEntry>{{"notes.txt", "notes.txt"}}));
    EXPECT_EQ(s.frame.logs_folder, logs);  // a single file leaves the logs folder as it was
    EXPECT_EQ(app::list_dropped_log(s, {}), -1);
}

}  // namespace
