#include "app/settings.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <locale>
#include <string>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"

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

app::MenuChecks only(std::size_t mrg, std::size_t mrr) {
    app::MenuChecks c;
    c.mrg[mrg] = true;
    c.mrr[mrr] = true;
    return c;
}

TEST(SavedataText, tenLinesEachEndingInCrLf) {
    EXPECT_EQ(app::savedata_text(sample()),
              "D:\\Sim\\Traffic\\logs\r\n2535\r\n1\r\nDLH 4\r\n0.15\r\n3\r\n4000\r\n4\r\n14\r\n"
              "xzy\r\n");
}

TEST(SavedataText, uncheckedLogsAndDefaultsWriteZeros) {
    app::SettingsValues v;
    v.feed_range = 0.07f;
    EXPECT_EQ(app::savedata_text(v), "\r\n0\r\n0\r\n\r\n0.07\r\n0\r\n0\r\n0\r\n\r\nxzy\r\n");
}

TEST(MatchesText, defaultTableIs34RowsOfTwoEmptyTextsAndZero) {
    std::string expected;
    for (int i = 0; i < 34; ++i) expected += ",,0\r\n";
    EXPECT_EQ(app::matches_text(app::MatchesTable{}), expected);
}

TEST(MatchesText, rowsKeepTheirOrderAndFullByteRange) {
    app::MatchesTable t;
    t[0] = {"B738", "Boeing", 255};
    t[33] = {"A320", "", 7};
    const std::string text = app::matches_text(t);
    EXPECT_EQ(text.substr(0, 16), "B738,Boeing,255\r");
    EXPECT_EQ(text.substr(text.size() - 10), "\nA320,,7\r\n");
}

TEST(Loaddata, fullFileRestoresEveryValueAndChecksTheMenus) {
    app::SettingsValues v;
    app::MenuChecks c;
    app::loaddata(app::savedata_text(sample()) + "\r\n", v, c);
    EXPECT_EQ(v.logs_folder, "D:\\Sim\\Traffic\\logs");
    EXPECT_EQ(v.list8_height, 2535);
    EXPECT_TRUE(v.logs_checked);
    EXPECT_EQ(v.text3, "DLH 4");
    EXPECT_EQ(v.feed_range, 0.15f);
    EXPECT_EQ(v.range_index, 3);
    EXPECT_EQ(v.max_height, 4000);
    EXPECT_EQ(v.height_index, 4);
    EXPECT_EQ(v.text2, "14");
    EXPECT_EQ(c, only(3, 4));
}

TEST(Loaddata, zoomBelowSixMissingOrNotNumericBecomes12) {
    const auto zoom_of = [](const std::string& line9) {
        app::SettingsValues v;
        app::MenuChecks c;
        app::loaddata("a\r\n1\r\n0\r\n\r\n0.1\r\n2\r\n2000\r\n2\r\n" + line9 + "\r\nxzy\r\n", v, c);
        return v.text2;
    };
    EXPECT_EQ(zoom_of("5"), "12");
    EXPECT_EQ(zoom_of("5.99"), "12");
    EXPECT_EQ(zoom_of("6"), "6");
    EXPECT_EQ(zoom_of("abc"), "12");
    EXPECT_EQ(zoom_of(""), "12");
    EXPECT_EQ(zoom_of("-20"), "12");
    EXPECT_EQ(zoom_of(" 16 "), " 16 ");  // kept as the line has it
    EXPECT_EQ(zoom_of("18x"), "18x");

    app::SettingsValues v;
    v.text2 = "14";
    app::MenuChecks c;
    app::loaddata("a\r\n1\r\n0\r\n\r\n0.1\r\n2\r\n2000\r\n2", v, c);
    EXPECT_EQ(v.text2, "12");
}

