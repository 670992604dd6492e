// Every kind of whole-file write the program makes, each of its files in turn meeting a full
// disk, a failing sync or rename, a read-only folder or a file standing where its folder should
// be: the old file stays as it was, no temporary file is left, and what the user is shown names
// the file and the cause. The next write after the fault succeeds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "../common/write_fault.hpp"
#include "app/add_to_config.hpp"
#include "app/airport_session.hpp"
#include "app/map_update.hpp"
#include "app/reports.hpp"
#include "app/session.hpp"
#include "app/startup.hpp"
#include "app/table_export.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "fake_platform.hpp"
#include "matching/model_config.hpp"
#include "test_paths.hpp"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using common::WriteFault;

struct Fixture {
    testing_support::TempFolder tmp;
    testing_support::FakePlatform p;
    app::Session s;

    Fixture() {
        const std::string logs = tmp.file("logs");
        EXPECT_TRUE(common::create_folder(logs));
        EXPECT_TRUE(common::create_folder(tmp.file("config")));
        EXPECT_TRUE(common::create_folder(tmp.file("export")));
        EXPECT_TRUE(common::write_file_atomic(
            common::join_path(logs, "log2024051314.txt"),
            common::read_file(testing_support::data_path("logs/two_groups.txt"))));
        s = app::Session(app::startup(tmp.file("program"), false));
        app::adopt_log_folder(s, logs);
    }
    std::string shown() const {
        std::string all;
        for (const auto& m : p.messages) all += m.text + "\n";
        return all;
    }
};

void report_failed(Fixture& f, const common::FileStatus& status) {
    if (!status) app::report_write_failures(f.s, f.p, {*status.error});
}

std::string export_path(const app::Session& s) {
    return (fs::path(s.frame.layout.root()).parent_path() / "export" / "table.csv").string();
}

// Any file's old bytes; a model-matching file the add accepts.
constexpr std::string_view kOld = "{\r\n    \"A320\":\"Airbus A320\"\r\n}";

struct Kind {
    const char* name;
    std::function<std::vector<std::string>(const app::Session&)> targets;
    std::function<void(Fixture&)> write;    // as the user's command runs it
    std::function<void(Fixture&)> prepare;  // what the command needs done before; may be empty
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> all = {
        {"result lists",
         [](const app::Session& s) {
             return std::vector{s.frame.layout.result_file(app::ResultList::NoMatch),
                                s.frame.layout.result_file(app::ResultList::Matched),
                                s.frame.layout.result_file(app::ResultList::Models)};
         },
         [](Fixture& f) {
             app::run_list4_click(f.s, f.p, 0, app::kDefaultHeaderHeightTwips, nullptr);
         },
         nullptr},
        {"settings",
         [](const app::Session& s) {
             return std::vector{s.frame.layout.settings_file(), s.frame.layout.matches_file()};
         },
         [](Fixture& f) { report_failed(f, app::save_settings(f.s)); }, nullptr},
        {"model matching",
         [](const app::Session& s) {
             return std::vector{s.matching.json_path,
                                matching::companion_path(s.matching.json_path)};
         },
         [](Fixture& f) {
             // Another pair each time: after a failed copy the same pair is already in the file.
             static int added = 0;
             f.p.answers = {platform::Answer::Yes};
             app::run_add_to_config(f.s, f.p, "C172", "Cessna " + std::to_string(++added), nullptr);
         },
         nullptr},
        {"airport file",
         [](const app::Session& s) { return std::vector{s.frame.layout.airport_list_file()}; },
         [](Fixture& f) {
             f.s.airports.list.selected = 0;
             f.p.answers = {platform::Answer::Yes};
             app::remove_airport(f.s, f.p);
         },
         nullptr},
        {"map page",
         [](const app::Session& s) {
             return std::vector{s.frame.layout.map_script_file(), s.frame.layout.map_page_file()};
         },
         [](Fixture& f) {
             mappage::MapInput in;
             in.extent_text = "51.6#51.4#-0.3#-0.5";
             in.zoom_text = "12";
             in.traffic_text = "51.5#-0.4#0#BA1#1500#140#A320#LHR#EDI#BA\r\n";
             const app::MapWrite w = app::map_update(f.s.live_view.map, in, f.s.frame.layout);
             report_failed(f, w.files.status);
         },
         nullptr},
        {"report",
         [](const app::Session& s) {
             return std::vector{s.frame.layout.result_file(app::ResultList::Models)};
         },
         [](Fixture& f) { app::run_report(f.s, f.p, app::ReportItem::EngineTypes, nullptr); },
         nullptr},
        {"table export", [](const app::Session& s) { return std::vector{export_path(s)}; },
         [](Fixture& f) {
             f.p.save_choices = {export_path(f.s)};
             app::run_export_table(f.s, f.p);
         },
         [](Fixture& f) { app::list4_click(f.s, 0, app::kDefaultHeaderHeightTwips); }},
    };
    return all;
}

