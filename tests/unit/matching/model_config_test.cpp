#include "matching/model_config.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_io.hpp"
#include "common/text.hpp"
#include "test_paths.hpp"

namespace {

using matching::AddStep;

const std::string kBom = "\xEF\xBB\xBF";

matching::AddPlan add(std::string_view text, std::string_view type = "B38M",
                      std::string_view model = "Boeing 737",
                      std::string_view path = "/c/ModelMatching.json") {
    return matching::prepare_add({path, type, model, text});
}

// "{", the lines, "}", joined by CR LF; a file as stored ends in CR LF, the new text does not.
std::string file_of(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
    std::string text = "{\r\n";
    for (const auto& line : lines) text += line + "\r\n";
    return text + "}" + std::string(end);
}

TEST(PrepareAdd, fourLineExample_anyLineEndIndentationOrByteOrderMark) {
    const std::string added = file_of(
        {"\"A320\":\"Airbus A320\",", "\"B38M\":\"Boeing 737\",", "\"B738\":\"Boeing 737-800\""},
        "");
    const std::string crlf =
        common::read_file(testing_support::data_path("config/four_lines.json"));
    ASSERT_FALSE(crlf.empty());
    for (const char* name : {"four_lines.json", "four_lines_lf.json", "four_lines_tabs.json",
                             "four_lines_bom.json", "bare CR"}) {
        const std::string text =
            name[0] == 'b' ? common::replace_all(crlf, "\r\n", "\r")
                           : common::read_file(testing_support::data_path("config/") + name);
        const matching::AddPlan plan = add(text);
        EXPECT_EQ(plan.step, AddStep::Ask) << name;
        EXPECT_EQ(plan.message.text, "Add to config.json?\r\n\r\n\"B38M\":\"Boeing 737\",");
        EXPECT_EQ(plan.new_text, (text.starts_with(kBom) ? kBom : "") + added) << name;
    }
}

// Every line but the last gets one comma, whatever it had; equal-but-for-case lines keep byte
// order; blanks before a comma go; the case fixes reach every line, the question keeps the boxes.
TEST(PrepareAdd, commasByPlace_sortIgnoringCaseThenBytes_caseFixesEverywhere) {
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
        {{" \"C\":\"3\",", "\"B\":\"2\" ,"},
         "D",
         "4",
         {"\"B\":\"2\",", "\"C\":\"3\",", "\"D\":\"4\""}},
        {{"\"C\" :\t\"3\"", "", "  ", "\"B\":\"2\""},
         "A",
         "1",
         {"\"A\":\"1\",", "\"B\":\"2\",", "\"C\" :\t\"3\""}},
        {{"\"b\":\"1\"", "\"Z\":\"1\"", "\"B\":\"1\"", "\"_\":\"1\"", "\"{x}\":\"}\""},
         "a",
         "1",
         {"\"_\":\"1\",", "\"a\":\"1\",", "\"B\":\"1\",", "\"b\":\"1\",", "\"Z\":\"1\",",
          "\"{x}\":\"}\""}},
        {{"\"a21n_default\":\"airbus a321neo\",", "\"X\":\"b38m b7 a1 a3 a2 default\""},
         "b789",
         "boeing 787",
         {"\"A21n_Default\":\"Airbus A321neo\",", "\"B789\":\"Boeing 787\",",
          "\"X\":\"B38M B7 A1 A3 A2 Default\""}},
        {{}, "B38M", "Boeing 737", {"\"B38M\":\"Boeing 737\""}},
    };
    for (const auto& c : cases) {
        const matching::AddPlan plan = add(file_of(c.lines), c.type, c.model);
        EXPECT_EQ(plan.step, AddStep::Ask) << plan.message.text;
        EXPECT_EQ(plan.entry, "\"" + c.type + "\":\"" + c.model + "\",");
        EXPECT_EQ(plan.new_text, file_of(c.expected, ""));
    }
    // A missing or empty file, an empty object, with the byte-order mark kept.
    for (const std::string& text : {std::string(), std::string(" \r\n"), kBom + "{ }\n"})
        EXPECT_EQ(add(text).new_text,
                  (text.starts_with(kBom) ? kBom : "") + file_of({"\"B38M\":\"Boeing 737\""}, ""));
}

TEST(PrepareAdd, samePairInAnyCaseWithOrWithoutComma_isAlreadyContained) {
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{"\"B38M\":\"Boeing 737\",", "\"B738\":\"x\""},
          {"\"A\":\"1\",", "\"B38M\":\"Boeing 737\""},
          {"\"b38m\" :  \"BOEING 737\""}}) {
        for (const auto& [type, model] :
             {std::pair{"B38M", "Boeing 737"}, {"b38m", "boeing 737"}, {"B38m", "BOEING 737"}}) {
            const matching::AddPlan plan = add(file_of(lines), type, model);
            EXPECT_EQ(plan.step, AddStep::Stop);
            EXPECT_EQ(plan.message.text, "Config file already contains:\r\n\r\n" + plan.entry);
        }
    }
    // Another value, a blank kept in the untrimmed box: new pairs.
    for (const auto& [type, model] : {std::pair{"B38M", "Boeing 737-8"}, {" B38M", "Boeing 737"}})
        EXPECT_EQ(add(file_of({"\"B38M\":\"Boeing 737\""}), type, model).step, AddStep::Ask);
}

