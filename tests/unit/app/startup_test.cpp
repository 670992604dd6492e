#include "app/startup.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <locale>
#include <optional>
#include <sstream>
#include <string>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "common/text.hpp"
#include "platform/core/locale_info.hpp"

namespace fs = std::filesystem;
using testing_support::TempFolder;

namespace {

// Sets (or with nullptr removes) an environment variable on every platform.
void set_env(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    if (value) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
#endif
}

const std::string kSep(1, fs::path::preferred_separator);
const std::string kAdminHint = "Please Right Click on exe and run as Administrator.";

// What start-up restores: logs_folder, the folder box, then the settings in mm.dat's line order
// ("-" for no list height), and the checked Range and Max Height items.
std::string restored(const app::StartupState& s) {
    std::ostringstream o;
    o << s.frame.logs_folder << '|' << s.frame.text1 << '|'
      << (s.live.list8_height ? std::to_string(*s.live.list8_height) : "-") << '|'
      << s.frame.logs_checked << '|' << s.frame.text3 << '|'
      << common::format_single(s.live.feed_range) << '|' << s.live.range_index << '|'
      << s.live.max_height << '|' << s.live.height_index << '|' << s.live.text2 << " range";
    for (std::size_t i = 0; i < s.live.checks.mrg.size(); ++i)
        o << (s.live.checks.mrg[i] ? " " + std::to_string(i) : "");
    o << " height";
    for (std::size_t i = 0; i < s.live.checks.mrr.size(); ++i)
        o << (s.live.checks.mrr[i] ? " " + std::to_string(i) : "");
    return o.str();
}

app::StartupState start_with(const TempFolder& tmp, const std::string& mm_dat) {
    EXPECT_TRUE(common::write_file_atomic(tmp.file("mm.dat"), mm_dat));
    return app::startup(tmp.str(), false);
}

TEST(Startup, firstRunInAnEmptyFolderCreatesTheFoldersAndUsesDefaults) {
    TempFolder tmp;
    const app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_TRUE(fs::is_directory(tmp.path() / "system"));
    EXPECT_TRUE(fs::is_directory(tmp.path() / "models"));
    EXPECT_FALSE(fs::exists(tmp.path() / "mm.dat"));
    EXPECT_EQ(restored(s), "||-|0||0.08|1|2000|2|14 range 1 height 2");
    EXPECT_FALSE(s.frame.logs_checked);
    EXPECT_TRUE(s.folder_errors.empty());
    EXPECT_EQ(app::cap(s.frame), "Skelvar  1.72");
    EXPECT_FALSE(s.frame.first_activation_done);
    EXPECT_EQ(s.matching.json_path, kSep + "ModelMatching.json");
    EXPECT_EQ(s.matching.json_text, "");
}

TEST(Startup, settingsFileFallbacks) {
    TempFolder tmp;
    // Ceiling 0 becomes 2000; Max Height "0" and "2000" are both checked.
    EXPECT_EQ(restored(start_with(tmp, "\r\n2535\r\n0\r\n\r\n0.1\r\n2\r\n0\r\n0\r\n14\r\nxzy\r\n")),
              "||2535|0||0.1|2|2000|2|14 range 2 height 0 2");
    // Three lines: range 0.08 and zoom "12" afterwards.
    EXPECT_EQ(restored(start_with(tmp, "C:\\logs\r\n1200\r\n1")),
              "C:\\logs|C:\\logs|1200|1||0.08|1|2000|2|12 range 1 height 2");
    // Out-of-range indexes check only the fallback items.
    EXPECT_EQ(restored(start_with(tmp, "\r\n0\r\n0\r\n\r\n0\r\n7\r\n3000\r\n9\r\n14\r\nxzy\r\n")),
              "||0|0||0.08|1|3000|9|14 range 1 height");
}

TEST(Startup, everyLogsInTheFolderBecomesConfigForTheModelMatchingFile) {
    TempFolder tmp;
    const fs::path config = tmp.path() / "config" / "Traffic" / "config";
    fs::create_directories(config);
    ASSERT_TRUE(common::write_file_atomic((config / "ModelMatching.json").string(), "{\r\n}"));
    app::StartupState s = start_with(tmp, (tmp.path() / "logs" / "Traffic" / "logs").string());
    EXPECT_EQ(s.matching.json_path, (config / "ModelMatching.json").string());
    EXPECT_EQ(s.matching.json_text, "{\r\n}");
    // A missing file gives an empty text; "Logs" is not "logs".
    s = start_with(tmp, (tmp.path() / "Logs").string());
    EXPECT_EQ(s.matching.json_path, (tmp.path() / "Logs").string() + kSep + "ModelMatching.json");
    EXPECT_EQ(s.matching.json_text, "");
}

TEST(Startup, folderThatCannotBeCreatedIsReportedAndSkipped) {
    TempFolder tmp;
    std::ofstream(tmp.file("models")) << "a file in the way";
    const app::StartupState s = app::startup(tmp.str(), true);
    EXPECT_TRUE(fs::is_directory(tmp.path() / "system"));
    EXPECT_TRUE(fs::is_regular_file(tmp.path() / "models"));
    ASSERT_EQ(s.folder_errors.size(), 1u);
    EXPECT_EQ(s.folder_errors[0].path, tmp.file("models"));
    EXPECT_NE(app::folder_failure_message(s.folder_errors).text.find(tmp.file("models") + ": "),
              std::string::npos);
    EXPECT_EQ(s.live.feed_range, 0.08f);
    EXPECT_TRUE(s.frame.comma_decimal);
}

TEST(Shutdown, savedataTakesTheFolderBoxAndRestartRestoresTheState) {
    TempFolder tmp;
    app::StartupState s = app::startup(tmp.str(), false);
    s.frame.text1 = "E:\\new\\logs";
    s.frame.text3 = "EZY";
    s.frame.logs_checked = true;
    s.live.text2 = " 11 ";
    s.live.list8_height = 3000;
    s.live.feed_range = 0.5f;
    s.live.range_index = 4;
    s.live.max_height = 6000;
    s.live.height_index = 5;
    const auto save = [&] {
        return app::savedata(s.frame.layout, app::settings_to_save(s.frame, s.live));
    };
    ASSERT_TRUE(save());
    EXPECT_EQ(s.frame.logs_folder, "");  // saving changes nothing in memory
    EXPECT_EQ(common::read_file(tmp.file("mm.dat")),
              "E:\\new\\logs\r\n3000\r\n1\r\nEZY\r\n0.5\r\n4\r\n6000\r\n5\r\n11\r\nxzy\r\n\r\n");
    EXPECT_EQ(common::read_file((tmp.path() / "system" / "matches").string()),
              app::matches_text() + "\r\n");

    EXPECT_EQ(restored(app::startup(tmp.str(), false)),
              "E:\\new\\logs|E:\\new\\logs|3000|1|EZY|0.5|4|6000|5|11 range 4 height 5");

    // A failed write names the file; the administrator advice comes once, the path every time.
    fs::remove_all(tmp.path());
    const common::FileStatus failed = save();
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error->path, tmp.file("mm.dat"));
    const std::string where = failed.error->text();
    EXPECT_EQ(app::write_failure_message({*failed.error}, false, s.frame).text,
              "File error.\r\n\r\n" + kAdminHint + "\r\n\r\n" + where);
    EXPECT_TRUE(s.frame.file_error_shown);
    EXPECT_EQ(app::write_failure_message({*failed.error}, false, s.frame).text,
              "Could not write:\r\n" + where);
    app::FrameState admin;
    EXPECT_EQ(app::write_failure_message({*failed.error, *failed.error}, true, admin).text,
              "Could not write:\r\n" + where + "\r\n" + where);
}

