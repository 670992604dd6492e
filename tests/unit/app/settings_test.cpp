#include "app/settings.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "common/text.hpp"

namespace fs = std::filesystem;
using testing_support::TempFolder;

namespace {

app::SettingsValues sample() {
    app::SettingsValues v;
    v.logs_folder = "D:\\Sim\\Traffic\\logs";
    v.list8_height = 2535;
    v.logs_checked = true;
    v.text3 = "DLH 4";
    v.feed_range = 0.15f;
    v.range_index = 3;
    v.max_height = 4000;
    v.height_index = 4;
    v.text2 = " 14 ";
    return v;
}
const std::string kSampleText =
    "D:\\Sim\\Traffic\\logs\r\n2535\r\n1\r\nDLH 4\r\n0.15\r\n3\r\n4000\r\n4\r\n14\r\nxzy\r\n";

struct Loaded {
    app::SettingsValues v;
    app::MenuChecks c;
};
Loaded load(std::string_view text, app::SettingsValues v = {}, app::MenuChecks c = {}) {
    app::loaddata(text, v, c);
    return {v, c};
}

// The loaded settings in mm.dat's line order ("-" for no list height), then the checked Range
// and Max Height items.
std::string state(const Loaded& l) {
    const app::SettingsValues& v = l.v;
    std::ostringstream o;
    o << v.logs_folder << '|' << (v.list8_height ? std::to_string(*v.list8_height) : "-") << '|'
      << v.logs_checked << '|' << v.text3 << '|' << common::format_single(v.feed_range) << '|'
      << v.range_index << '|' << v.max_height << '|' << v.height_index << '|' << v.text2
      << " range";
    for (std::size_t i = 0; i < 5; ++i) o << (l.c.mrg[i] ? " " + std::to_string(i) : "");
    o << " height";
    for (std::size_t i = 0; i < 6; ++i) o << (l.c.mrr[i] ? " " + std::to_string(i) : "");
    return o.str();
}

TEST(SettingsText, savedTextAndBlankMatchesTable) {
    EXPECT_EQ(app::savedata_text(sample()), kSampleText);
    app::SettingsValues defaults;
    defaults.feed_range = 0.07f;
    EXPECT_EQ(app::savedata_text(defaults), "\r\n0\r\n0\r\n\r\n0.07\r\n0\r\n0\r\n0\r\n\r\nxzy\r\n");

    std::string expected;
    for (int i = 0; i < 34; ++i) expected += ",,0\r\n";
    EXPECT_EQ(app::matches_text(), expected);
}

TEST(Loaddata, linesAppliedInOrder) {
    app::MenuChecks some;
    some.check_mrg(0);
    some.check_mrr(1);
    app::SettingsValues saved = sample();
    saved.text3 = "a\r\nb";
    struct Case {
        std::string text;
        Loaded start;
        std::string want;
    };
    const std::vector<Case> cases = {
        // A whole file restores every value.
        {kSampleText + "\r\n",
         {},
         "D:\\Sim\\Traffic\\logs|2535|1|DLH 4|0.15|3|4000|4|14 range 3 height 4"},
        // Indexes are stored but check only in range.
        {"\r\n0\r\n0\r\n\r\n0.1\r\n7\r\n2000\r\n-1\r\n14",
         {},
         "|0|0||0.1|7|2000|-1|14 range height"},
        // One past the last items.
        {"\r\n0\r\n0\r\n\r\n0.1\r\n5\r\n2000\r\n6\r\n14", {}, "|0|0||0.1|5|2000|6|14 range height"},
        // The last items; nothing is unchecked.
        {"\r\n0\r\n0\r\n\r\n0.5\r\n4\r\n6000\r\n5\r\n14",
         {{}, some},
         "|0|0||0.5|4|6000|5|14 range 0 4 height 1 5"},
        // Three lines: the rest keep their values, the zoom is 12.
        {"C:\\logs\r\n1200\r\n0",
         {sample(), {}},
         "C:\\logs|1200|0|DLH 4|0.15|3|4000|4|12 range height"},
        // A trailing CR LF makes an empty line 4.
        {"C:\\logs\r\n1200\r\n0\r\n",
         {sample(), {}},
         "C:\\logs|1200|0||0.15|3|4000|4|12 range height"},
        // An empty text changes only the zoom.
        {"", {sample(), {}}, "D:\\Sim\\Traffic\\logs|2535|1|DLH 4|0.15|3|4000|4|12 range height"},
        // Lines after the ninth are ignored.
        {"a\r\n1\r\n0\r\nq\r\n0.1\r\n2\r\n2000\r\n2\r\n14\r\nx\r\n99",
         {},
         "a|1|0|q|0.1|2|2000|2|14 range 2 height 2"},
        // Numbers: the leading number, halves to even.
        {"x\r\nabc\r\n 2\r\ns\r\n 0.08 km\r\n2.5\r\n1999.5\r\n0.5\r\n14",
         {},
         "x|0|1|s|0.08|2|2000|0|14 range 2 height 0"},
        // A range beyond single precision keeps the old value.
        {"a\r\n1\r\n0\r\n\r\n1e300", {sample(), {}}, "a|1|0||0.15|3|4000|4|12 range height"},
        // The loader has no guard against a line break in the search text: later lines shift.
        {app::savedata_text(saved),
         {},
         "D:\\Sim\\Traffic\\logs|2535|1|a|0|0|3|4000|12 range 0 height"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(state(load(c.text, c.start.v, c.start.c)), c.want) << c.text;
    for (const char* line3 : {"0", "abc", "", "0.0"}) {
        EXPECT_FALSE(load(std::string("a\r\n1\r\n") + line3 + "\r\n", sample()).v.logs_checked)
            << line3;
    }
}

TEST(Loaddata, zoomBelowSixMissingOrNotNumericBecomes12) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"5", "12"}, {"5.99", "12"}, {"6", "6"},     {"abc", "12"},
        {"", "12"},  {"-20", "12"},  {"18x", "18x"}, {" 16 ", " 16 "}};  // kept as the line has it
    const std::string eight = "a\r\n1\r\n0\r\n\r\n0.1\r\n2\r\n2000\r\n2";
    for (const auto& [line9, zoom] : cases) EXPECT_EQ(load(eight + "\r\n" + line9).v.text2, zoom);
    EXPECT_EQ(load(eight, sample()).v.text2, "12");  // no line 9 at all
}

