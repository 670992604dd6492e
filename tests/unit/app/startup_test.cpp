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
#include <vector>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "common/text.hpp"
#include "platform/core/locale_info.hpp"

namespace fs = std::filesystem;
using testing_support::TempFolder;

namespace {

const std::string kAdminHint = "Please Right Click on exe and run as Administrator.";

app::SettingsValues sample() {
    return {.logs_folder = "D:\\Sim\\Traffic\\logs",
            .list8_height = 2535,
            .logs_checked = true,
            .text3 = "DLH 4",
            .feed_range = 0.15f,
            .range_index = 3,
            .max_height = 4000,
            .height_index = 4,
            .text2 = " 14 "};
}
const std::string kSampleText =
    "D:\\Sim\\Traffic\\logs\r\n2535\r\n1\r\nDLH 4\r\n0.15\r\n3\r\n4000\r\n4\r\n14\r\nxzy\r\n";
const std::string kSampleState =
    "D:\\Sim\\Traffic\\logs|2535|1|DLH 4|0.15|3|4000|4|14 range 3 height 4";

// The settings in mm.dat's line order ("-" for no list height), then the checked Range and
// Max Height items.
std::string state(const app::SettingsValues& v, const app::MenuChecks& c) {
    std::ostringstream o;
    o.imbue(std::locale::classic());  // the same text under the comma locale
    o << v.logs_folder << '|' << (v.list8_height ? std::to_string(*v.list8_height) : "-") << '|'
      << v.logs_checked << '|' << v.text3 << '|' << common::format_single(v.feed_range) << '|'
      << v.range_index << '|' << v.max_height << '|' << v.height_index << '|' << v.text2
      << " range";
    for (std::size_t i = 0; i < c.mrg.size(); ++i) o << (c.mrg[i] ? " " + std::to_string(i) : "");
    o << " height";
    for (std::size_t i = 0; i < c.mrr.size(); ++i) o << (c.mrr[i] ? " " + std::to_string(i) : "");
    return o.str();
}

std::string loaded(std::string_view text, app::SettingsValues v = {}, app::MenuChecks c = {}) {
    app::loaddata(text, v, c);
    return state(v, c);
}

// What start-up restored: logs_folder, then the settings as they would be saved (the folder box
// first).
std::string restored(const app::StartupState& s) {
    return s.frame.logs_folder + '|' + state(app::settings_to_save(s.frame, s.live), s.live.checks);
}

app::StartupState start_with(const TempFolder& tmp, const std::string& mm_dat) {
    EXPECT_TRUE(common::write_file_atomic(tmp.file("mm.dat"), mm_dat));
    return app::startup(tmp.str(), false);
}

// Every case starts from the sample settings with Range item 1 and Max Height item 3 checked:
// a missing line keeps its setting, and items are only ever checked, never unchecked.
TEST(Loaddata, linesAppliedInOrder) {
    app::SettingsValues saved = sample();
    saved.text3 = "a\r\nb";
    const std::pair<std::string, std::string> cases[] = {
        {kSampleText + "\r\n",
         "D:\\Sim\\Traffic\\logs|2535|1|DLH 4|0.15|3|4000|4|14 range 1 3 height 3 4"},
        // Indexes are stored but check only in range: the first and last items, one beyond each.
        {"\r\n0\r\n0\r\n\r\n0.5\r\n0\r\n6000\r\n0\r\n14",
         "|0|0||0.5|0|6000|0|14 range 0 1 height 0 3"},
        {"\r\n0\r\n0\r\n\r\n0.5\r\n4\r\n6000\r\n5\r\n14",
         "|0|0||0.5|4|6000|5|14 range 1 4 height 3 5"},
        {"\r\n0\r\n0\r\n\r\n0.1\r\n5\r\n2000\r\n-1\r\n14",
         "|0|0||0.1|5|2000|-1|14 range 1 height 3"},
        {"\r\n0\r\n0\r\n\r\n0.1\r\n-1\r\n2000\r\n6\r\n14",
         "|0|0||0.1|-1|2000|6|14 range 1 height 3"},
        // Missing lines keep their values, the zoom is 12; a trailing CR LF makes an empty line.
        {"C:\\logs\r\n1200\r\n0", "C:\\logs|1200|0|DLH 4|0.15|3|4000|4|12 range 1 height 3"},
        {"C:\\logs\r\n1200\r\n0\r\n", "C:\\logs|1200|0||0.15|3|4000|4|12 range 1 height 3"},
        {"", "D:\\Sim\\Traffic\\logs|2535|1|DLH 4|0.15|3|4000|4|12 range 1 height 3"},
        // Lines after the ninth are ignored.
        {"a\r\n1\r\n0\r\nq\r\n0.1\r\n2\r\n2000\r\n2\r\n14\r\nx\r\n99",
         "a|1|0|q|0.1|2|2000|2|14 range 1 2 height 2 3"},
        // Numbers: the leading number, halves to even; a non-zero line 3 checks "Logs".
        {"x\r\nabc\r\n 2\r\ns\r\n 0.08 km\r\n2.5\r\n1999.5\r\n0.5\r\n14",
         "x|0|1|s|0.08|2|2000|0|14 range 1 2 height 0 3"},
        // A range beyond single precision keeps the old value.
        {"a\r\n1\r\n0\r\n\r\n1e300", "a|1|0||0.15|3|4000|4|12 range 1 height 3"},
        // Nothing guards against a line break in the search text: later lines shift.
        {app::savedata_text(saved),
         "D:\\Sim\\Traffic\\logs|2535|1|a|0|0|3|4000|12 range 0 1 height 3"},
        // A line 3 that reads as zero unchecks "Logs".
        {"a\r\n1\r\nabc", "a|1|0|DLH 4|0.15|3|4000|4|12 range 1 height 3"},
        {"a\r\n1\r\n", "a|1|0|DLH 4|0.15|3|4000|4|12 range 1 height 3"},
        {"a\r\n1\r\n0.0", "a|1|0|DLH 4|0.15|3|4000|4|12 range 1 height 3"},
    };
    app::MenuChecks some;
    some.check_mrg(1);
    some.check_mrr(3);
    for (const auto& [text, want] : cases) EXPECT_EQ(loaded(text, sample(), some), want) << text;
}

TEST(Loaddata, zoomBelowSixMissingOrNotNumericBecomes12) {
    // 18x and " 16 " are kept as the line has them.
    for (const auto& [line9, zoom] :
         {std::pair{"5.99", "12"}, {"6", "6"}, {"", "12"}, {"18x", "18x"}, {" 16 ", " 16 "}}) {
        EXPECT_EQ(loaded("a\r\n1\r\n0\r\n\r\n0.1\r\n2\r\n2000\r\n2\r\n" + std::string(line9)),
                  "a|1|0||0.1|2|2000|2|" + std::string(zoom) + " range 2 height 2")
            << line9;
    }
}

// A locale that writes a decimal comma and groups thousands with ".".
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(SettingsText, commaLocaleStillWritesAndReadsDotDecimals_matchesIs34EmptyRows) {
    std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) break;
    }
    app::SettingsValues defaults;
    defaults.feed_range = 0.07f;
    const std::string text = app::savedata_text(sample()),
                      defaults_text = app::savedata_text(defaults);
    const std::string back = loaded(text);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, kSampleText);
    EXPECT_EQ(defaults_text, "\r\n0\r\n0\r\n\r\n0.07\r\n0\r\n0\r\n0\r\n\r\nxzy\r\n");
    EXPECT_EQ(back, kSampleState);

    std::string matches;
    for (int i = 0; i < 34; ++i) matches += ",,0\r\n";
    EXPECT_EQ(app::matches_text(), matches);
}