TEST(Loaddata, indexIsAlwaysStoredButChecksOnlyInRange) {
    app::SettingsValues v;
    app::MenuChecks c;
    app::loaddata("\r\n0\r\n0\r\n\r\n0.1\r\n5\r\n2000\r\n6\r\n14\r\nxzy\r\n", v, c);
    EXPECT_EQ(v.range_index, 5);
    EXPECT_EQ(v.height_index, 6);
    EXPECT_EQ(c, app::MenuChecks{});

    app::loaddata("\r\n0\r\n0\r\n\r\n0.1\r\n7\r\n2000\r\n-1\r\n14\r\n", v, c);
    EXPECT_EQ(v.range_index, 7);
    EXPECT_EQ(v.height_index, -1);
    EXPECT_EQ(c, app::MenuChecks{});

    app::loaddata("\r\n0\r\n0\r\n\r\n0.5\r\n4\r\n6000\r\n5\r\n14\r\n", v, c);
    EXPECT_EQ(c, only(4, 5));  // the last items are still in range
}

TEST(Loaddata, threeLineFileKeepsTheOtherValues) {
    app::SettingsValues v;
    v.max_height = 2000;
    v.height_index = 2;
    v.text3 = "kept";
    app::MenuChecks c;
    app::loaddata("C:\\logs\r\n1200\r\n1", v, c);
    EXPECT_EQ(v.logs_folder, "C:\\logs");
    EXPECT_EQ(v.list8_height, 1200);
    EXPECT_TRUE(v.logs_checked);
    EXPECT_EQ(v.text3, "kept");
    EXPECT_EQ(v.feed_range, 0.0f);
    EXPECT_EQ(v.max_height, 2000);
    EXPECT_EQ(v.height_index, 2);
    EXPECT_EQ(v.text2, "12");
    EXPECT_EQ(c, app::MenuChecks{});
}

TEST(Loaddata, trailingCrLfMakesAnEmptyNextLine) {
    app::SettingsValues v;
    v.text3 = "before";
    app::MenuChecks c;
    app::loaddata("C:\\logs\r\n1200\r\n1\r\n", v, c);
    EXPECT_EQ(v.text3, "");  // line 4 exists and is empty
    EXPECT_EQ(v.feed_range, 0.0f);
}

TEST(Loaddata, emptyTextChangesOnlyTheZoom) {
    app::SettingsValues v = sample();
    app::MenuChecks c;
    app::loaddata("", v, c);
    app::SettingsValues expected = sample();
    expected.text2 = "12";
    EXPECT_EQ(app::savedata_text(v), app::savedata_text(expected));
}

TEST(Loaddata, numericLinesTakeTheLeadingNumberAndRoundHalvesToEven) {
    app::SettingsValues v;
    app::MenuChecks c;
    app::loaddata("x\r\nabc\r\n 2\r\ns\r\n 0.08 km\r\n2.5\r\n1999.5\r\n0.5\r\n14", v, c);
    EXPECT_EQ(v.list8_height, 0);  // not a number
    EXPECT_TRUE(v.logs_checked);   // any non-zero value checks "Logs"
    EXPECT_EQ(v.feed_range, 0.08f);
    EXPECT_EQ(v.range_index, 2);
    EXPECT_EQ(v.max_height, 2000);
    EXPECT_EQ(v.height_index, 0);
    EXPECT_EQ(c, only(2, 0));
}

TEST(Loaddata, toggleZeroOrTextUnchecksLogs) {
    for (const char* line3 : {"0", "abc", "", "0.0"}) {
        app::SettingsValues v;
        v.logs_checked = true;
        app::MenuChecks c;
        app::loaddata(std::string("a\r\n1\r\n") + line3 + "\r\n", v, c);
        EXPECT_FALSE(v.logs_checked) << line3;
    }
}

TEST(Loaddata, neverUnchecksAMenuItem) {
    app::SettingsValues v;
    app::MenuChecks c = only(0, 1);
    app::loaddata("a\r\n1\r\n0\r\n\r\n0.1\r\n2\r\n2000\r\n2\r\n14\r\n", v, c);
    app::MenuChecks expected = only(0, 1);
    expected.mrg[2] = expected.mrr[2] = true;
    EXPECT_EQ(c, expected);
}

TEST(Loaddata, linesAfterTheNinthAreIgnored) {
    app::SettingsValues a, b;
    app::MenuChecks ca, cb;
    const std::string nine = "a\r\n1\r\n0\r\nq\r\n0.1\r\n2\r\n2000\r\n2\r\n14";
    app::loaddata(nine, a, ca);
    app::loaddata(nine + "\r\nanything\r\n99\r\n", b, cb);
    EXPECT_EQ(app::savedata_text(a), app::savedata_text(b));
    EXPECT_EQ(ca, cb);
}