TEST(PrepareAdd, stopsAndRefusals_nameTheCauseAndTheFirstMisfitLine) {
    const std::string misfit =
        "The model-matching file cannot be rewritten entry for entry, so nothing was changed. ";
    const std::string not_entry = "is not one \"key\":\"value\" entry:\r\n\r\n";
    const struct {
        std::string path, type, text;
        AddStep step;
        std::string message;  // or its beginning
    } cases[] = {
        {"/c/M.json", "   ", "{}", AddStep::Stop, "Insufficient data"},
        {"/ModelMatching.json", "B38M", "{}", AddStep::Stop, std::string(matching::kNoLogsFolder)},
        {"/c/M.json", "B\"38M", "{}", AddStep::Refuse,
         "The type and the model cannot hold a double quote, a backslash, a control character or "
         "bytes that are not UTF-8, so nothing was changed:\r\n\r\n\"B\"38M\":\"Boeing 737\","},
        {"/c/M.json", "B38M", "\r\n\"A\":\"1\"\r\n{\r\n}", AddStep::Refuse,
         misfit + "Line 2 comes before the opening \"{\":\r\n\r\n\"A\":\"1\""},
        {"/c/M.json", "B38M", "{\n\"A\":\"1\"\n}\n\n\"B\":\"2\"", AddStep::Refuse,
         misfit + "Line 5 follows the closing \"}\":\r\n\r\n\"B\":\"2\""},
        {"/c/M.json", "B38M", "{\r\n\"A\":\"1\"}", AddStep::Refuse,
         misfit + "Line 2 holds more than the closing \"}\":\r\n\r\n\"A\":\"1\"}"},
        {"/c/M.json", "B38M", "{\r\n\"A\": 5,\r\n}", AddStep::Refuse,
         misfit + "Line 2 " + not_entry + "\"A\": 5,"},
        {"/c/M.json", "B38M", "{\r\n\"A\\q\":\"1\"\r\n}", AddStep::Refuse,
         misfit + "Line 2 " + not_entry + "\"A\\q\":\"1\""},
        {"/c/M.json", "B38M", "{\r\n\"A\":\"caf\xE9\"\r\n}", AddStep::Refuse,
         misfit + "Line 2 is not UTF-8 text:\r\n\r\n\"A\":\"caf\xE9\""},
        // A long line is shown cut between two characters.
        {"/c/M.json", "B38M", "{\r\n\"" + std::string(198, 'x') + "\xC3\xA9\xC3\xA9" + "\r\n}",
         AddStep::Refuse, misfit + "Line 2 " + not_entry + "\"" + std::string(198, 'x') + "..."},
        // Well-formed to the line reader, not to the JSON parser: a lone surrogate.
        {"/c/M.json", "B38M", "{\r\n\"\\ud800\":\"1\"\r\n}", AddStep::Refuse,
         "The new model-matching text failed its check, so nothing was changed: an entry of the "
         "file is not valid JSON ("},
    };
    for (const auto& c : cases) {
        const matching::AddPlan plan = add(c.text, c.type, "Boeing 737", c.path);
        EXPECT_EQ(plan.step, c.step) << c.text;
        EXPECT_EQ(plan.message.text.substr(0, c.message.size()), c.message);
        EXPECT_EQ(plan.new_text, "");
    }
}

// The check before writing, fed with texts a faulty rewrite could give.
TEST(CheckRewrite, acceptsTheOldEntriesCaseFixedPlusTheNewOneInSortedOrderOnly) {
    const std::string old = "{\r\n\"b\":\"boeing\",\r\n\"A\":\"1\"\r\n}";
    EXPECT_EQ(
        matching::check_rewrite(old, "C", "3",
                                "\xEF\xBB\xBF{\"\\u0041\":\"1\",\r\n\"b\":\"Boeing\",\"C\":\"3\"}"),
        std::nullopt);
    const std::pair<std::string, std::string> cases[] = {
        {"{\"A\":\"1\",\"b\":\"boeing\",\"C\":\"3\"}",
         "its entry 2 is \"b\":\"boeing\", not \"b\":\"Boeing\""},
        {"{\"b\":\"Boeing\",\"A\":\"1\",\"C\":\"3\"}",
         "its entry 1 is \"b\":\"Boeing\", not \"A\":\"1\""},
        {"{\"A\":\"1\",\"A\":\"1\",\"b\":\"Boeing\",\"C\":\"3\"}", "it holds 4 entries, not 3"},
        {"{\"A\":\"1\",\"b\":\"Boeing\",\"C\":\"3\",}", "it is not valid JSON ("},
        {"{\"A\":\"1\",\"b\":{\"x\":\"Boeing\"},\"C\":\"3\"}", "it holds a nested object"},
        {"{\"A\":1,\"b\":\"Boeing\",\"C\":\"3\"}", "it holds a value that is not text"},
    };
    for (const auto& [new_text, problem] : cases) {
        const auto found = matching::check_rewrite(old, "C", "3", new_text);
        ASSERT_TRUE(found.has_value()) << new_text;
        EXPECT_EQ(found->substr(0, problem.size()), problem);
    }
}

}  // namespace