enum class Setup { Injected, ReadOnlyFolder, FileForFolder };

struct Fault {
    const char* name;
    Setup setup;
    WriteFault fault;
    const char* cause;
};

// Whether a folder without write permission refuses new files. Permission bits do not stop
// root, and Windows ignores a folder's read-only attribute.
bool folders_refuse_writes() {
#ifndef _WIN32
    return ::geteuid() != 0;
#else
    return false;
#endif
}

// What the system calls a path that runs through a file.
#ifdef _WIN32
constexpr const char* kNotAFolder = "No such file or directory";
#else
constexpr const char* kNotAFolder = "Not a directory";
#endif

std::vector<std::string> temp_files(const fs::path& root) {
    std::vector<std::string> found;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (e.path().filename().string().find(".tmp") != std::string::npos)
            found.push_back(e.path().string());
    }
    return found;
}

TEST(WriteFaults, oldFileKept_noTemporaryFile_messageNamesPathAndCause) {
    const Fault faults[] = {
        {"disk full", Setup::Injected, {WriteFault::Step::Write, 100, ENOSPC}, "No space left"},
        {"sync fails", Setup::Injected, {WriteFault::Step::Sync, 0, EIO}, "Input/output error"},
        {"rename fails", Setup::Injected, {WriteFault::Step::Rename, 0, EROFS}, "Read-only"},
        // Where the folder would not refuse, the refusal it would give is injected.
        {"read-only folder",
         Setup::ReadOnlyFolder,
         {WriteFault::Step::Create, 0, EACCES},
         "Permission denied"},
        {"file for folder", Setup::FileForFolder, {}, kNotAFolder},
    };
    for (const Kind& kind : kinds()) {
        for (const Fault& fault : faults) {
            for (std::size_t i = 0;; ++i) {
                Fixture f;
                const std::vector<std::string> targets = kind.targets(f.s);
                if (i >= targets.size()) break;
                SCOPED_TRACE(std::string(kind.name) + ", " + fault.name + ", " + targets[i]);
                const std::string target = targets[i];
                const std::string folder = fs::path(target).parent_path().string();
                const bool folder_fault =
                    fault.setup == Setup::FileForFolder ||
                    (fault.setup == Setup::ReadOnlyFolder && folders_refuse_writes());
                // Then an earlier file in the same folder fails first and is the one named.
                if (folder_fault &&
                    std::any_of(
                        targets.begin(), targets.begin() + static_cast<std::ptrdiff_t>(i),
                        [&](const std::string& t) { return fs::path(t).parent_path() == folder; }))
                    continue;
                if (kind.prepare) kind.prepare(f);
                for (const std::string& t : targets) ASSERT_TRUE(common::savetext(t, kOld));
                const std::string kept = fault.setup == Setup::FileForFolder ? folder : target;
                std::unique_ptr<testing_support::ScopedWriteFault> injected;
                if (fault.setup == Setup::FileForFolder) {
                    fs::remove_all(folder);
                    ASSERT_TRUE(common::savetext(folder, "in the way"));
                } else if (folder_fault) {
                    f.tmp.lock(folder, fs::perms::owner_read | fs::perms::owner_exec);
                } else {
                    WriteFault w = fault.fault;
                    w.writes_before = static_cast<int>(i);
                    injected = std::make_unique<testing_support::ScopedWriteFault>(w);
                }
                const std::string before = common::read_file(kept);

                kind.write(f);
                EXPECT_EQ(common::read_file(kept), before);
                EXPECT_EQ(temp_files(f.tmp.path()), std::vector<std::string>{});
                const std::string shown = f.shown();
                EXPECT_NE(shown.find(target + ": "), std::string::npos) << shown;
                EXPECT_NE(shown.find(fault.cause), std::string::npos) << shown;

                if (fault.setup == Setup::FileForFolder) continue;
                injected.reset();
                fs::permissions(folder, fs::perms::owner_all);
                kind.write(f);
                EXPECT_NE(common::read_file(target), before);
                EXPECT_EQ(temp_files(f.tmp.path()), std::vector<std::string>{});
            }
        }
    }
}

}  // namespace