TEST(Loaddata, lineBreakInsideTheSearchTextShiftsLaterLines) {
    app::SettingsValues saved = sample();
    saved.text3 = "a\r\nb";
    app::SettingsValues v;
    app::MenuChecks c;
    app::loaddata(app::savedata_text(saved), v, c);
    EXPECT_EQ(v.text3, "a");
    EXPECT_EQ(v.feed_range, 0.0f);  // "b" read as the range
    EXPECT_EQ(v.range_index, 0);    // "0.15" rounded
    EXPECT_EQ(v.max_height, 3);
    EXPECT_EQ(v.height_index, 4000);
    EXPECT_EQ(v.text2, "12");  // "4" read as the zoom
}

TEST(Loaddata, rangeBeyondSinglePrecisionKeepsTheOldValue) {
    app::SettingsValues v;
    v.feed_range = 0.5f;
    app::MenuChecks c;
    app::loaddata("a\r\n1\r\n0\r\n\r\n1e300\r\n", v, c);
    EXPECT_EQ(v.feed_range, 0.5f);
}

struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(Loaddata, commaLocaleStillWritesAndReadsDotDecimals) {
    std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) break;
    }
    app::SettingsValues saved = sample();
    saved.feed_range = 0.07f;
    const std::string text = app::savedata_text(saved);
    app::SettingsValues v;
    app::MenuChecks c;
    app::loaddata(text, v, c);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    EXPECT_NE(text.find("\r\n0.07\r\n"), std::string::npos);
    EXPECT_EQ(v.feed_range, 0.07f);
}

TEST(SettingsFiles, saveThenLoad_roundTrip) {
    TempFolder tmp;
    fs::create_directory(tmp.path() / "system");
    ASSERT_TRUE(app::savedata(tmp.str(), sample(), app::MatchesTable{}));

    EXPECT_EQ(common::read_file(tmp.file("mm.dat")),
              "D:\\Sim\\Traffic\\logs\r\n2535\r\n1\r\nDLH 4\r\n0.15\r\n3\r\n4000\r\n4\r\n14\r\n"
              "xzy\r\n\r\n");
    const std::string matches = common::read_file((tmp.path() / "system" / "matches").string());
    EXPECT_EQ(matches.size(), 34u * 5u + 2u);
    EXPECT_EQ(matches.substr(matches.size() - 7), ",,0\r\n\r\n");

    app::SettingsValues v;
    app::MenuChecks c;
    ASSERT_TRUE(app::loaddata_file(tmp.str(), v, c));
    app::SettingsValues expected = sample();
    expected.text2 = "14";
    EXPECT_EQ(app::savedata_text(v), app::savedata_text(expected));
    EXPECT_EQ(c, only(3, 4));
}

TEST(SettingsFiles, missingSettingsFileChangesNothing) {
    TempFolder tmp;
    app::SettingsValues v = sample();
    app::MenuChecks c;
    EXPECT_FALSE(app::loaddata_file(tmp.str(), v, c));
    EXPECT_EQ(app::savedata_text(v), app::savedata_text(sample()));
    EXPECT_EQ(c, app::MenuChecks{});
}

TEST(SettingsFiles, missingSystemFolderWritesMmDatThenFails) {
    TempFolder tmp;
    EXPECT_FALSE(app::savedata(tmp.str(), sample(), app::MatchesTable{}));
    EXPECT_TRUE(fs::exists(tmp.path() / "mm.dat"));
    EXPECT_FALSE(fs::exists(tmp.path() / "system"));
}

TEST(SettingsFiles, failedSettingsWriteStopsBeforeTheMatchesFile) {
    TempFolder tmp;
    fs::create_directory(tmp.path() / "system");
    fs::create_directory(tmp.path() / "mm.dat");  // a folder where the file should go
    EXPECT_FALSE(app::savedata(tmp.str(), sample(), app::MatchesTable{}));
    EXPECT_FALSE(fs::exists(tmp.path() / "system" / "matches"));
}

}  // namespace