TEST(GetToken, administratorsSeeNothingOthersTheHintForEveryCodeButOne) {
    app::FrameState f;
    EXPECT_EQ(app::get_token(0, true, f), std::nullopt);
    EXPECT_EQ(app::get_token(1, true, f), std::nullopt);
    for (int aa : {0, 2, -1}) EXPECT_EQ(app::get_token(aa, false, f), kAdminHint) << aa;
    EXPECT_FALSE(f.file_error_shown);
    f.file_error_shown = true;  // the file-error flag does not silence the start-up hint
    EXPECT_EQ(app::get_token(0, false, f), kAdminHint);
}

TEST(Activate, hintOnlyOnTheFirstActivation_relistOnlyAnExistingLogsFolder) {
    TempFolder tmp;
    app::FrameState s = app::startup(tmp.str(), false).frame;
    app::FrameState admin = s;
    EXPECT_EQ(app::activate(s, false).message, kAdminHint);
    EXPECT_TRUE(s.first_activation_done);
    EXPECT_EQ(app::activate(s, false).message, std::nullopt);  // a dialog closed
    EXPECT_FALSE(s.file_error_shown);
    EXPECT_EQ(app::activate(admin, true).message, std::nullopt);
    EXPECT_TRUE(admin.first_activation_done);

    EXPECT_FALSE(app::activate(s, true).relist_logs);
    s.logs_folder = tmp.file("absent");
    EXPECT_FALSE(app::activate(s, true).relist_logs);
    s.logs_folder = tmp.file("models");
    EXPECT_TRUE(app::activate(s, true).relist_logs);
}

TEST(Texts, captionFollowsTheVersion) {
    app::FrameState f;
    f.app_version = "2.0";
    EXPECT_EQ(app::cap(f), "Skelvar  2.0");
}

struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(LocaleInfo, decimalCommaFromTheLocale) {
    EXPECT_TRUE(
        platform::locale_uses_decimal_comma(std::locale(std::locale::classic(), new CommaPunct)));
    EXPECT_FALSE(platform::locale_uses_decimal_comma(std::locale::classic()));
    const char* saved = std::getenv("LC_ALL");
    const std::string restore = saved ? saved : "";
    set_env("LC_ALL", "xx_NOWHERE.bogus");  // unknown: false instead of throwing
    EXPECT_FALSE(platform::locale_uses_decimal_comma());
    set_env("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(platform::locale_uses_decimal_comma(),
              std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr);
    std::setlocale(LC_ALL, "C");
    set_env("LC_ALL", saved ? restore.c_str() : nullptr);
}

}  // namespace
