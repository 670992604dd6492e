#include "app/startup.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <locale>
#include <string>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "platform/core/locale_info.hpp"

namespace fs = std::filesystem;
using testing_support::TempFolder;

namespace {

const std::string kSep(1, fs::path::preferred_separator);

app::MenuChecks checked(std::initializer_list<int> mrg, std::initializer_list<int> mrr) {
    app::MenuChecks c;
    for (int i : mrg) c.mrg[static_cast<std::size_t>(i)] = true;
    for (int i : mrr) c.mrr[static_cast<std::size_t>(i)] = true;
    return c;
}

void write_mm_dat(const TempFolder& tmp, const std::string& text) {
    ASSERT_TRUE(common::write_file_atomic(tmp.file("mm.dat"), text));
}

TEST(Startup, firstRunInAnEmptyFolderCreatesTheFoldersAndUsesDefaults) {
    TempFolder tmp;
    const app::StartupState s = app::startup(tmp.str(), false);

    EXPECT_TRUE(fs::is_directory(tmp.path() / "system"));
    EXPECT_TRUE(fs::is_directory(tmp.path() / "models"));
    EXPECT_FALSE(fs::exists(tmp.path() / "mm.dat"));

    EXPECT_EQ(s.frame.program_folder, tmp.str());
    EXPECT_EQ(s.frame.logs_folder, "");
    EXPECT_EQ(s.window.text1, "");
    EXPECT_FALSE(s.window.logs_checked);
    EXPECT_TRUE(s.window.live_checked());
    EXPECT_EQ(s.window.text2, "14");
    EXPECT_EQ(s.window.text3, "");
    EXPECT_FALSE(s.window.list8_height.has_value());
    EXPECT_EQ(app::cap(s.frame), "Skelvar  1.72");

    EXPECT_EQ(s.live.feed_range, 0.08f);
    EXPECT_EQ(s.live.range_index, 1);
    EXPECT_EQ(s.live.max_height, 2000);
    EXPECT_EQ(s.live.height_index, 2);
    EXPECT_EQ(s.checks, checked({1}, {2}));
    EXPECT_EQ(s.live.picture_zoom, 2.0f);
    EXPECT_EQ(s.live.picture_dirty, -1);

    EXPECT_FALSE(s.frame.first_activation_done);
    EXPECT_FALSE(s.frame.file_error_shown);
    EXPECT_EQ(s.frame.quote, '"');
    EXPECT_EQ(s.frame.json_path, kSep + "ModelMatching.json");
    EXPECT_EQ(s.json_text, "");
}

TEST(Startup, ceilingZeroBecomes2000WithBothItemsChecked) {
    TempFolder tmp;
    write_mm_dat(tmp, "\r\n2535\r\n0\r\n\r\n0.1\r\n2\r\n0\r\n0\r\n14\r\nxzy\r\n\r\n");
    const app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_EQ(s.live.max_height, 2000);
    EXPECT_EQ(s.live.height_index, 2);
    EXPECT_EQ(s.checks, checked({2}, {0, 2}));
    EXPECT_EQ(s.live.feed_range, 0.1f);
    EXPECT_EQ(s.live.range_index, 2);
}

TEST(Startup, threeLineSettingsFileGetsRangeAndZoomFallbacks) {
    TempFolder tmp;
    write_mm_dat(tmp, "C:\\logs\r\n1200\r\n1");
    const app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_EQ(s.frame.logs_folder, "C:\\logs");
    EXPECT_EQ(s.window.list8_height, 1200);
    EXPECT_TRUE(s.window.logs_checked);
    EXPECT_EQ(s.live.feed_range, 0.08f);
    EXPECT_EQ(s.live.range_index, 1);
    EXPECT_EQ(s.live.max_height, 2000);
    EXPECT_EQ(s.live.height_index, 2);
    EXPECT_EQ(s.window.text2, "12");
    EXPECT_EQ(s.checks, checked({1}, {2}));
}

TEST(Startup, outOfRangeIndexesCheckOnlyTheFallbackItems) {
    TempFolder tmp;
    write_mm_dat(tmp, "\r\n0\r\n0\r\n\r\n0\r\n7\r\n3000\r\n9\r\n14\r\nxzy\r\n");
    const app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_EQ(s.live.range_index, 1);  // feed_range 0 was replaced
    EXPECT_EQ(s.live.height_index, 9);
    EXPECT_EQ(s.live.max_height, 3000);
    EXPECT_EQ(s.checks, checked({1}, {}));
}

TEST(Startup, everyLogsInTheFolderBecomesConfigForTheModelMatchingFile) {
    TempFolder tmp;
    const fs::path logs = tmp.path() / "logs" / "Traffic" / "logs";
    const fs::path config = tmp.path() / "config" / "Traffic" / "config";
    fs::create_directories(logs);
    fs::create_directories(config);
    ASSERT_TRUE(common::write_file_atomic((config / "ModelMatching.json").string(),
                                          "{\r\n\"B738\":\"PMDG\",\r\n}"));
    write_mm_dat(tmp, logs.string() + "\r\n");

    const app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_EQ(s.frame.json_path, (config / "ModelMatching.json").string());
    EXPECT_EQ(s.json_text, "{\r\n\"B738\":\"PMDG\",\r\n}");
}

TEST(Startup, missingModelMatchingFileGivesEmptyText) {
    TempFolder tmp;
    write_mm_dat(tmp, (tmp.path() / "logs").string() + "\r\n");
    const app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_EQ(s.frame.json_path, (tmp.path() / "config").string() + kSep + "ModelMatching.json");
    EXPECT_EQ(s.json_text, "");
}

TEST(Startup, folderThatCannotBeCreatedIsSkipped) {
    TempFolder tmp;
    std::ofstream(tmp.file("models")) << "a file in the way";
    const app::StartupState s = app::startup(tmp.str(), true);
    EXPECT_TRUE(fs::is_directory(tmp.path() / "system"));
    EXPECT_TRUE(fs::is_regular_file(tmp.path() / "models"));
    EXPECT_EQ(s.live.feed_range, 0.08f);
    EXPECT_TRUE(s.frame.comma_decimal);
}

TEST(ModelMatchingPath, replacesLogsCaseSensitively) {
    EXPECT_EQ(app::model_matching_path("D:\\Sim\\Traffic\\logs"),
              "D:\\Sim\\Traffic\\config" + kSep + "ModelMatching.json");
    EXPECT_EQ(app::model_matching_path("/x/Logs/"), "/x/Logs/ModelMatching.json");
    EXPECT_EQ(app::model_matching_path(""), kSep + "ModelMatching.json");
}

TEST(Shutdown, savedataTakesTheFolderBoxAndRestartRestoresTheState) {
    TempFolder tmp;
    app::StartupState s = app::startup(tmp.str(), false);
    s.window.text1 = "E:\\new\\logs";
    s.window.list8_height = 3000;
    s.window.logs_checked = true;
    s.window.text3 = "EZY";
    s.window.text2 = " 11 ";
    s.live.feed_range = 0.5f;
    s.live.range_index = 4;
    s.live.max_height = 6000;
    s.live.height_index = 5;
    ASSERT_TRUE(app::savedata(s));
    EXPECT_EQ(s.frame.logs_folder, "E:\\new\\logs");
    EXPECT_EQ(common::read_file(tmp.file("mm.dat")),
              "E:\\new\\logs\r\n3000\r\n1\r\nEZY\r\n0.5\r\n4\r\n6000\r\n5\r\n11\r\nxzy\r\n\r\n");
    EXPECT_TRUE(fs::is_regular_file(tmp.path() / "system" / "matches"));

    const app::StartupState again = app::startup(tmp.str(), false);
    EXPECT_EQ(again.frame.logs_folder, "E:\\new\\logs");
    EXPECT_EQ(again.window.list8_height, 3000);
    EXPECT_TRUE(again.window.logs_checked);
    EXPECT_EQ(again.window.text3, "EZY");
    EXPECT_EQ(again.window.text2, "11");
    EXPECT_EQ(again.live.feed_range, 0.5f);
    EXPECT_EQ(again.checks, checked({4}, {5}));
}

TEST(Shutdown, failedWriteReportsFalseAndAsksForAdministratorOnce) {
    TempFolder tmp;
    app::StartupState s = app::startup(tmp.str(), false);
    fs::remove_all(tmp.path());
    ASSERT_FALSE(app::savedata(s));
    EXPECT_EQ(app::get_token(1, false, s.frame),
              "File error.\r\n\r\nPlease Right Click on exe and run as Administrator.");
    EXPECT_TRUE(s.frame.file_error_shown);
    EXPECT_EQ(app::get_token(1, false, s.frame), std::nullopt);
}

TEST(GetToken, administratorsSeeNothing) {
    app::FrameState f;
    EXPECT_EQ(app::get_token(0, true, f), std::nullopt);
    EXPECT_EQ(app::get_token(1, true, f), std::nullopt);
    EXPECT_FALSE(f.file_error_shown);
}

TEST(GetToken, otherUsersSeeTheAdministratorHintForEveryCodeButOne) {
    app::FrameState f;
    for (int aa : {0, 2, -1}) {
        EXPECT_EQ(app::get_token(aa, false, f),
                  "Please Right Click on exe and run as Administrator.");
    }
    EXPECT_FALSE(f.file_error_shown);
    f.file_error_shown = true;  // the file-error flag does not silence the start-up hint
    EXPECT_EQ(app::get_token(0, false, f), "Please Right Click on exe and run as Administrator.");
}

TEST(Activate, nonAdministratorSeesTheHintOnlyOnTheFirstActivation) {
    TempFolder tmp;
    app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_EQ(app::activate(s, false).message,
              "Please Right Click on exe and run as Administrator.");
    EXPECT_TRUE(s.frame.first_activation_done);
    EXPECT_EQ(app::activate(s, false).message, std::nullopt);  // a dialog closed
    EXPECT_FALSE(s.frame.file_error_shown);
}

TEST(Activate, administratorSeesNothing) {
    TempFolder tmp;
    app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_EQ(app::activate(s, true).message, std::nullopt);
    EXPECT_TRUE(s.frame.first_activation_done);
}

TEST(Activate, relistsOnlyAnExistingLogsFolder) {
    TempFolder tmp;
    app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_FALSE(app::activate(s, true).relist_logs);
    s.frame.logs_folder = tmp.file("absent");
    EXPECT_FALSE(app::activate(s, true).relist_logs);
    s.frame.logs_folder = tmp.file("models");
    EXPECT_TRUE(app::activate(s, true).relist_logs);
}

TEST(Texts, questionAndCaptionAreExact) {
    EXPECT_EQ(app::kChkLogsQuestion,
              "Please locate log files.See website for details\r\n\r\nFind Log folder?");
    app::FrameState f;
    f.app_version = "2.0";
    EXPECT_EQ(app::cap(f), "Skelvar  2.0");
}

struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(LocaleInfo, decimalCommaIsToldFromTheLocalesPunctuation) {
    EXPECT_TRUE(
        platform::locale_uses_decimal_comma(std::locale(std::locale::classic(), new CommaPunct)));
    EXPECT_FALSE(platform::locale_uses_decimal_comma(std::locale::classic()));
}

class UserLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* v = std::getenv("LC_ALL")) saved_ = v;
    }
    void TearDown() override {
        if (saved_) {
            setenv("LC_ALL", saved_->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }
    std::optional<std::string> saved_;
};

TEST_F(UserLocale, unknownLocaleNameGivesFalseInsteadOfThrowing) {
    setenv("LC_ALL", "xx_NOWHERE.bogus", 1);
    EXPECT_FALSE(platform::locale_uses_decimal_comma());
}

TEST_F(UserLocale, cLocaleUsesADot) {
    setenv("LC_ALL", "C", 1);
    EXPECT_FALSE(platform::locale_uses_decimal_comma());
}

TEST_F(UserLocale, germanLocaleUsesAComma) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        try {
            std::locale probe(name);
        } catch (const std::runtime_error&) {
            continue;
        }
        setenv("LC_ALL", name, 1);
        EXPECT_TRUE(platform::locale_uses_decimal_comma());
        return;
    }
    GTEST_SKIP() << "no de_DE locale installed";
}

}  // namespace
