#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "cli/cli.hpp"
#include "common/file_io.hpp"
#include "test_paths.hpp"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const std::string kQuestion = "Add to config.json?\n\n\"B38M\":\"Boeing 737\",\n";
const std::string kFourLinesAdded =
    "{\r\n\"A320\":\"Airbus A320\",\r\n\"B38M\":\"Boeing 737\",\r\n\"B738\":\"Boeing "
    "737-800\"\r\n}\r\n";

class AddMatchTest : public ::testing::Test {
  protected:
    int add(const std::string& json, Args more = {"--yes"}) {
        Args args{"add-match", json, "B38M", "Boeing 737"};
        args.insert(args.end(), more.begin(), more.end());
        out_.str({});
        err_.str({});
        return cli::run(args, out_, err_);
    }
    void put(const std::string& fixture) {
        const std::string text = common::read_file(testing_support::data_path("config/" + fixture));
        ASSERT_FALSE(text.empty());
        ASSERT_TRUE(common::write_file_atomic(json_, text));
    }

    testing_support::TempFolder tmp_;
    const std::string json_ = tmp_.file("ModelMatching.json"),
                      copy_ = tmp_.file("ModelMatching_.json");
    std::ostringstream out_, err_;
};

TEST_F(AddMatchTest, asksWithoutYes_writesBothWithYes_thenFindsTheDuplicate) {
    EXPECT_EQ(add(json_), 0) << err_.str();  // a missing file
    EXPECT_EQ(common::read_file(json_), "{\r\n\"B38M\":\"Boeing 737\"\r\n}\r\n");
    EXPECT_EQ(common::read_file(copy_), common::read_file(json_));
    fs::remove(copy_);
    put("four_lines.json");
    EXPECT_EQ(add(json_, {}), 1);
    EXPECT_EQ(out_.str(), kQuestion);
    EXPECT_NE(err_.str().find("not confirmed"), std::string::npos);
    EXPECT_FALSE(fs::exists(copy_));

    EXPECT_EQ(add(json_), 0) << err_.str();
    EXPECT_EQ(out_.str(), kQuestion + "Added:\n\n\"B38M\":\"Boeing 737\",\n");
    EXPECT_EQ(common::read_file(json_), kFourLinesAdded);
    EXPECT_EQ(common::read_file(copy_), kFourLinesAdded);
    EXPECT_EQ(add(json_), 1);
    EXPECT_EQ(out_.str(), "Config file already contains:\n\n\"B38M\":\"Boeing 737\",\n");
}

TEST_F(AddMatchTest, fileNotOneEntryALine_refusedNamingTheLineAndNothingWritten) {
    const std::string entry = "is not one \"key\":\"value\" entry:\n\n";
    const std::pair<const char*, std::string> cases[] = {
        {"nested.json", "Line 3 " + entry + "\"Liveries\": {\n"},
        {"two_per_line.json",
         "Line 2 " + entry + "\"A320\":\"Airbus A320\", \"A321\":\"Airbus A321\",\n"},
        {"brace_line.json",
         "Line 1 holds more than the opening \"{\":\n\n{   \"A320\":\"Airbus A320\",\n"},
        {"commented.json", "Line 2 " + entry + "// Boeing\n"},
        {"truncated.json",
         "Line 3 is the last, and no closing \"}\" follows it:\n\n\"B738\":\"Boeing 737-800\",\n"},
    };
    for (const auto& [fixture, tail] : cases) {
        put(fixture);
        const std::string before = common::read_file(json_);
        EXPECT_EQ(add(json_), 1) << fixture;
        EXPECT_EQ(out_.str(),
                  "The model-matching file cannot be rewritten entry for entry, so nothing was "
                  "changed. " +
                      tail);
        EXPECT_EQ(common::read_file(json_), before);
        EXPECT_FALSE(fs::exists(copy_));
    }
}

// A failed write never ends in "Added:"; one after the first write says the file holds the entry.
TEST_F(AddMatchTest, failedWrites_exitThreeNamingThePathAndWhatWasWritten) {
    // A folder that is not there, and one nobody may create files in (sysfs, even for root).
    for (const std::string& path :
         {tmp_.file("no-such-folder/ModelMatching.json"), std::string("/sys/ModelMatching.json")}) {
        EXPECT_EQ(add(path), 3) << path;
        const std::string said =
            kQuestion + "The entry was not added; the model-matching file is unchanged:\n\n" + path;
        EXPECT_EQ(out_.str().substr(0, said.size()), said);
        EXPECT_EQ(err_.str().substr(0, 26 + path.size()), "skelvar-cli: cannot write " + path);
    }
    put("four_lines.json");
    fs::create_directory(copy_);
    EXPECT_EQ(add(json_), 3);
    EXPECT_EQ(out_.str(), kQuestion +
                              "The entry was added to the model-matching file, but its copy could "
                              "not be written:\n\n" +
                              copy_ + ": is a folder, not a file\n");
    EXPECT_EQ(err_.str(), "skelvar-cli: cannot write " + copy_ + ": is a folder, not a file\n");
    EXPECT_EQ(common::read_file(json_), kFourLinesAdded);
}

TEST_F(AddMatchTest, unreadableFileOrEmptyLogsFolder_neverWritten) {
    fs::create_directory(json_);
    EXPECT_EQ(add(json_), 1);
    EXPECT_EQ(out_.str(), "The model-matching file cannot be read, so nothing was changed:\n\n" +
                              json_ + ": is a folder, not a file\n");
    const bool was_there = fs::exists("/ModelMatching.json");
    EXPECT_EQ(add("/ModelMatching.json"), 1);
    EXPECT_EQ(out_.str().substr(0, 24), "No logs folder is chosen");
    EXPECT_EQ(fs::exists("/ModelMatching.json"), was_there);
    if (!was_there) fs::remove("/ModelMatching.json");
    EXPECT_FALSE(fs::exists(copy_));

    // The switch belongs to add-match alone.
    EXPECT_EQ(cli::run({"analyze", json_, "--yes"}, out_, err_), 2);
    EXPECT_NE(err_.str().find("unknown option --yes"), std::string::npos);
}

}  // namespace
