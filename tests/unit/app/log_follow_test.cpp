#include "app/log_follow.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "log_generator.hpp"
#include "logs/result_lists.hpp"

namespace {

using testing_support::TempFolder;
constexpr auto kHeader = app::kDefaultHeaderHeightTwips;

std::string generated(std::size_t groups, std::uint64_t seed) {
    return loggen::generate_log({.groups = groups, .seed = seed, .default_fraction = 0.3}).text;
}

void append(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class FollowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(common::create_folder(logs_));
        write(first_, "");
        s_ = app::Session(app::startup(root_.file("program"), false));
        app::adopt_log_folder(s_, logs_);
        ASSERT_EQ(s_.logs.list.entries.size(), 1u);
        app::list4_click(s_, 0, kHeader);
        app::set_follow(s_, true);
    }
    static void write(const std::string& path, std::string_view bytes) {
        ASSERT_TRUE(common::write_file_atomic(path, bytes));
    }
    // The follower's result must be the whole parse of the file as it is now.
    void expect_whole_parse_of(const std::string& path) {
        const logs::ParseResult whole =
            logs::get_list4(common::read_file(path), app::parse_options(kHeader));
        const logs::ParseResult& p = s_.logs.log.parse;
        EXPECT_EQ(p.records_text(), whole.records_text());
        EXPECT_EQ(p.fail_count, whole.fail_count);
        EXPECT_EQ(p.suggestions, whole.suggestions);
        EXPECT_EQ(p.defaults_list, whole.defaults_list);
        EXPECT_EQ(p.scroll_max, whole.scroll_max);
    }

    TempFolder root_;
    const std::string logs_ = root_.file("logs");
    const std::string first_ = common::join_path(logs_, "log2024051314.txt");
    app::Session s_;
};

TEST_F(FollowTest, aGrowingLogIsReadOnInPiecesCutAnywhere_andEqualsTheWholeParse) {
    const std::string log = generated(300, 7);
    std::size_t written = 0;
    std::int64_t records_before = 0;
    for (const std::size_t piece : {1u, 700u, 2u, 9000u, 1u, 33333u, 120000u, 500000u}) {
        const std::size_t n = std::min(piece, log.size() - written);
        append(first_, std::string_view(log).substr(written, n));
        written += n;
        const app::FollowStep step = app::follow_tick(s_, kHeader);
        EXPECT_TRUE(step.grew && !step.reread) << written;
        EXPECT_EQ(step.moved, s_.logs.log.parse.record_count - records_before) << written;
        records_before = s_.logs.log.parse.record_count;
        expect_whole_parse_of(first_);
    }
    ASSERT_EQ(written, log.size());
    // Nothing new: no parse.
    EXPECT_FALSE(app::follow_tick(s_, kHeader).parsed());
    // The result lists were left for when they are needed, then equal a whole build.
    ASSERT_TRUE(s_.logs.log.results_stale);
    EXPECT_TRUE(app::ensure_result_lists(s_.logs.log, s_.frame.layout).empty());
    EXPECT_EQ(s_.logs.log.results.nomatch_text,
              logs::get_data(logs::ResultKind::NoMatch, s_.logs.log.parse.records));
    EXPECT_EQ(common::read_file(s_.frame.layout.result_file(app::ResultList::Models)),
              s_.logs.log.results.models_text + "\r\n");
}

TEST_F(FollowTest, theFirstPageShowsTheNewest_anotherPageKeepsItsRecords) {
    const std::string log = generated(200, 3);
    append(first_, std::string_view(log).substr(0, log.size() / 2));
    app::follow_tick(s_, kHeader);
    logs::SpawnTable& table = s_.logs.table;
    const auto& records = s_.logs.log.parse.records;
    EXPECT_EQ(table.cell(1, 2).caption, std::string(logs::record_fields(records.row(0))[1]));

    table.on_scroll(40, records);
    const std::string shown = std::string(records.row(40));
    append(first_, std::string_view(log).substr(log.size() / 2));
    const app::FollowStep step = app::follow_tick(s_, kHeader);
    ASSERT_GT(step.moved, 0);
    EXPECT_EQ(table.first_shown(), 40 + step.moved);
    EXPECT_EQ(records.row(static_cast<std::size_t>(table.first_shown())), shown);

    table.on_scroll(0, records);
    append(first_, generated(5, 99));
    app::follow_tick(s_, kHeader);
    EXPECT_EQ(table.first_shown(), 0);
    EXPECT_EQ(table.cell(1, 2).caption, std::string(logs::record_fields(records.row(0))[1]));
}

TEST_F(FollowTest, aLogCutShorterOrReplacedIsReadAgainWhole) {
    append(first_, generated(50, 1));
    app::follow_tick(s_, kHeader);
    write(first_, generated(10, 2));  // shorter
    EXPECT_TRUE(app::follow_tick(s_, kHeader).reread);
    expect_whole_parse_of(first_);
    write(first_, generated(80, 3));  // longer, but another log
    EXPECT_TRUE(app::follow_tick(s_, kHeader).reread);
    expect_whole_parse_of(first_);
    EXPECT_FALSE(app::follow_tick(s_, kHeader).parsed());
}

TEST_F(FollowTest, aNewLogIsChosenWhenTheNewestWasFollowed_elseOnlyListed) {
    append(first_, generated(20, 1));
    app::follow_tick(s_, kHeader);
    const std::string second = common::join_path(logs_, "log2024051315.txt");
    write(second, generated(30, 2));
    app::FollowStep step = app::follow_tick(s_, kHeader);
    EXPECT_TRUE(step.relisted && step.chosen);
    EXPECT_EQ(app::chosen_log_path(s_), second);
    expect_whole_parse_of(second);

    // On an older log the new one is only listed.
    app::list4_click(s_, 0, kHeader);
    write(common::join_path(logs_, "log2024051316.txt"), generated(5, 3));
    step = app::follow_tick(s_, kHeader);
    EXPECT_TRUE(step.relisted);
    EXPECT_FALSE(step.chosen);
    EXPECT_EQ(s_.logs.list.entries.size(), 3u);
    EXPECT_EQ(app::chosen_log_path(s_), first_);
}

TEST_F(FollowTest, aVanishedLogIsToldOnce_theTableKeepsWhatWasRead) {
    append(first_, generated(20, 1));
    app::follow_tick(s_, kHeader);
    const std::int64_t records = s_.logs.log.parse.record_count;
    ASSERT_GT(records, 0);
    std::filesystem::remove(first_);
    const app::FollowStep gone = app::follow_tick(s_, kHeader);
    ASSERT_EQ(gone.messages.size(), 1u);
    EXPECT_NE(gone.messages[0].text.find(first_), std::string::npos);
    EXPECT_TRUE(gone.relisted);
    EXPECT_TRUE(app::follow_tick(s_, kHeader).messages.empty());
    EXPECT_EQ(s_.logs.log.parse.record_count, records);
    // Back again, it is listed; reading it is the user's choice.
    write(first_, generated(3, 4));
    const app::FollowStep back = app::follow_tick(s_, kHeader);
    EXPECT_TRUE(back.relisted && !back.parsed() && back.messages.empty());
}

TEST_F(FollowTest, offDoesNothing) {
    app::set_follow(s_, false);
    append(first_, generated(20, 1));
    EXPECT_FALSE(app::follow_tick(s_, kHeader).parsed());
    EXPECT_EQ(s_.logs.log.parse.record_count, 0);
}

}  // namespace