// A locale that writes a decimal comma and groups thousands with ".".
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(Loaddata, commaLocaleStillWritesAndReadsDotDecimals) {
    std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) break;
    }
    app::SettingsValues saved = sample();
    saved.feed_range = 0.07f;
    const std::string text = app::savedata_text(saved);
    const Loaded l = load(text);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(
        text,
        "D:\\Sim\\Traffic\\logs\r\n2535\r\n1\r\nDLH 4\r\n0.07\r\n3\r\n4000\r\n4\r\n14\r\nxzy\r\n");
    EXPECT_EQ(l.v.feed_range, 0.07f);
}

// The whole round trip through the files is in the start-up tests.
TEST(SettingsFiles, missingFileChangesNothing_aFailedWriteStopsTheSave) {
    TempFolder tmp;
    app::SettingsValues v = sample();
    app::MenuChecks c;
    EXPECT_FALSE(app::loaddata_file(app::ProgramLayout(tmp.str()), v, c));
    EXPECT_EQ(state({v, c}), state({sample(), {}}));
    // No system folder: mm.dat is written, the matches file is not.
    EXPECT_FALSE(app::savedata(app::ProgramLayout(tmp.str()), sample()));
    EXPECT_EQ(common::read_file(tmp.file("mm.dat")), kSampleText + "\r\n");
    EXPECT_FALSE(fs::exists(tmp.path() / "system"));
    // mm.dat cannot be written: the matches file is not tried.
    fs::remove(tmp.path() / "mm.dat");
    fs::create_directory(tmp.path() / "system");
    fs::create_directory(tmp.path() / "mm.dat");
    EXPECT_FALSE(app::savedata(app::ProgramLayout(tmp.str()), sample()));
    EXPECT_FALSE(fs::exists(tmp.path() / "system" / "matches"));
}

}  // namespace