// A missing mm.dat is the first run's case in the start-up tests.
TEST(SettingsFiles, aFailedWriteStopsTheSave) {
    TempFolder tmp;
    const app::ProgramLayout layout(tmp.str());
    // No system folder: mm.dat is written, the matches file is not.
    EXPECT_FALSE(app::savedata(layout, sample()));
    EXPECT_EQ(common::read_file(tmp.file("mm.dat")), kSampleText + "\r\n");
    EXPECT_FALSE(fs::exists(tmp.path() / "system"));
    // mm.dat cannot be written: the matches file is not tried.
    fs::remove(tmp.path() / "mm.dat");
    fs::create_directory(tmp.path() / "system");
    fs::create_directory(tmp.path() / "mm.dat");
    EXPECT_FALSE(app::savedata(layout, sample()));
    EXPECT_FALSE(fs::exists(tmp.path() / "system" / "matches"));
}

TEST(Startup, firstRunInAnEmptyFolderCreatesTheFoldersAndUsesDefaults) {
    TempFolder tmp;
    const app::StartupState s = app::startup(tmp.str(), false);
    EXPECT_TRUE(fs::is_directory(tmp.path() / "system"));
    EXPECT_TRUE(fs::is_directory(tmp.path() / "models"));
    EXPECT_FALSE(fs::exists(tmp.path() / "mm.dat"));
    EXPECT_EQ(restored(s), "||-|0||0.08|1|2000|2|14 range 1 height 2");
    EXPECT_TRUE(s.folder_errors.empty());
    EXPECT_EQ(app::cap(s.frame), "Skelvar  1.72");
    EXPECT_EQ(s.matching.json_path,
              std::string(1, fs::path::preferred_separator) + "ModelMatching.json");
    EXPECT_EQ(s.matching.json_text, "");
}

