#include "matching/model_config.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_io.hpp"
#include "test_paths.hpp"

namespace {

using matching::AddStep;

constexpr std::string_view kBom = "\xEF\xBB\xBF";
const std::string kCannotRewrite =
    "The model-matching file cannot be rewritten entry for entry, so nothing was changed. ";

matching::AddPlan add(std::string_view text, std::string_view type = "B38M",
                      std::string_view model = "Boeing 737") {
    return matching::prepare_add({"/sim/config/ModelMatching.json", type, model, text});
}

std::string fixture(const std::string& name) {
    const std::string text = common::read_file(testing_support::data_path("config/" + name));
    EXPECT_FALSE(text.empty()) << name;
    return text;
}

// "{", the lines, "}", each line ending in CR LF.
std::string file_of(const std::vector<std::string>& lines) {
    std::string text = "{\r\n";
    for (const auto& line : lines) text += line + "\r\n";
    return text + "}\r\n";
}

// What the rewrite gives: "{", the lines, "}" with no line end after it (savetext adds one).
std::string rewritten(const std::vector<std::string>& lines) {
    std::string text = "{\r\n";
    for (const auto& line : lines) text += line + "\r\n";
    return text + "}";
}

const std::string kFourLinesAdded = rewritten(
    {"\"A320\":\"Airbus A320\",", "\"B38M\":\"Boeing 737\",", "\"B738\":\"Boeing 737-800\""});

TEST(PrepareAdd, fourLineExample_lineEndsIndentationAndByteOrderMarkReadAlike) {
    const std::string crlf = fixture("four_lines.json");
    const struct {
        std::string name, text, expected;
    } cases[] = {
        {"CR LF", crlf, kFourLinesAdded},
        {"LF", fixture("four_lines_lf.json"), kFourLinesAdded},
        {"tabs", fixture("four_lines_tabs.json"), kFourLinesAdded},
        {"BOM", fixture("four_lines_bom.json"), std::string(kBom) + kFourLinesAdded},
        {"bare CR", "{\r    \"A320\":\"Airbus A320\",\r\"B738\":\"Boeing 737-800\"\r}",
         kFourLinesAdded},
        {"mixed, no final line end",
         "{\n  \"A320\":\"Airbus A320\",\r\n\t \"B738\":\"Boeing 737-800\"\r}", kFourLinesAdded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const matching::AddPlan plan = add(c.text);
        ASSERT_EQ(plan.step, AddStep::Ask) << plan.message.text;
        EXPECT_EQ(plan.message.text, "Add to config.json?\r\n\r\n\"B38M\":\"Boeing 737\",");
        EXPECT_EQ(plan.entry, "\"B38M\":\"Boeing 737\",");
        EXPECT_EQ(plan.new_text, c.expected);
    }
}

// Whatever commas the lines had, every line but the last gets exactly one and the last none.
TEST(PrepareAdd, commasFollowThePlaceNotTheOldLine_sortIgnoresCaseThenBytes) {
    const struct {
        std::vector<std::string> lines;
        std::string type, model;
        std::vector<std::string> expected;
    } cases[] = {
        {{"\"A\":\"1\",", "\"C\":\"3\","},
         "B",
         "2",
         {"\"A\":\"1\",", "\"B\":\"2\",", "\"C\":\"3\""}},
        {{"\"A\":\"1\"", "\"C\":\"3\""}, "B", "2", {"\"A\":\"1\",", "\"B\":\"2\",", "\"C\":\"3\""}},
        {{"\"A\":\"1\",", "\"B\":\"2\""},
         "C",
         "3",
         {"\"A\":\"1\",", "\"B\":\"2\",", "\"C\":\"3\""}},
        {{"\"C\":\"3\",", "\"B\":\"2\""},
         "A",
         "1",
         {"\"A\":\"1\",", "\"B\":\"2\",", "\"C\":\"3\""}},
        // Blanks before the comma go, blanks between the tokens stay.
        {{"  \"A\" : \"1\" ,  ", "", "   ", "\t\"C\":\t\"3\"\t"},
         "B",
         "2",
         {"\"A\" : \"1\",", "\"B\":\"2\",", "\"C\":\t\"3\""}},
        // Equal but for case: byte order, capitals first; "_" sorts before letters.
        {{"\"b\":\"1\"", "\"Z\":\"1\"", "\"B\":\"1\"", "\"_\":\"1\""},
         "a",
         "1",
         {"\"_\":\"1\",", "\"a\":\"1\",", "\"B\":\"1\",", "\"b\":\"1\",", "\"Z\":\"1\""}},
        // A key holding braces is an entry like any other.
        {{"\"{x}\":\"}\""}, "A", "1", {"\"A\":\"1\",", "\"{x}\":\"}\""}},
    };
    for (const auto& c : cases) {
        const matching::AddPlan plan = add(file_of(c.lines), c.type, c.model);
        ASSERT_EQ(plan.step, AddStep::Ask) << plan.message.text;
        EXPECT_EQ(plan.new_text, rewritten(c.expected));
    }
}

TEST(PrepareAdd, missingOrEmptyFile_givesTheEntryAlone) {
    const std::string alone = rewritten({"\"B38M\":\"Boeing 737\""});
    for (const std::string& text : {std::string(), std::string("\r\n  \r\n"), std::string("{\r\n}"),
                                    std::string("{ }\n"), std::string("\n{}\n\n")}) {
        const matching::AddPlan plan = add(text);
        ASSERT_EQ(plan.step, AddStep::Ask) << text;
        EXPECT_EQ(plan.new_text, alone) << text;
    }
    EXPECT_EQ(add(std::string(kBom) + "{}").new_text, std::string(kBom) + alone);
}

// The pair itself is compared, ignoring case, wherever it stands and however it is spaced.
TEST(PrepareAdd, samePairInAnyCaseWithOrWithoutComma_isAlreadyContained) {
    const std::vector<std::vector<std::string>> files = {
        {"\"A320\":\"Airbus A320\",", "\"B38M\":\"Boeing 737\",", "\"B738\":\"x\""},
        {"\"A320\":\"Airbus A320\",", "\"B38M\":\"Boeing 737\""},
        {"\"B38M\" :  \"Boeing 737\"", "\"A320\":\"Airbus A320\""},
        {"\"b38m\":\"BOEING 737\","},
    };
    const std::pair<std::string, std::string> boxes[] = {
        {"B38M", "Boeing 737"}, {"b38m", "boeing 737"}, {"B38m", "BOEING 737"}};
    for (const auto& lines : files) {
        for (const auto& [type, model] : boxes) {
            const matching::AddPlan plan = add(file_of(lines), type, model);
            EXPECT_EQ(plan.step, AddStep::Stop);
            EXPECT_EQ(plan.message.text,
                      "Config file already contains:\r\n\r\n\"" + type + "\":\"" + model + "\",");
            EXPECT_EQ(plan.new_text, "");
        }
    }
    // Another value, a blank kept in the untrimmed box, a shorter key: new pairs.
    const std::pair<std::string, std::string> other[] = {
        {"B38M", "Boeing 737-8"}, {" B38M", "Boeing 737"}, {"B38", "Boeing 737"}};
    for (const auto& [type, model] : other)
        EXPECT_EQ(add(file_of(files[0]), type, model).step, AddStep::Ask) << type << model;
}

TEST(PrepareAdd, stopsBeforeTheFile_insufficientDataNoFolderUnwritableBoxes) {
    const std::string file = fixture("four_lines.json");
    const struct {
        std::string path, type, model;
        AddStep step;
        std::string message;
    } cases[] = {
        {"/c/ModelMatching.json", "   ", "Boeing", AddStep::Stop, "Insufficient data"},
        {"/c/ModelMatching.json", "B38M", "", AddStep::Stop, "Insufficient data"},
        {"/ModelMatching.json", "", "", AddStep::Stop, "Insufficient data"},
        {"/ModelMatching.json", "B38M", "Boeing 737", AddStep::Stop,
         std::string(matching::kNoLogsFolder)},
        {"\\ModelMatching.json", "B38M", "Boeing 737", AddStep::Stop,
         std::string(matching::kNoLogsFolder)},
        {"/c/ModelMatching.json", "B38M", "Boeing \"737\"", AddStep::Refuse,
         "The type and the model cannot hold a double quote, a backslash, a control character or "
         "bytes that are not UTF-8, so nothing was changed:\r\n\r\n\"B38M\":\"Boeing \"737\"\","},
        {"/c/ModelMatching.json", "B\\38M", "Boeing", AddStep::Refuse, "The type and the model"},
        {"/c/ModelMatching.json", "\tB38M", "Boeing", AddStep::Refuse, "The type and the model"},
        {"/c/ModelMatching.json", "B38M", "Caf\xE9", AddStep::Refuse, "The type and the model"},
    };
    for (const auto& c : cases) {
        const matching::AddPlan plan = matching::prepare_add({c.path, c.type, c.model, file});
        EXPECT_EQ(plan.step, c.step) << c.type << c.model;
        EXPECT_EQ(plan.message.text.substr(0, c.message.size()), c.message);
        EXPECT_EQ(plan.new_text, "");
    }
}

TEST(PrepareAdd, fileNotOneEntryALine_isRefusedNamingTheFirstMisfitLine) {
    const std::string entry_only = "is not one \"key\":\"value\" entry:\r\n\r\n";
    const struct {
        std::string text, tail;  // the message after kCannotRewrite
    } cases[] = {
        {fixture("nested.json"), "Line 3 " + entry_only + "\"Liveries\": {"},
        {fixture("two_per_line.json"),
         "Line 2 " + entry_only + "\"A320\":\"Airbus A320\", \"A321\":\"Airbus A321\","},
        {fixture("brace_line.json"),
         "Line 1 holds more than the opening \"{\":\r\n\r\n{   \"A320\":\"Airbus A320\","},
        {fixture("commented.json"), "Line 2 " + entry_only + "// Boeing"},
        {fixture("truncated.json"),
         "Line 3 is the last, and no closing \"}\" follows it:\r\n\r\n\"B738\":\"Boeing "
         "737-800\","},
        {"\r\n\"A\":\"1\"\r\n{\r\n}", "Line 2 comes before the opening \"{\":\r\n\r\n\"A\":\"1\""},
        {"{\r\n\"A\":\"1\"\r\n}\r\n\r\n\"B\":\"2\"",
         "Line 5 follows the closing \"}\":\r\n\r\n\"B\":\"2\""},
        {"{\n{\n\"A\":\"1\"\n}\n}", "Line 2 opens a second \"{\":\r\n\r\n{"},
        {"{\r\n\"A\":\"1\"}", "Line 2 holds more than the closing \"}\":\r\n\r\n\"A\":\"1\"}"},
        {"{\r\n\"A\": 5,\r\n}", "Line 2 " + entry_only + "\"A\": 5,"},
        {"{\r\n\"A\":\"1\",,\r\n}", "Line 2 " + entry_only + "\"A\":\"1\",,"},
        {"{\r\n\"A\\q\":\"1\"\r\n}", "Line 2 " + entry_only + "\"A\\q\":\"1\""},
        {"{\r\n\"A\\u12G4\":\"1\"\r\n}", "Line 2 " + entry_only + "\"A\\u12G4\":\"1\""},
        {"{\r\n\"A\":\"1\r\n}", "Line 2 " + entry_only + "\"A\":\"1"},
        {"{\r\n\"A\"\r\n:\"1\"\r\n}", "Line 2 " + entry_only + "\"A\""},
        {"{\r\n\"A\":\"tab\there\"\r\n}", "Line 2 " + entry_only + "\"A\":\"tab\there\""},
        {"{\r\n\"A\":\"1\" // one\r\n}", "Line 2 " + entry_only + "\"A\":\"1\" // one"},
        {"{\r\n\"A\":\"caf\xE9\"\r\n}", "Line 2 is not UTF-8 text:\r\n\r\n\"A\":\"caf\xE9\""},
        // A long line is shown cut between two characters.
        {"{\r\n\"A\":\"" + std::string(193, 'x') + "\xC3\xA9\xC3\xA9\" x\r\n}",
         "Line 2 " + entry_only + "\"A\":\"" + std::string(193, 'x') + "\xC3\xA9..."},
        {"{\r\n\"A\":\"" + std::string(194, 'x') + "\xC3\xA9\xC3\xA9\" x\r\n}",
         "Line 2 " + entry_only + "\"A\":\"" + std::string(194, 'x') + "..."},
    };
    for (const auto& c : cases) {
        const matching::AddPlan plan = add(c.text);
        EXPECT_EQ(plan.step, AddStep::Refuse) << c.text;
        EXPECT_EQ(plan.message.text, kCannotRewrite + c.tail);
        EXPECT_EQ(plan.new_text, "");
    }
    // Well-formed to the line reader but not to the JSON parser: a lone surrogate.
    const matching::AddPlan plan = add("{\r\n\"\\ud800\":\"1\"\r\n}");
    EXPECT_EQ(plan.step, AddStep::Refuse);
    const std::string failed =
        "The new model-matching text failed its check, so nothing was changed: an entry of the "
        "file is not valid JSON (";
    EXPECT_EQ(plan.message.text.substr(0, failed.size()), failed);
    EXPECT_EQ(plan.new_text, "");
}

TEST(PrepareAdd, caseFixesApplyToEveryLineInOrder_theQuestionKeepsTheBoxes) {
    const matching::AddPlan plan =
        add(file_of({"\"a21n_default\":\"airbus a321neo\",", "\"X\":\"b38m b7 a1 a3 a2 default\"",
                     "\"b77w\":\"boeing 777\""}),
            "b789", "boeing 787");
    ASSERT_EQ(plan.step, AddStep::Ask);
    EXPECT_EQ(plan.message.text, "Add to config.json?\r\n\r\n\"b789\":\"boeing 787\",");
    EXPECT_EQ(plan.new_text,
              rewritten({"\"A21n_Default\":\"Airbus A321neo\",", "\"B77w\":\"Boeing 777\",",
                         "\"B789\":\"Boeing 787\",", "\"X\":\"B38M B7 A1 A3 A2 Default\""}));
}

TEST(CompanionPath, besideTheFile_lacksFolderOnlyForABareSeparator) {
    const std::pair<std::string, std::string> companions[] = {
        {"C:\\sim\\config\\ModelMatching.json", "C:\\sim\\config\\ModelMatching_.json"},
        {"/sim/config/Other.json", "/sim/config/ModelMatching_.json"},
        {"/sim/ModelMatching.json.d/ModelMatching.json",
         "/sim/ModelMatching.json.d/ModelMatching_.json"},
        {"ModelMatching.json", "ModelMatching_.json"},
        {"/ModelMatching.json", "/ModelMatching_.json"}};
    for (const auto& [path, companion] : companions)
        EXPECT_EQ(matching::companion_path(path), companion);
    for (const char* path : {"/ModelMatching.json", "\\ModelMatching.json"})
        EXPECT_TRUE(matching::lacks_folder(path)) << path;
    for (const char* path : {"", "/", "ModelMatching.json", "C:\\ModelMatching.json",
                             "/c/ModelMatching.json", "\\\\host\\ModelMatching.json"})
        EXPECT_FALSE(matching::lacks_folder(path)) << path;
}

// The check before writing, fed with texts a faulty rewrite could give.
TEST(CheckRewrite, acceptsExactlyTheOldEntriesCaseFixedPlusTheNewOne) {
    const std::string old = "{\r\n\"A\":\"1\",\r\n\"b\":\"boeing\"\r\n}";
    const struct {
        std::string new_text;
        std::optional<std::string> problem;  // the reason starts with this
    } cases[] = {
        {"{\"A\":\"1\",\"b\":\"Boeing\",\"C\":\"3\"}", std::nullopt},
        {"\xEF\xBB\xBF{\"C\":\"3\",\r\n\"b\":\"Boeing\",\"\\u0041\":\"1\"}", std::nullopt},
        {"{\"A\":\"1\",\"b\":\"boeing\",\"C\":\"3\"}", "it lacks the entry \"b\":\"Boeing\""},
        {"{\"A\":\"1\",\"C\":\"3\"}", "it lacks the entry \"b\":\"Boeing\""},
        {"{\"A\":\"1\",\"A\":\"1\",\"b\":\"Boeing\",\"C\":\"3\"}",
         "it holds the entry \"A\":\"1\""},
        {"{\"A\":\"1\",\"b\":\"Boeing\",\"C\":\"3\",\"D\":\"4\"}",
         "it holds the entry \"D\":\"4\""},
        {"{\"A\":\"1\",\"b\":\"Boeing\",\"C\":\"3\",}", "it is not valid JSON ("},
        {"{\"A\":\"1\",\"b\":\"Boeing\",\"C\":\"3\"} x", "it is not valid JSON ("},
        {"{\"A\":\"1\",\"b\":{\"x\":\"Boeing\"},\"C\":\"3\"}", "it holds a nested object"},
        {"{\"A\":1,\"b\":\"Boeing\",\"C\":\"3\"}", "it holds a value that is not text"},
        {"{\"A\":[\"1\"],\"b\":\"Boeing\",\"C\":\"3\"}", "it holds an array"},
        {"\"A\"", "it is not one object"},
    };
    for (const auto& c : cases) {
        const auto problem = matching::check_rewrite(old, "C", "3", c.new_text);
        if (!c.problem) {
            EXPECT_EQ(problem, std::nullopt) << c.new_text;
        } else {
            ASSERT_TRUE(problem.has_value()) << c.new_text;
            EXPECT_EQ(problem->substr(0, c.problem->size()), *c.problem);
        }
    }
    EXPECT_EQ(matching::check_rewrite("x", "C", "3", "{\"C\":\"3\"}"),
              "line 1 of the old text comes before the opening \"{\"");
}

}  // namespace