TEST(Startup, settingsFileFallbacksAndTheModelMatchingText) {
    TempFolder tmp;
    // Ceiling 0 becomes 2000; Max Height "0" and "2000" are both checked.
    EXPECT_EQ(restored(start_with(tmp, "\r\n2535\r\n0\r\n\r\n0.1\r\n2\r\n0\r\n0\r\n14\r\nxzy\r\n")),
              "||2535|0||0.1|2|2000|2|14 range 2 height 0 2");
    // Range 0 becomes 0.08, checked at index 1.
    EXPECT_EQ(restored(start_with(tmp, "C:\\logs\r\n1200\r\n1")),
              "C:\\logs|C:\\logs|1200|1||0.08|1|2000|2|12 range 1 height 2");
    // The file is read from the configuration folder that goes with the logs folder.
    const fs::path config = tmp.path() / "config";
    fs::create_directories(config);
    ASSERT_TRUE(common::write_file_atomic((config / "ModelMatching.json").string(), "{\r\n}"));
    const app::StartupState s = start_with(tmp, (tmp.path() / "logs").string());
    EXPECT_EQ(s.matching.json_path, (config / "ModelMatching.json").string());
    EXPECT_EQ(s.matching.json_text, "{\r\n}");
}

TEST(Startup, folderThatCannotBeCreatedIsReportedAndSkipped) {
    TempFolder tmp;
    std::ofstream(tmp.file("models")) << "a file in the way";
    const app::StartupState s = app::startup(tmp.str(), true);
    EXPECT_TRUE(fs::is_directory(tmp.path() / "system"));
    ASSERT_EQ(s.folder_errors.size(), 1u);
    EXPECT_EQ(app::folder_failure_message(s.folder_errors).text,
              "Could not create the program's folders:\r\n" + tmp.file("models") +
                  ": a file of that name is in the way");
    EXPECT_EQ(s.live.feed_range, 0.08f);
}

TEST(Shutdown, savedataTakesTheFolderBoxAndRestartRestoresTheState) {
    TempFolder tmp;
    app::StartupState s = start_with(tmp, kSampleText);
    s.frame.text1 = "E:\\new\\logs";
    s.live.text2 = " 11 ";
    const auto save = [&] {
        return app::savedata(s.frame.layout, app::settings_to_save(s.frame, s.live));
    };
    ASSERT_TRUE(save());
    EXPECT_EQ(common::read_file(tmp.file("mm.dat")),
              "E:\\new\\logs\r\n2535\r\n1\r\nDLH 4\r\n0.15\r\n3\r\n4000\r\n4\r\n11\r\nxzy\r\n\r\n");
    EXPECT_EQ(common::read_file((tmp.path() / "system" / "matches").string()),
              app::matches_text() + "\r\n");
    EXPECT_EQ(restored(app::startup(tmp.str(), false)),
              "E:\\new\\logs|E:\\new\\logs|2535|1|DLH 4|0.15|3|4000|4|11 range 3 height 4");

    // A failed write names the file; the administrator advice comes once, the path every time.
    fs::remove_all(tmp.path());
    const common::FileStatus failed = save();
    ASSERT_FALSE(failed);
    const std::string where = tmp.file("mm.dat") + ": No such file or directory";
    EXPECT_EQ(failed.error->text(), where);
    EXPECT_EQ(app::write_failure_message({*failed.error}, false, s.frame).text,
              "File error.\r\n\r\n" + kAdminHint + "\r\n\r\n" + where);
    EXPECT_EQ(app::write_failure_message({*failed.error}, false, s.frame).text,
              "Could not write:\r\n" + where);
    app::FrameState admin;
    EXPECT_EQ(app::write_failure_message({*failed.error, *failed.error}, true, admin).text,
              "Could not write:\r\n" + where + "\r\n" + where);
}

TEST(AdministratorHint, onlyForOthers_onlyOnTheFirstActivation_fileErrorDoesNotSilenceIt) {
    TempFolder tmp;
    app::FrameState f = app::startup(tmp.str(), false).frame, admin = f;
    for (auto reason : {app::TokenReason::FirstActivation, app::TokenReason::WriteFailed}) {
        EXPECT_EQ(app::get_token(reason, true, admin), std::nullopt);
    }
    EXPECT_EQ(app::get_token(app::TokenReason::FirstActivation, false, f), kAdminHint);
    EXPECT_FALSE(f.file_error_shown);  // the start-up hint leaves the file-error advice to come
    EXPECT_EQ(app::activate(admin, true).message, std::nullopt);
    f.file_error_shown = true;
    EXPECT_EQ(app::activate(f, false).message, kAdminHint);
    EXPECT_EQ(app::activate(f, false).message, std::nullopt);  // a dialog closed

    // Only a logs folder that exists is listed again.
    for (const auto& [folder, relist] : {std::pair{std::string(), false},
                                         {tmp.file("absent"), false},
                                         {tmp.file("models"), true}}) {
        f.logs_folder = folder;
        EXPECT_EQ(app::activate(f, true).relist_logs, relist) << folder;
    }
}

// Sets (or with nullptr removes) an environment variable on every platform.
void set_env(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    value ? setenv(name, value, 1) : unsetenv(name);
#endif
}

// The user's locale as the environment names it; restores the environment afterwards.
bool comma_in_locale(const char* lc_all) {
    const char* saved = std::getenv("LC_ALL");
    const std::string restore = saved ? saved : "";
    set_env("LC_ALL", lc_all);
    const bool comma = platform::locale_uses_decimal_comma();
    std::setlocale(LC_ALL, "C");
    set_env("LC_ALL", saved ? restore.c_str() : nullptr);
    return comma;
}

TEST(LocaleInfo, decimalCommaFromTheLocale) {
    EXPECT_TRUE(
        platform::locale_uses_decimal_comma(std::locale(std::locale::classic(), new CommaPunct)));
    EXPECT_FALSE(platform::locale_uses_decimal_comma(std::locale::classic()));
    EXPECT_FALSE(comma_in_locale("xx_NOWHERE.bogus"));  // unknown: false instead of throwing
}

TEST(LocaleInfo, aGermanUserLocaleWritesADecimalComma) {
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/deps.sh generates it)";
    }
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(comma_in_locale("de_DE.UTF-8"));
}

}  // namespace
